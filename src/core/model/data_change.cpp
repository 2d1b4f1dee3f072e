#include "core/model/data_change.h"

#include "core/model/shared_data.h"

namespace {
void replaceList(SMData &list, const QList<MasterEntry> &entries)
{
    // The list's arrays end with the spare element.
    QList<qint16> ids;
    QList<QString> names;
    ids.reserve(entries.size() + 1);
    names.reserve(entries.size() + 1);
    for (const MasterEntry &e : entries) {
        ids.append(e.ID);
        names.append(e.Name);
    }
    ids.append(0);
    names.append(QString());
    list.WriteData(ids, names);
}

void computeSummary(SharedData &shared)
{
    States &s = shared.states;
    shared.data.CalcStatus(s.WakeKin, s.Kachi, s.Make, s.Wake, s.Kingaku);
}
} // namespace

ChangeOutcome ChangePlayerData(SharedData &shared, const DataChange &change)
{
    ChangeOutcome outcome;
    if (change.records) {
        // Tried on a scratch table first, so that a refusal changes nothing.
        Data trial;
        const QList<PlayRecord> &records = *change.records;
        for (qsizetype i = 0; i < records.size(); ++i) {
            if (!trial.DataWrite(records[i])) {
                outcome.refusedRecord = i;
                return outcome;
            }
        }
        shared.data.DataClear();
        for (const PlayRecord &r : records)
            shared.data.DataWrite(r);
    }
    if (change.stores)
        replaceList(shared.Stores, *change.stores);
    if (change.machines)
        replaceList(shared.Machines, *change.machines);
    shared.states.Corrected = true;
    computeSummary(shared);
    outcome.applied = true;
    emit shared.notifier.changed();
    return outcome;
}

void RecomputeSummary(SharedData &shared)
{
    computeSummary(shared);
    emit shared.notifier.changed();
}
