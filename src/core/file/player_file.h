#pragma once
// The open player's file: a lock in the data folder that keeps a second
// running copy of the program off the same player, whether the player could
// only be opened read-only, and what the file held when it was read or last
// saved.
//
// The lock is the hidden file ".<name>.pcd.lock" holding the holder's process
// ID, program and computer, kept open and locked (flock) for as long as the
// player is open. A lock nobody holds any more is a leftover of a program that
// ended without letting go (a crash, a power cut): it is taken over when it
// names this computer or cannot be read (once it is a few seconds old, so
// that one being written is not taken); when it names another computer (a
// memory stick or a shared folder), the person decides.

#include "core/file/file_stamp.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class DataFolder;

class PlayerFile {
public:
    PlayerFile() = default;
    ~PlayerFile();
    PlayerFile(const PlayerFile &) = delete;
    PlayerFile &operator=(const PlayerFile &) = delete;

    enum class LockState {
        Taken,         // held now
        InUse,         // another running program holds it
        OtherComputer, // left by a program on another computer, perhaps still running there
        ReadOnly,      // the data folder cannot be written: opened without a lock
    };
    struct LockResult {
        LockState state = LockState::Taken;
        QString host;    // OtherComputer: the computer the lock names
        QDateTime since; // OtherComputer: when the lock was made
        int error = 0;   // ReadOnly: the system's reason
    };

    // Takes the lock of player name's file in folder and lets go of the one
    // held before. Refused (InUse, OtherComputer), the lock held before stays.
    // takeOver takes a lock from another computer that nobody here holds.
    // ReadOnly: the player is open without a lock, and nobody can save there.
    LockResult Lock(const DataFolder &folder, const QString &name, bool takeOver = false);
    // Lets go of the lock and removes its file.
    void Unlock();

    // The player whose file this is (empty before the first).
    const QString &Name() const { return name_; }
    // The player was opened read-only: nothing may be changed or saved.
    bool ReadOnly() const { return readOnly_; }

    const FileStamp &Seen() const { return seen_; }
    void SetSeen(const FileStamp &stamp) { seen_ = stamp; }

    // This session's dealings with the sync programs' conflict copies of the
    // player's files (conflict_copies.h).
    struct Copies {
        QStringList offered; // the copies' files offered for merging
        bool timesSeen = false;
        FileStamp times; // what the play-times file held when read or last saved
    };
    Copies &SyncCopies() { return copies_; }
    const Copies &SyncCopies() const { return copies_; }

    // Lines of the play-times file that attached to no record when the
    // player was opened (play_times_file.h). Saving would drop them.
    qint32 UnmatchedTimes() const { return unmatchedTimes_; }
    void SetUnmatchedTimes(qint32 lines) { unmatchedTimes_ = lines; }
    // Why the play-times file could not be read when the player was opened
    // (empty when it was, or there was none). Saves leave it as it is.
    const QString &UnreadableTimes() const { return unreadableTimes_; }
    void SetUnreadableTimes(const QString &reason) { unreadableTimes_ = reason; }

private:
    QString name_;
    QString lockPath_;
    int fd_ = -1; // the lock file, held with flock
    bool readOnly_ = false;
    FileStamp seen_;
    Copies copies_;
    qint32 unmatchedTimes_ = 0;
    QString unreadableTimes_;
};

// Deletes player name's file and its play times (the times file and its
// backup; "<name>.Bak" and the dated copies stay) when confirm() agrees,
// holding the player's lock while it asks, unless another running program
// has the player open or a lock from another computer names it (its next save
// would bring the file back). Refused and Failed come with the message to show.
enum class Deletion { Deleted, Cancelled, Refused, Failed };
Deletion DeletePlayerFile(const DataFolder &folder, const QString &name,
                          const std::function<bool()> &confirm, QString &message);
