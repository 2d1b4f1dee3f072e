#pragma once
// Puts a player's records and lists in place the way the program does,
// through ChangePlayerData, for tests that start from a given player. The
// modified flag stays as it was: setting up is not the person's change.

#include "core/model/shared_data.h"

#include <QList>

// Replaces the records; false when the table refuses them.
bool SetRecords(SharedData &shared, const QList<PlayRecord> &records);
// Appends records to those the table holds.
bool AddRecords(SharedData &shared, const QList<PlayRecord> &records);
bool AddRecord(SharedData &shared, const PlayRecord &record);
bool AddRecord(SharedData &shared, qint16 DYear, qint16 DMonth, qint16 DDay, qint32 DToushi,
               qint32 DKaishuu, qint16 DSId, qint16 DMId, const QString &DComment);
void SetStores(SharedData &shared, const QList<MasterEntry> &entries);
void SetMachines(SharedData &shared, const QList<MasterEntry> &entries);
