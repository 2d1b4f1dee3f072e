#pragma once
// The open player's file: a lock in the data folder that keeps a second
// running copy of the program off the same player, and what the file held
// when it was read or last saved.

#include "core/file/file_stamp.h"

#include <QString>
#include <memory>

class DataFolder;
class QLockFile;

class PlayerFile {
public:
    PlayerFile();
    ~PlayerFile();
    PlayerFile(const PlayerFile &) = delete;
    PlayerFile &operator=(const PlayerFile &) = delete;

    // Takes the lock of player name's file and lets go of the one held before.
    // False, keeping the lock held before, when another running program holds
    // it. A lock left by a program that has died is taken over. Where no lock
    // can be made (a read-only folder) the player opens without one: nobody
    // can save there.
    bool Lock(const DataFolder &folder, const QString &name);

    // The player whose file this is (empty before the first).
    const QString &Name() const { return name_; }

    const FileStamp &Seen() const { return seen_; }
    void SetSeen(const FileStamp &stamp) { seen_ = stamp; }

private:
    QString name_;
    std::unique_ptr<QLockFile> lock_;
    FileStamp seen_;
};
