#pragma once
// Saving a player's data file. The new content goes to a temporary file in the
// same folder and replaces the user data file only when every byte was written
// and synced; the previous file becomes the backup file first. A failed save
// leaves the previous file as it was and says why, naming the file and the
// system's reason. Nothing here shows a message: the window asks the questions
// and shows the texts.
//
// Every file is replaced by a rename in its folder: a link in a file's place
// is replaced, never followed, so a save never writes outside the data folder.

#include "core/file/uncarried_text.h"
#include "core/platform.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QIODevice;
struct SharedData;

// Writes bytes to a device and returns the number written (or -1). Tests
// replace it to inject failures.
using SaveWriteFn = std::function<qint64(QIODevice &, const QByteArray &)>;

struct SaveResult {
    bool saved = false;
    QString failure; // not saved: why (OK only, no icon, the application's title)
    QString notice;  // saved, but the day's dated copy could not be kept
    // Not saved because a comment or name holds text the file cannot hold.
    std::optional<UncarriedText> uncarried;
    explicit operator bool() const { return saved; }
};

// The questions to put before saving the player; the save goes on only when
// each is answered OK: parts of it could not be read and would be dropped;
// last, when the times file could not be read: the records alone are saved,
// and the times file and its backup are left as they are. (A file another
// computer saved since it was read is merged into the data or kept under
// backup/<name>/ before these are asked: conflict_merge.h.)
QList<MessageBoxText> SaveQuestions(const SharedData &shared, const QString &UserName);

// Saves the player's data to "<UserName>.pcd" of the data folder (the
// questions above answered). The previous file becomes "<UserName>.Bak" with
// its permissions, unless it is empty (a good backup is never replaced by
// nothing), and the state saved becomes the day's dated copy (generations.h).
// Anything in the file's place that is not a regular file fails the save,
// without being opened; so does a player opened read-only.
SaveResult SavePlayerFile(SharedData &shared, const QString &UserName,
                          const SaveWriteFn &write = SaveWriteFn());

// Writes bytes to fileName through a temporary file and a rename, then syncs
// the folder. permissions are the file's mode bits; -1 keeps those of the
// file replaced (a new file gets the usual ones). False on any failure, with
// the system's error number in *error when given (0 when none is known); the
// old file is then untouched. Without sync nothing waits for the disk (for
// copies of what another file holds safely).
bool ReplaceFileContents(const QString &fileName, const QByteArray &bytes,
                         const SaveWriteFn &write = SaveWriteFn(), int permissions = -1,
                         int *error = nullptr, bool sync = true);

// The system's reason for a failed file operation, in words: "ディスクの空き容量が
// 足りません" for ENOSPC and so on; the system's own text for the rarer ones.
QString SystemErrorText(int error);
// The same for a file or folder that could not be read: "読む権限がありません"
// where permission was refused.
QString ReadErrorText(int error);
