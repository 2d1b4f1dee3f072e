#include "core/file/conflict_merge.h"

#include "core/file/data_folder.h"
#include "core/file/item_reader.h"
#include "core/file/play_times_file.h"
#include "core/file/user_data_file.h"
#include "core/model/master_ids.h"
#include "core/model/record_sort.h"
#include "core/model/shared_data.h"
#include "core/util/numbers.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
bool hasTimes(const PlayRecord &r)
{
    return r.startMinute != kNoTime || r.endMinute != kNoTime;
}

// The times and the other details of two visits agree.
bool sameDetails(const PlayRecord &a, const PlayRecord &b)
{
    return a.startMinute == b.startMinute && a.endMinute == b.endMinute && a.rate == b.rate &&
           a.spins == b.spins && a.jackpots == b.jackpots && a.tags == b.tags;
}

// Gives mine each detail it lacks that r has (start and end are one); never
// changes one it has. False when it lacked none that r has.
bool takeMissingDetails(PlayRecord &mine, const PlayRecord &r)
{
    bool took = false;
    const auto take = [&took](auto &field, const auto &theirs, bool lacking, bool having) {
        if (lacking && having) {
            field = theirs;
            took = true;
        }
    };
    if (!hasTimes(mine) && hasTimes(r)) {
        mine.startMinute = r.startMinute;
        mine.endMinute = r.endMinute;
        took = true;
    }
    take(mine.rate, r.rate, !mine.rate.IsSet(), r.rate.IsSet());
    take(mine.spins, r.spins, mine.spins == kNoCount, r.spins != kNoCount);
    take(mine.jackpots, r.jackpots, mine.jackpots == kNoCount, r.jackpots != kNoCount);
    take(mine.tags, r.tags, mine.tags.isEmpty(), !r.tags.isEmpty());
    return took;
}

// A store or machine list as the merge sees it: names by ID and IDs by name.
class Names {
public:
    explicit Names(const QList<MasterEntry> &entries) : entries_(entries)
    {
        for (const MasterEntry &e : entries)
            add(e);
    }

    // What a visit's ID stands for: the name, or the ID itself when no entry
    // has it (then only the same missing ID is the same store).
    QString KeyOf(qint16 id) const
    {
        const auto it = names_.constFind(id);
        return it != names_.cend() ? *it : u"\x01"_s + QString::number(id);
    }

    // The IDs the copy's list and visits use, mapped onto this list. A name
    // this list lacks becomes an entry with a free ID (the copy's own when
    // free); added receives them. An ID no entry of the copy has stays when
    // no entry here has it either, as the CSV import keeps one.
    QHash<qint16, qint16> Map(const SMData &copy, const QSet<qint16> &copyUsed,
                              const QSet<qint16> &usedHere, QList<CsvExchange::NewEntry> &added)
    {
        QHash<qint16, qint16> map;
        QSet<qint16> taken = usedHere;
        for (const MasterEntry &e : entries_)
            taken.insert(e.ID);
        // Names this list lacks, each once, and the copy's IDs that name them.
        QList<MasterEntry> pending;
        QHash<QString, qsizetype> pendingAt;
        QList<std::pair<qint16, qsizetype>> deferred;
        for (const MasterEntry &e : copy.Entries()) {
            if (const auto it = ids_.constFind(e.Name); it != ids_.cend()) {
                map.insert(e.ID, it->contains(e.ID) ? e.ID : it->first());
                continue;
            }
            qsizetype at = pendingAt.value(e.Name, -1);
            if (at < 0) {
                at = pending.size();
                pending.append(e);
                pendingAt.insert(e.Name, at);
            }
            deferred.append({e.ID, at});
        }
        for (qint16 id : copyUsed) {
            if (map.contains(id) || copy.SeekJunban(id) > 0)
                continue;
            const qint16 kept = names_.contains(id) ? qint16(0) : id;
            map.insert(id, kept);
            taken.insert(kept);
        }
        // The new names' IDs last, once every ID in use is known (0: none free).
        QList<qint16> newIds;
        for (const MasterEntry &p : std::as_const(pending)) {
            const qint16 id = ChooseMasterId(taken, p.ID);
            newIds.append(id);
            if (id == 0)
                continue;
            taken.insert(id);
            const MasterEntry entry{id, p.Name};
            InsertInIdOrder(entries_, entry);
            add(entry);
            added.append(CsvExchange::NewEntry{id, p.Name});
        }
        for (const auto &[copyId, at] : std::as_const(deferred))
            map.insert(copyId, newIds[at]);
        return map;
    }

