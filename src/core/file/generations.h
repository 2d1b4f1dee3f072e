#pragma once
// Dated copies of each player's file in the "backup" folder of the data
// folder, so that a mistaken save weeks ago can still be undone: one copy per
// day of saving, holding the file as that day's last save left it, the last
// 30 kept. The player list never shows them (they are in a sub-folder).

#include "core/file/save_sequence.h"

#include <QByteArray>
#include <QDate>
#include <QString>

class DataFolder;

inline constexpr int kGenerationsKept = 30;

// Keeps previous, the player's file as last saved on day, as that day's copy
// "backup/<name>/yyyy-MM-dd.pcd" unless the day has one already, then removes
// the oldest copies beyond 30. False when the copy could not be written.
bool KeepGeneration(const DataFolder &folder, const QString &name, const QByteArray &previous,
                    const QDate &day, int permissions, const SaveWriteFn &write = SaveWriteFn());
