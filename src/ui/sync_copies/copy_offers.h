#pragma once
// What the windows do for a player whose data folder a sync program shares
// with another computer: offer the sync program's conflict copies for merging
// (conflict_copies.h), and ask before a save overwrites a player file that
// another computer or program saved meanwhile.

#include <QString>

struct SharedData;

enum class OfferMoment {
    Opening,    // the player was just opened: every copy
    BeforeSave, // the copies that arrived since
};

// Tells of the open player's conflict copies and offers to merge them
// (取り込む / 後で). 取り込む shows what would be added and, confirmed,
// merges them into the data, which the next save writes; 後で leaves
// everything as it is. At opening, a copy whose visits the player holds
// already moves into backup/<name>/ (the file just read holds all of it), and
// leftover copies of the lock are removed.
void OfferConflictCopies(SharedData &shared, OfferMoment moment);

// Before a save of player name: when its files changed on disk since they
// were read or saved, asks 取り込んでから保存 (the default: merges the
// file's visits that the data lacks, after a preview), 上書き (keeps the
// file under backup/<name>/ first) or キャンセル. False: do not save.
bool SettleChangedFiles(SharedData &shared, const QString &name);

// After a save of player name: the conflict copies whose visits the saved
// file now holds move into backup/<name>/, and the dated copies' conflict
// copies that were offered are pruned with the dated copies.
void AfterSave(SharedData &shared, const QString &name);
