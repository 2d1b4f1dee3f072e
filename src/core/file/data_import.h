#pragma once
// Conversion of the previous version's "Name.Dat" and "Data.Dat" into player files.

#include <QList>
#include <QStringList>
#include <QtGlobal>

class ItemReader;
class Platform;

void DataImport(Platform &platform);

// One record of "Data.Dat": the player's slot and five fields of a play record.
struct OldRecord {
    qint16 player = 0;
    qint16 year = 0, month = 0, day = 0;
    qint32 toushi = 0, kaishuu = 0;
};

// The five player names of "Name.Dat"; false when it holds fewer than five entries.
bool ReadOldNames(ItemReader &reader, QStringList &names);
// Every record of "Data.Dat" in file order; false when a value does not fit its field.
bool ReadOldRecords(ItemReader &reader, QList<OldRecord> &records);
