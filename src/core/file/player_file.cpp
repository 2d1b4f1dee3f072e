#include "core/file/player_file.h"

#include "core/file/user_data_file.h"

#include <QFileInfo>
#include <QLockFile>

using namespace Qt::StringLiterals;

PlayerFile::PlayerFile() = default;
PlayerFile::~PlayerFile() = default;

bool PlayerFile::Lock(const QString &name)
{
    if (lock_ && name == name_)
        return true;
    // Hidden, beside the file: ".<name>.pcd.lock".
    const QFileInfo pcd(name + UserDataFile::PcdExtension());
    auto lock =
        std::make_unique<QLockFile>(pcd.absolutePath() + u"/."_s + pcd.fileName() + u".lock"_s);
    // Held for as long as the player is open: only a dead holder makes it stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() == QLockFile::LockFailedError)
            return false;
        lock.reset();
    }
    lock_ = std::move(lock);
    name_ = name;
    seen_ = FileStamp();
    return true;
}
