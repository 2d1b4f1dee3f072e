#pragma once
// Saving a player's data file. The new content goes to a temporary file in the
// same folder and replaces the user data file only when every byte was written
// and flushed; the previous file is copied to the backup file first. A failed
// save reports its message, leaves the previous file as it was and returns false.
// Records left unread when the file was opened (an oversized table) are only
// dropped from the file after the person agreed; otherwise nothing is saved.

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;
struct SharedData;

// Writes bytes to a device and returns the number written (or -1). Tests
// replace it to inject failures.
using SaveWriteFn = std::function<qint64(QIODevice &, const QByteArray &)>;

bool SavePlayerFile(SharedData &shared, const QString &UserName,
                    const SaveWriteFn &write = SaveWriteFn());

// Writes bytes to fileName through a temporary file and a rename, then syncs
// the folder. False on any failure; the old file is then untouched.
bool ReplaceFileContents(const QString &fileName, const QByteArray &bytes,
                         const SaveWriteFn &write = SaveWriteFn());
