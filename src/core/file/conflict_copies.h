#pragma once
// Conflict copies: when two computers that share the data folder through a
// sync program have both changed a file, the program keeps one as the file
// and renames the other, e.g.
//     Syncthing          taro.sync-conflict-20261207-120254-D7PSPKT.pcd
//     Dropbox            taro (NOTE-PC's conflicted copy 2026-12-07).pcd
//                        taro (NOTE-PC の競合コピー 2026-12-07).pcd
//     Nextcloud/ownCloud taro (conflicted copy 2026-12-07 120254).pcd
// Such a copy holds the other computer's visits. It is never a player of its
// own and is never deleted here: it is offered for merging, and once the save
// that holds its visits has succeeded it moves, under its own name, into
// backup/<name>/. Names other programs give that could as well be a person's
// ("taro (1)", "taro-NOTE-PC") stay ordinary names.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class DataFolder;

enum class SyncProgram { Syncthing, Dropbox, Nextcloud };

// What a conflict copy's name tells.
struct ConflictName {
    QString original; // the name the file had: "taro.pcd"
    SyncProgram program = SyncProgram::Syncthing;
    QDateTime when; // when the sync program made the copy (a date alone: at 0:00)
    bool hasTime = false;
    QString computer; // the computer, user or device the name holds; may be empty
};

// The name's meaning when it is a conflict copy's.
std::optional<ConflictName> ReadConflictName(const QString &fileName);

// A conflict copy of a player's file ("<name>.pcd" in the data folder, or a
// day's dated copy in backup/<name>/), with the copy of its play times that
// the same sync left beside it.
struct ConflictCopy {
    QString path;      // the copy of the player file; empty when only the times conflicted
    QString timesPath; // the copy of the times file; empty when none
    // The player file whose visits the copied times belong to when only the
    // times conflicted.
    QString basePath;
    ConflictName name;
    bool dated = false; // a copy of a dated copy, already in backup/<name>/

    // The files of the copy, the player file's first.
    QStringList Files() const;
};

// The conflict copies of player name's files, oldest first. The copies the
// program has moved into backup/<name>/ after merging are not among them.
QList<ConflictCopy> FindConflictCopies(const DataFolder &folder, const QString &name);

// Removes the conflict copies of the player's lock (".taro.pcd.sync-conflict-
// ….lock"): a lock's copy locks nothing. One that a program holds, or that is
// younger than a lock being written may be, stays.
void RemoveLockConflictCopies(const DataFolder &folder, const QString &name);

// Moves files into backup/<name>/ under their own names, never replacing a
// file there. False with the reason when one could not be moved; the others
// are moved all the same.
bool MoveIntoBackup(const DataFolder &folder, const QString &name, const QStringList &files,
                    QString &failure);

// Removes the conflict copies of dated copies whose day is older than the
// days the dated copies keep (generations.h), once the person has been
// offered them (offered: their paths).
void PruneDatedConflictCopies(const DataFolder &folder, const QString &name,
                              const QStringList &offered);

// Keeps the player's files as they are on disk (another computer's save
// about to be overwritten) under backup/<name>/ as "<name> 上書き前
// yyyy-MM-dd HHmmss.pcd" (and ".times"), a name no save replaces. keptAs: the
// copy of the player file, relative to the data folder. False with the reason.
bool KeepOverwrittenFiles(const DataFolder &folder, const QString &name, const QDateTime &when,
                          QString &keptAs, QString &failure);

// Keeps bytes, a times file of the first version (play times alone) that a
// save of the visits' details replaces, under backup/<name>/ as "<name> 旧形式
// yyyy-MM-dd HHmmss.times": a name no save replaces and no pruning removes,
// for a copy of the program that reads that version only. False with the
// reason.
bool KeepOldFormatTimes(const DataFolder &folder, const QString &name, const QByteArray &bytes,
                        int permissions, const QDateTime &when, QString &failure);

// "2026/12/07 12:02:54、Syncthing（機器ID D7PSPKT）": when the copy was made, by
// which program, and the computer or device its name holds (for Syncthing, a
// device of the two, not always the one whose save the copy holds).
QString DescribeConflictCopy(const ConflictName &name);
