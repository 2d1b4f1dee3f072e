#pragma once
// File systems made for a test (root only): a tiny in-memory disk, a folder
// seen read-only; and file permissions that bind root too. Each is undone
// when the object goes; ok() is false when the machine does not allow it.

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

// While alive, this thread obeys file permissions as any account does, root
// included (root's capabilities to read and write any file are set aside).
class PermissionsBind {
public:
    PermissionsBind();
    ~PermissionsBind();
    bool ok() const { return ok_; }

private:
    bool ok_ = true;
    bool dropped_ = false;
};