    bool Has(qint16 id) const { return names_.contains(id); }
    const QList<MasterEntry> &Entries() const { return entries_; }

private:
    void add(const MasterEntry &e)
    {
        names_.insert(e.ID, e.Name);
        ids_[e.Name].append(e.ID);
    }

    QList<MasterEntry> entries_;
    QHash<qint16, QString> names_;
    QHash<QString, QList<qint16>> ids_;
};

// What makes two visits the same.
struct VisitKey {
    qint16 year, month, day;
    qint32 toushi, kaishuu;
    QString store, machine, comment;
    friend bool operator==(const VisitKey &, const VisitKey &) = default;
    friend size_t qHash(const VisitKey &k, size_t salt = 0)
    {
        return qHashMulti(salt, k.year, k.month, k.day, k.toushi, k.kaishuu, k.store, k.machine,
                          k.comment);
    }
};

VisitKey keyOf(const PlayRecord &r, const Names &stores, const Names &machines)
{
    return {r.DYear,
            r.DMonth,
            r.DDay,
            r.DToushi,
            r.DKaishuu,
            stores.KeyOf(r.DSId),
            machines.KeyOf(r.DMId),
            r.DComment};
}

struct CopyTables {
    Data data;
    SMData stores;
    SMData machines;
};

// Reads the copy as a player is opened; false when its player file cannot be opened.
bool readCopy(const ConflictCopy &copy, CopyTables &t, CopyMerge &merge)
{
    ItemReader reader;
    if (!reader.Open(copy.path.isEmpty() ? copy.basePath : copy.path, &merge.seen))
        return false;
    t.data.ReadFileData(reader);
    t.stores.ReadFileData(reader, UserDataFile::StoreMarker());
    t.machines.ReadFileData(reader, UserDataFile::MachineMarker());
    const TimesReading times =
        copy.timesPath.isEmpty() ? TimesReading() : ReadPlayTimes(copy.timesPath, t.data);
    merge.unread =
        t.data.UnreadRecords() + t.stores.Unread() + t.machines.Unread() + times.unmatched;
    return true;
}

// Compares one copy with the merged state so far and adds what it brings.
void mergeCopy(const CopyTables &t, CopyMerge &merge, QList<PlayRecord> &records, Names &stores,
               Names &machines)
{
    CsvExchange::ImportPreview &added = merge.added;
    // The player's visits by what makes them the same, each to be used once.
    QHash<VisitKey, QList<qsizetype>> held;
    QSet<qint16> storesUsed, machinesUsed;
    for (qsizetype j = 0; j < records.size(); ++j) {
        held[keyOf(records[j], stores, machines)].append(j);
        storesUsed.insert(records[j].DSId);
        machinesUsed.insert(records[j].DMId);
    }
    const Names copyStores(t.stores.Entries()), copyMachines(t.machines.Entries());
    const qint32 n = t.data.ListCount();
    QList<VisitKey> keys;
    QSet<qint16> copyStoresUsed, copyMachinesUsed;
    keys.reserve(n);
    for (qint32 i = 1; i <= n; ++i) {
        const PlayRecord &r = t.data.Record(i);
        keys.append(keyOf(r, copyStores, copyMachines));
        copyStoresUsed.insert(r.DSId);
        copyMachinesUsed.insert(r.DMId);
    }
    // First the pairs whose times and details agree too, so that details are
    // taken only by the visits that lack them.
    std::vector<bool> paired(size_t(std::max(n, 0)), false);
    for (qint32 i = 0; i < n; ++i) {
        const PlayRecord &r = t.data.Record(i + 1);
        const auto it = held.find(keys[i]);
        if (it == held.end())
            continue;
        for (qsizetype k = 0; k < it->size(); ++k) {
            const PlayRecord &mine = records[(*it)[k]];
            if (sameDetails(mine, r)) {
                it->removeAt(k);
                paired[i] = true;
                ++added.Present;
                break;
            }
        }
    }
    const qsizetype before = added.NewStores.size(), beforeMachines = added.NewMachines.size();
    const QHash<qint16, qint16> storeIds =
        stores.Map(t.stores, copyStoresUsed, storesUsed, added.NewStores);
    const QHash<qint16, qint16> machineIds =
        machines.Map(t.machines, copyMachinesUsed, machinesUsed, added.NewMachines);
    QSet<qint16> newStores, newMachines;
    for (qsizetype k = before; k < added.NewStores.size(); ++k)
        newStores.insert(added.NewStores[k].ID);
    for (qsizetype k = beforeMachines; k < added.NewMachines.size(); ++k)
        newMachines.insert(added.NewMachines[k].ID);

    QList<PlayRecord> fresh;
    for (qint32 i = 0; i < n; ++i) {
        if (paired[i])
            continue;
        const PlayRecord &r = t.data.Record(i + 1);
        if (const auto it = held.find(keys[i]); it != held.end() && !it->isEmpty()) {
            PlayRecord &mine = records[it->takeFirst()];
            ++added.Present;
            merge.detailsTaken += takeMissingDetails(mine, r) ? 1 : 0;
            continue;
        }
        PlayRecord mapped = r;
        mapped.DSId = storeIds.value(r.DSId);
        mapped.DMId = machineIds.value(r.DMId);
        // A name that found no free ID keeps its visits in the copy, named.
        if ((mapped.DSId == 0 && copyStores.Has(r.DSId)) ||
            (mapped.DMId == 0 && copyMachines.Has(r.DMId))) {
            added.Invalid.append(
                {i + 1, u"店か台のIDが999までふさがっているため、取り込めません"_s});
            ++added.InvalidCount;
            continue;
        }
        const bool newName = newStores.contains(mapped.DSId) || newMachines.contains(mapped.DMId);
        added.NewRows.append(CsvExchange::ImportRow{i + 1, mapped, newName});
        added.NewNameRowCount += newName ? 1 : 0;
        fresh.append(mapped);
    }
    added.NewRowCount = qint32(added.NewRows.size());
    if (!fresh.isEmpty()) {
        records.append(fresh);
        SortRecords(records);
    }
}
} // namespace

