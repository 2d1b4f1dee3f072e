#pragma once
// What a file held when the program last read or wrote it: enough to notice
// that another program has changed it since.

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

// A hash of bytes that may arrive in pieces of any size (the same bytes give
// the same hash however they were cut). For noticing changes, not for security.
class ContentHash {
public:
    void Add(QByteArrayView bytes);
    size_t Result() const;

private:
    static constexpr qsizetype kBlock = 64 * 1024;
    QByteArray block_; // the bytes since the last full block
    size_t hash_ = 0;
};

struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    size_t hash = 0;
};

// The stamp of a file that holds exactly bytes.
FileStamp StampOf(const QString &fileName, const QByteArray &bytes);

enum class FileRead { Ok, Missing, NotRegular, TooLarge, Failed };
// Reads a whole file, never waiting on a pipe or a device: only a regular
// file (or a link to one) is read, and none larger than maxBytes (when not
// negative). permissions, when given, receives its mode bits.
FileRead ReadRegularFile(const QString &fileName, QByteArray &bytes, int *permissions = nullptr,
                         qint64 maxBytes = -1);

// True when the file on disk no longer holds what seen describes. A file that
// is gone, or is no regular file, is not "changed": there is nothing to keep.
bool ChangedSince(const FileStamp &seen, const QString &fileName);
