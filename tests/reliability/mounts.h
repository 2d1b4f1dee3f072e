#pragma once
// File systems made for a test (root only): a tiny in-memory disk, a folder
// seen read-only. Each is undone when the object goes; ok() is false when the
// machine does not allow it.

#include <QString>

class TinyDisk {
public:
    TinyDisk(const QString &folder, qint64 bytes);
    ~TinyDisk();
    bool ok() const { return ok_; }
    // Bytes a file can still take.
    qint64 freeBytes() const;

private:
    QString folder_;
    bool ok_ = false;
};

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &folder);
    ~ReadOnlyFolder();
    bool ok() const { return mounted_ || immutable_; }

private:
    QString folder_;
    bool mounted_ = false;
    bool immutable_ = false;
};
