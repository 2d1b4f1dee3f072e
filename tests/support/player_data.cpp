#include "support/player_data.h"

namespace {
bool change(SharedData &shared, const DataChange &what)
{
    const bool corrected = shared.states.Corrected;
    const bool applied = bool(ChangePlayerData(shared, what));
    shared.states.Corrected = corrected;
    return applied;
}

QList<PlayRecord> recordsOf(const Data &data)
{
    QList<PlayRecord> records;
    records.reserve(data.ListCount());
    for (qint32 n = 1; n <= data.ListCount(); ++n)
        records.append(data.Record(n));
    return records;
}
} // namespace

bool SetRecords(SharedData &shared, const QList<PlayRecord> &records)
{
    return change(shared, DataChange{records, {}, {}});
}

bool AddRecords(SharedData &shared, const QList<PlayRecord> &records)
{
    return SetRecords(shared, recordsOf(shared.data) + records);
}

bool AddRecord(SharedData &shared, const PlayRecord &record)
{
    return AddRecords(shared, {record});
}

bool AddRecord(SharedData &shared, qint16 DYear, qint16 DMonth, qint16 DDay, qint32 DToushi,
               qint32 DKaishuu, qint16 DSId, qint16 DMId, const QString &DComment)
{
    return AddRecord(shared,
                     PlayRecord{DYear, DMonth, DDay, DToushi, DKaishuu, DSId, DMId, DComment});
}

void SetStores(SharedData &shared, const QList<MasterEntry> &entries)
{
    change(shared, DataChange{{}, entries, {}});
}

void SetMachines(SharedData &shared, const QList<MasterEntry> &entries)
{
    change(shared, DataChange{{}, {}, entries});
}
