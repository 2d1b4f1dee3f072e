#pragma once
// The data folder: where the players' files, their backups, locks and dated
// copies live. Every file routine takes it as a value and addresses files by
// absolute path, so that nothing depends on the process's current directory:
// a file dialog, a relative --data-dir or a library caller cannot make the
// program write into another folder.

#include <QString>
#include <QStringList>

class DataFolder {
public:
    // No folder: nothing can be opened or saved.
    DataFolder() = default;
    // The folder at path; a relative path is made absolute here, once.
    explicit DataFolder(const QString &path);

    bool IsSet() const { return !path_.isEmpty(); }
    const QString &Path() const { return path_; }

    // name inside the folder (empty when no folder is set).
    QString File(const QString &name) const;
    QString PlayerFile(const QString &player) const;      // "<player>.pcd"
    QString BackupFile(const QString &player) const;      // "<player>.Bak"
    QString TimesFile(const QString &player) const;       // "<player>.times", the play times
    QString TimesBackupFile(const QString &player) const; // "<player>.times.Bak"
    QString LockFile(const QString &player) const;        // ".<player>.pcd.lock", hidden
    // "backup/<player>", the player's dated copies.
    QString GenerationFolder(const QString &player) const;

    // The names of the "*.pcd" files (the players' files), in no order; not
    // the sync programs' conflict copies.
    QStringList PlayerFileNames() const;

private:
    QString path_;
};

// ".times": the play-times file beside the player's file.
QString TimesExtension();

// The data folder to use: dir when given (made absolute), otherwise
// $XDG_DATA_HOME/ledra3; created when missing. False with a reason, also
// when it cannot be read.
bool PrepareDataFolder(const QString &dir, DataFolder &folder, QString &error);

// Why the folder at path cannot be read (its files listed and opened), as a
// message that names it; empty when it can. An empty player list would let
// the person think every player gone.
QString UnreadableFolderText(const QString &path);
