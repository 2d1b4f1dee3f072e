#pragma once
// Dated copies of each player's files in the "backup" folder of the data
// folder, so that a mistaken save weeks ago can still be undone: for each day
// on which the person saved, the state the last save of that day left, the
// last 30 days kept. The player list never shows them (they are in a
// sub-folder).

#include "core/file/save_sequence.h"

#include <QByteArray>
#include <QDate>
#include <QString>

class DataFolder;

inline constexpr int kGenerationsKept = 30;

// Keeps bytes, the state of the player's file name + extension (".pcd") just
// saved on day, as "backup/<name>/yyyy-MM-dd<extension>", replacing that
// day's earlier copy, then removes the copies of the days beyond the last 30.
// Empty bytes (no file written: the play times while no visit has any)
// remove that day's copy. "backup" and "backup/<name>" must be folders of
// their own: a link in their place is never written through. Empty when
// kept; otherwise the notice that says why not.
QString KeepGeneration(const DataFolder &folder, const QString &name, const QString &extension,
                       const QByteArray &bytes, const QDate &day, int permissions,
                       const SaveWriteFn &write = SaveWriteFn());
