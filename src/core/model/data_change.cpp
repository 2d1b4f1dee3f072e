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

ChangeOutcome TryRecords(const QList<PlayRecord> &records)
{
    // Tried on a scratch table, so that a refusal changes nothing.
    ChangeOutcome outcome;
    Data trial;
    for (qsizetype i = 0; i < records.size(); ++i) {
        outcome.reason = trial.WriteRefusal(records[i]);
        if (outcome.reason != Data::Refusal::None) {
            outcome.refusedRecord = i;
            return outcome;
        }
        trial.DataWrite(records[i]);
    }
    outcome.applied = true;
    return outcome;
}

ChangeOutcome ChangePlayerData(SharedData &shared, const DataChange &change)
{
    ChangeOutcome outcome;
    if (change.records) {
        outcome = TryRecords(*change.records);
        if (!outcome)
            return outcome;
        shared.data_.DataClear();
        for (const PlayRecord &r : *change.records)
            shared.data_.DataWrite(r);
    }
    if (change.stores)
        replaceList(shared.stores_, *change.stores);
    if (change.machines)
        replaceList(shared.machines_, *change.machines);
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
