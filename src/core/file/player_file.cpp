#include "core/file/player_file.h"

#include "core/file/data_folder.h"
#include "core/file/leftovers.h"
#include "core/file/save_sequence.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
// A lock that cannot be read is left alone this long: it may be being written.
constexpr qint64 kUnreadableLockMs = 5000;

enum class Attempt { Done, Again };

struct Holder {
    bool readable = false;
    qint64 pid = 0;
    QString host;
};

// "pid\nprogram\ncomputer\n".
Holder holderOf(int fd)
{
    char buffer[1024];
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
    const QList<QByteArray> lines = QByteArray(buffer, n > 0 ? n : 0).split('\n');
    bool ok = false;
    const qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
    if (lines.size() < 4 || !ok || pid <= 0 || lines[2].trimmed().isEmpty())
        return {};
    return {true, pid, QString::fromUtf8(lines[2].trimmed())};
}

QByteArray lockContent()
{
    return QByteArray::number(QCoreApplication::applicationPid()) + "\nledra3\n" +
           QSysInfo::machineHostName().toUtf8() + '\n';
}

QDateTime modified(const struct stat &st)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 +
                                          st.st_mtim.tv_nsec / 1000000);
}

PlayerFile::LockResult outcome(PlayerFile::LockState state, int error = 0)
{
    PlayerFile::LockResult r;
    r.state = state;
    r.error = error;
    return r;
}

bool processAlive(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

bool sameFile(int fd, const QByteArray &path, struct stat &st)
{
    struct stat named {};
    return ::fstat(fd, &st) == 0 && ::lstat(path.constData(), &named) == 0 &&
           st.st_dev == named.st_dev && st.st_ino == named.st_ino;
}

// A new lock at path, whole from its first moment: written and flocked under
// a temporary name, then linked to its own name, which fails when a lock is
// there. So a copy starting at the same instant finds either no lock or one
// held; never an empty one it might take. 0 when made (fd holds it, flocked
// tells whether the file system took the flock), else the reason: EEXIST
// when a lock is there.
int linkNewLock(const QByteArray &path, int &fd, bool &flocked)
{
    const QByteArray temp = QFile::encodeName(TempNameBeside(QFile::decodeName(path)));
    fd = ::open(temp.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    flocked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    const QByteArray content = lockContent();
    if (::pwrite(fd, content.constData(), size_t(content.size()), 0) > 0)
        ::fsync(fd);
    const int error = ::link(temp.constData(), path.constData()) == 0 ? 0 : errno;
    ::unlink(temp.constData());
    if (error != 0) {
        ::close(fd);
        fd = -1;
    }
    return error;
}

// One try at the lock file at path; Again when it changed under our hands.
Attempt tryLock(const QByteArray &path, const QString &folder, bool takeOver,
                PlayerFile::LockResult &result, int &held)
{
    using State = PlayerFile::LockState;
    int fd = -1;
    bool linkedFlocked = true;
    struct stat there {};
    int error =
        ::lstat(path.constData(), &there) == 0 ? EEXIST : linkNewLock(path, fd, linkedFlocked);
    const bool linked = error == 0;
    bool created = linked;
    if (!created && error != EEXIST) { // no temporary file, or no links in this folder
        fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        created = fd >= 0;
        error = created ? 0 : errno;
    }
    if (!created && error == EEXIST) {
        fd = ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
        error = fd < 0 ? errno : 0;
    }
    if (fd < 0) {
        if (error == ELOOP) { // a link in the lock's place: replaced, never followed
            ::unlink(path.constData());
            return Attempt::Again;
        }
        if (error == ENOENT && !created)
            return Attempt::Again; // let go of just now
        // Perhaps a program that may write here holds it.
        const int reader = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        const bool inUse =
            reader >= 0 && ::flock(reader, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        if (reader >= 0)
            ::close(reader);
        result = inUse ? outcome(State::InUse) : outcome(State::ReadOnly, error);
        return Attempt::Done;
    }
    const auto refuse = [&](PlayerFile::LockResult r) {
        ::close(fd);
        if (created)
            ::unlink(path.constData());
        result = r;
        return Attempt::Done;
    };
    // Where flock is not available the content alone decides.
    bool flocked = linkedFlocked;
    if (!linked && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            ::close(fd);
            // Made in place just now, and looked at by a copy starting at the
            // same instant, which will find it empty and let go: made again.
            if (created) {
                ::unlink(path.constData());
                return Attempt::Again;
            }
            result = outcome(State::InUse);
            return Attempt::Done;
        }
        flocked = false;
    }
    struct stat st {};
    if (!sameFile(fd, path, st)) {
        ::close(fd);
        return Attempt::Again;
    }
    // A folder that cannot be written lets nobody save, whatever the lock.
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0)
        return refuse(outcome(State::ReadOnly, errno));
    if (!created) {
        const Holder holder = holderOf(fd);
        const QDateTime since = modified(st);
        if (!holder.readable) {
            if (qAbs(since.msecsTo(QDateTime::currentDateTime())) < kUnreadableLockMs)
                return refuse(outcome(State::InUse));
        } else if (holder.host != QSysInfo::machineHostName()) {
            if (!takeOver) {
                PlayerFile::LockResult other = outcome(State::OtherComputer);
                other.host = holder.host;
                other.since = since;
                return refuse(other);
            }
        } else if (!flocked && processAlive(holder.pid)) {
            return refuse(outcome(State::InUse));
        }
    }
    const QByteArray content = lockContent();
    if (!linked && ::ftruncate(fd, 0) == 0 &&
        ::pwrite(fd, content.constData(), size_t(content.size()), 0) > 0)
        ::fsync(fd);
    held = fd;
    result = outcome(State::Taken);
    return Attempt::Done;
}

// Removes the player's file and its play times (first, so that a player of the
// same name never finds them). The backup "<name>.Bak" and the dated copies
// stay. A folder in a file's place is no file of the player's: left.
bool removePlayersFiles(const DataFolder &folder, const QString &name, QString &message)
{
    for (const QString &file :
         {folder.TimesFile(name), folder.TimesBackupFile(name), folder.PlayerFile(name)}) {
        const QByteArray path = QFile::encodeName(file);
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || S_ISDIR(st.st_mode) ||
            ::unlink(path.constData()) == 0 || errno == ENOENT)
            continue;
        message = u"'"_s + name + u"' を削除できませんでした（"_s + QFileInfo(file).fileName() +
                  u"："_s + SystemErrorText(errno) + u"）"_s;
        return false;
    }
    return true;
}
} // namespace

