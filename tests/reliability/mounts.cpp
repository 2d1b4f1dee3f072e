#include "mounts.h"

#include <QFile>
#include <QProcess>

#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
QByteArray path(const QString &folder)
{
    return QFile::encodeName(folder);
}

// The capabilities that let root past file permissions, in the effective set
// (on) or out of it; the permitted set keeps them, so they can come back.
bool overridePermissions(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    constexpr __u32 kOverride = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
    data[0].effective =
        on ? data[0].effective | (data[0].permitted & kOverride) : data[0].effective & ~kOverride;
    return ::syscall(SYS_capset, &header, data) == 0;
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

PermissionsBind::PermissionsBind()
{
    if (::geteuid() == 0)
        ok_ = dropped_ = overridePermissions(false);
}

PermissionsBind::~PermissionsBind()
{
    if (dropped_)
        overridePermissions(true);
}