bool CopyMerge::HasNews() const
{
    return !added.NewRows.isEmpty() || detailsTaken > 0 || !added.NewStores.isEmpty() ||
           !added.NewMachines.isEmpty();
}

bool ConflictMerge::HasNews() const
{
    return std::any_of(copies.cbegin(), copies.cend(),
                       [](const CopyMerge &c) { return c.HasNews(); });
}

qint32 ConflictMerge::VisitsAdded() const
{
    qint32 n = 0;
    for (const CopyMerge &c : copies)
        n += c.added.NewRowCount;
    return n;
}

qint32 ConflictMerge::DetailsTaken() const
{
    qint32 n = 0;
    for (const CopyMerge &c : copies)
        n += c.detailsTaken;
    return n;
}

ConflictMerge PreviewConflictMerge(const SharedData &shared, const QList<ConflictCopy> &copies)
{
    ConflictMerge merge;
    merge.records.reserve(shared.data.ListCount());
    for (qint32 n = 1; n <= shared.data.ListCount(); ++n)
        merge.records.append(shared.data.Record(n));
    Names stores(shared.Stores.Entries()), machines(shared.Machines.Entries());
    for (const ConflictCopy &copy : copies) {
        CopyMerge one;
        one.copy = copy;
        CopyTables tables;
        one.readable = readCopy(copy, tables, one);
        if (one.readable)
            mergeCopy(tables, one, merge.records, stores, machines);
        merge.copies.append(one);
    }
    merge.stores = stores.Entries();
    merge.machines = machines.Entries();
    return merge;
}

ConflictCopy PlayerFilesAsCopy(const SharedData &shared, const QString &name)
{
    ConflictCopy copy;
    copy.path = copy.basePath = shared.folder.PlayerFile(name);
    copy.timesPath = shared.folder.TimesFile(name);
    copy.name.original = name + UserDataFile::PcdExtension();
    return copy;
}

bool MergeFits(const ConflictMerge &merge, const SharedData &shared, QString &message)
{
    const ChangeOutcome trial = TryRecords(merge.records);
    if (trial)
        return true;
    if (trial.reason == Data::Refusal::TooManyRecords)
        message = u"成績は"_s + FormatGrouped(Data::kMaxRecords) +
                  u"件までしか記録できないため、取り込めません。（今の成績 "_s +
                  FormatGrouped(shared.data.ListCount()) + u"件、取り込む成績 "_s +
                  FormatGrouped(merge.VisitsAdded()) + u"件）"_s;
    else
        message = u"収支の合計が記録できる範囲（±"_s +
                  FormatGrouped(std::numeric_limits<qint32>::max()) +
                  u"円）を超えるため、取り込めません。"_s;
    return false;
}

ChangeOutcome ApplyConflictMerge(SharedData &shared, const ConflictMerge &merge)
{
    if (!merge.HasNews()) {
        ChangeOutcome nothing;
        nothing.applied = true;
        return nothing;
    }
    DataChange change;
    change.records = merge.records;
    if (merge.stores != shared.Stores.Entries())
        change.stores = merge.stores;
    if (merge.machines != shared.Machines.Entries())
        change.machines = merge.machines;
    return ChangePlayerData(shared, change);
}
