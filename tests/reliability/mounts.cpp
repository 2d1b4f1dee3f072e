#include "mounts.h"

#include <QFile>
#include <QProcess>

#include <sys/mount.h>
#include <sys/statvfs.h>

namespace {
QByteArray path(const QString &folder)
{
    return QFile::encodeName(folder);
}

bool chattr(const QString &flag, const QString &folder)
{
    return QProcess::execute(QStringLiteral("chattr"), {flag, folder}) == 0;
}
} // namespace

TinyDisk::TinyDisk(const QString &folder, qint64 bytes) : folder_(folder)
{
    const QByteArray options = "size=" + QByteArray::number(bytes);
    ok_ = ::mount("ledra-test", path(folder).constData(), "tmpfs", 0, options.constData()) == 0;
}

TinyDisk::~TinyDisk()
{
    if (ok_)
        ::umount2(path(folder_).constData(), MNT_DETACH);
}

qint64 TinyDisk::freeBytes() const
{
    struct statvfs s {};
    if (::statvfs(path(folder_).constData(), &s) != 0)
        return 0;
    return static_cast<qint64>(s.f_bavail) * static_cast<qint64>(s.f_frsize);
}

ReadOnlyFolder::ReadOnlyFolder(const QString &folder) : folder_(folder)
{
    const QByteArray p = path(folder);
    if (::mount(p.constData(), p.constData(), nullptr, MS_BIND, nullptr) == 0) {
        mounted_ = ::mount(nullptr, p.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                           nullptr) == 0;
        if (!mounted_)
            ::umount2(p.constData(), MNT_DETACH);
    }
    // Without mounting, the immutable attribute keeps even root out.
    if (!mounted_)
        immutable_ = chattr(QStringLiteral("+i"), folder);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (mounted_)
        ::umount2(path(folder_).constData(), MNT_DETACH);
    if (immutable_)
        chattr(QStringLiteral("-i"), folder_);
}