PlayerFile::~PlayerFile()
{
    Unlock();
}

PlayerFile::LockResult PlayerFile::Lock(const DataFolder &folder, const QString &name,
                                        bool takeOver)
{
    const QString path = folder.LockFile(name);
    if (fd_ >= 0 && name == name_ && path == lockPath_)
        return outcome(LockState::Taken);
    LockResult result = outcome(LockState::InUse);
    int held = -1;
    const QByteArray encoded = QFile::encodeName(path);
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (path.isEmpty() ||
            tryLock(encoded, folder.Path(), takeOver, result, held) == Attempt::Done)
            break;
    }
    if (result.state != LockState::Taken && result.state != LockState::ReadOnly)
        return result;
    Unlock();
    fd_ = held;
    lockPath_ = held >= 0 ? path : QString();
    name_ = name;
    readOnly_ = result.state == LockState::ReadOnly;
    seen_ = FileStamp();
    copies_ = Copies();
    return result;
}

void PlayerFile::Unlock()
{
    if (fd_ < 0)
        return;
    // Removed only while it is still ours.
    struct stat st {};
    const QByteArray path = QFile::encodeName(lockPath_);
    if (sameFile(fd_, path, st))
        ::unlink(path.constData());
    ::close(fd_);
    fd_ = -1;
    lockPath_.clear();
}

Deletion DeletePlayerFile(const DataFolder &folder, const QString &name,
                          const std::function<bool()> &confirm, QString &message)
{
    PlayerFile file;
    const PlayerFile::LockResult lock = file.Lock(folder, name);
    switch (lock.state) {
    case PlayerFile::LockState::InUse:
        message = u"'"_s + name + u"' は、別に起動しているるでら３で使用中のため削除できません。"_s;
        return Deletion::Refused;
    case PlayerFile::LockState::OtherComputer:
        message = u"'"_s + name + u"' は、別のコンピューター（"_s + lock.host +
                  u"）のるでら３で使用中のため削除できません。"_s;
        return Deletion::Refused;
    case PlayerFile::LockState::Taken:
    case PlayerFile::LockState::ReadOnly: break;
    }
    if (!confirm())
        return Deletion::Cancelled;
    if (!removePlayersFiles(folder, name, message))
        return Deletion::Failed;
    RemoveLeftovers(folder, name);
    return Deletion::Deleted;
}
