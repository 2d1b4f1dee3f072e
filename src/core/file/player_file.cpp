#include "core/file/player_file.h"

#include "core/file/data_folder.h"
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

// One try at the lock file at path; Again when it changed under our hands.
Attempt tryLock(const QByteArray &path, const QString &folder, bool takeOver,
                PlayerFile::LockResult &result, int &held)
{
    using State = PlayerFile::LockState;
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    const bool created = fd >= 0;
    if (!created && errno == EEXIST)
        fd = ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
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
    bool flocked = true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            ::close(fd);
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
    if (::ftruncate(fd, 0) == 0 && ::pwrite(fd, content.constData(), size_t(content.size()), 0) > 0)
        ::fsync(fd);
    held = fd;
    result = outcome(State::Taken);
    return Attempt::Done;
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
    const QByteArray pcd = QFile::encodeName(folder.PlayerFile(name));
    if (::unlink(pcd.constData()) != 0 && errno != ENOENT) {
        message =
            u"'"_s + name + u"' を削除できませんでした（"_s + SystemErrorText(errno) + u"）"_s;
        return Deletion::Failed;
    }
    return Deletion::Deleted;
}
