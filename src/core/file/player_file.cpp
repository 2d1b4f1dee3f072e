#include "core/file/player_file.h"

#include "core/file/data_folder.h"

#include <QLockFile>

using namespace Qt::StringLiterals;

PlayerFile::PlayerFile() = default;
PlayerFile::~PlayerFile() = default;

bool PlayerFile::Lock(const DataFolder &folder, const QString &name)
{
    if (lock_ && name == name_)
        return true;
    auto lock = std::make_unique<QLockFile>(folder.LockFile(name));
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
