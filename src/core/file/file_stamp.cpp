#include "core/file/file_stamp.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void ContentHash::Add(QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        if (block_.isEmpty() && bytes.size() >= kBlock) { // whole blocks need no copy
            hash_ = qHash(bytes.first(kBlock), hash_);
            bytes = bytes.sliced(kBlock);
            continue;
        }
        const qsizetype take = std::min(kBlock - block_.size(), bytes.size());
        block_.append(bytes.first(take));
        bytes = bytes.sliced(take);
        if (block_.size() == kBlock) {
            hash_ = qHash(QByteArrayView(block_), hash_);
            block_.clear();
        }
    }
}

size_t ContentHash::Result() const
{
    return qHash(QByteArrayView(block_), hash_);
}

FileStamp StampOf(const QString &fileName, const QByteArray &bytes)
{
    const QFileInfo info(fileName);
    ContentHash hash;
    hash.Add(bytes);
    return FileStamp{info.exists(), bytes.size(), info.lastModified(), hash.Result()};
}

FileRead ReadRegularFile(const QString &fileName, QByteArray &bytes, int *permissions,
                         qint64 maxBytes)
{
    // Anything else is never opened: a pipe would wait for a writer, a device
    // might never end. O_NONBLOCK and the second look cover a file replaced
    // in between.
    const QByteArray path = QFile::encodeName(fileName);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
    if (!S_ISREG(st.st_mode))
        return FileRead::NotRegular;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return FileRead::NotRegular;
    }
    if (maxBytes >= 0 && st.st_size > maxBytes) {
        ::close(fd);
        return FileRead::TooLarge;
    }
    if (permissions)
        *permissions = int(st.st_mode & 07777);
    QFile file;
    bool ok = file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    if (ok) {
        bytes = file.readAll();
        ok = file.error() == QFileDevice::NoError;
    } else {
        ::close(fd);
    }
    return ok ? FileRead::Ok : FileRead::Failed;
}

bool ChangedSince(const FileStamp &seen, const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.isFile())
        return false;
    if (!seen.exists || info.size() != seen.size)
        return true;
    if (info.lastModified() == seen.modified)
        return false;
    // Touched, perhaps rewritten with the same length: the content decides.
    QByteArray bytes;
    if (ReadRegularFile(fileName, bytes) != FileRead::Ok)
        return true;
    ContentHash hash;
    hash.Add(bytes);
    return hash.Result() != seen.hash;
}
