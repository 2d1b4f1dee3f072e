#include "core/file/csv_exchange.h"

#include "core/file/cp932.h"
#include "core/file/user_data_file.h"
#include "core/model/master_ids.h"
#include "core/model/play_time.h"
#include "core/model/record_sort.h"
#include "core/model/record_table.h"
#include "core/model/shared_data.h"
#include "core/model/visit_details.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace CsvExchange {

namespace {
enum Column {
    CDate,
    CYoubi,
    CToushi,
    CKaishuu,
    CBalance,
    CStore,
    CMachine,
    CComment,
    CSId,
    CMId,
    CStart,
    CEnd,
    CRate,
    CSpins,
    CJackpots,
    CTags
};
constexpr int kColumns = CTags + 1;

// The problems listed one by one; beyond them only counted.
constexpr qsizetype kListedProblems = 1000;

QString quoted(const QString &text)
{
    return u"「"_s + text + u"」"_s;
}

// A cell's text as a message shows it: long ones cut short.
QString shown(const QString &text)
{
    return quoted(text.size() > 24 ? text.left(24) + u"…"_s : text);
}

QString dateText(const PlayRecord &r)
{
    return FormatZeroPad(r.DYear, 4) + u'/' + FormatZeroPad(r.DMonth, 2) + u'/' +
           FormatZeroPad(r.DDay, 2);
}

// "2026/03/05", also with "-" or "." and without leading zeros, as
// spreadsheets rewrite dates, and in full-width forms. False unless it is a
// real date of 1950..2100.
bool parseDate(const QString &text, PlayRecord &r)
{
    // A time that a spreadsheet may add ("2026/03/05 0:00") is dropped.
    const QString t = HalfWidthForms(text).trimmed().section(u' ', 0, 0);
    QStringList parts;
    for (QChar sep : {u'/', u'-', u'.'}) {
        if (t.contains(sep)) {
            parts = t.split(sep);
            break;
        }
    }
    if (parts.size() != 3)
        return false;
    int values[3] = {};
    for (int k = 0; k < 3; ++k) {
        bool ok = false;
        values[k] = parts[k].toInt(&ok);
        if (!ok || parts[k].isEmpty() || parts[k].startsWith(u'+') || parts[k].startsWith(u'-'))
            return false;
    }
    if (values[0] < 1950 || values[0] > 2100 || values[1] < 1 || values[1] > 12 || values[2] < 1 ||
        values[2] > 31)
        return false;
    r.DYear = qint16(values[0]);
    r.DMonth = qint16(values[1]);
    r.DDay = qint16(values[2]);
    QString youbi;
    return YoubiGet(youbi, r.DYear, r.DMonth, r.DDay);
}

// A whole number of a cell as a person types it (full-width digits, grouping
// commas, a yen sign; ReadTypedNumber), within [low, high]. An empty problem
// when it is one; what is wrong otherwise.
template <typename T> QString readWhole(const QString &what, const QString &text, T &value)
{
    const std::optional<double> v = ReadTypedNumber(text);
    if (!v)
        return what + shown(text) + u"が数値ではありません"_s;
    if (*v != std::trunc(*v))
        return what + shown(text) + u"が整数ではありません"_s;
    if (*v < double(std::numeric_limits<T>::min()) || *v > double(std::numeric_limits<T>::max()))
        return what + shown(text) + u"が大きすぎます"_s;
    value = T(*v);
    return QString();
}

bool hasControl(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    return false;
}

// A store or machine list seen from the import: names to IDs and the names
// to add. The new names get their IDs once every row has been read, so that
// no new name takes an ID that a row without a name uses.
class NameMatcher {
public:
    // inUse: IDs that records use without an entry.
    NameMatcher(const SMData &list, const QSet<qint16> &inUse) : taken_(inUse)
    {
        for (const MasterEntry &e : list.Entries()) {
            idsOf_[e.Name].append(e.ID);
            listed_.insert(e.ID);
        }
        taken_.unite(listed_);
    }

    struct Match {
        qint16 id = 0;
        int newName = -1; // the index of a name to add
        QString problem;  // why the name cannot be taken
    };

    // The ID for a name, and the ID column's value when the file has one.
    Match Find(const QString &name, std::optional<qint16> fileId, const QString &what)
    {
        Match m;
        if (name.isEmpty() || name == UnknownName()) {
            // No name: the ID stays when no entry has it, as it did in the file.
            m.id = fileId && !listed_.contains(*fileId) ? *fileId : qint16(0);
            taken_.insert(m.id);
            return m;
        }
        if (const auto it = idsOf_.constFind(name); it != idsOf_.cend()) {
            m.id = fileId && it->contains(*fileId) ? *fileId : it->first();
            return m;
        }
        if (const auto it = added_.constFind(name); it != added_.cend()) {
            m.newName = *it;
            return m;
        }
        // Commas and quotes the player's file cannot carry in a name.
        if (name.contains(u',') || hasControl(name) || !UserDataFile::CanCarryText(name)) {
            m.problem = what + shown(name) + u"に使えない文字があります"_s;
            return m;
        }
        m.newName = int(pending_.size());
        added_.insert(name, m.newName);
        pending_.append({name, fileId.value_or(0)});
        return m;
    }

    // The new names with their IDs, in the order the rows named them; ID 0
    // when all of 1..999 are taken.
    QList<NewEntry> Assign()
    {
        QList<NewEntry> out;
        for (const auto &[name, wanted] : std::as_const(pending_)) {
            const qint16 id = ChooseMasterId(taken_, wanted);
            if (id != 0)
                taken_.insert(id);
            out.append(NewEntry{id, name});
        }
        return out;
    }

private:
    QHash<QString, QList<qint16>> idsOf_;
    QHash<QString, int> added_;
    QList<std::pair<QString, qint16>> pending_;
    QSet<qint16> listed_;
    QSet<qint16> taken_;
};

// What makes two visits the same: date, amounts, store and machine.
struct RecordKey {
    qint16 year, month, day;
    qint32 toushi, kaishuu;
    qint16 store, machine;
    friend bool operator==(const RecordKey &, const RecordKey &) = default;
    friend size_t qHash(const RecordKey &k, size_t salt = 0)
    {
        return qHashMulti(salt, k.year, k.month, k.day, k.toushi, k.kaishuu, k.store, k.machine);
    }
};

RecordKey keyOf(const PlayRecord &r)
{
    return {r.DYear, r.DMonth, r.DDay, r.DToushi, r.DKaishuu, r.DSId, r.DMId};
}

// The cells of one row that the import reads, decoded.
class RowCells {
public:
    RowCells(Csv::Reader &reader, const int (&at)[kColumns]) : reader_(reader), at_(at) {}

    // Decodes the row's used cells; false with the problem when a cell's
    // bytes cannot be read or a cell is longer than anything the file holds.
    bool Read(const Csv::Row &row, QString &problem)
    {
        static const QStringList names = RecordTitles();
        for (int c = 0; c < kColumns; ++c) {
            text_[c].clear();
            // 曜日 and 収支 follow from the others.
            if (c == CYoubi || c == CBalance || at_[c] < 0 || at_[c] >= row.fields.size())
                continue;
            const QByteArray &field = row.fields[at_[c]];
            // A character takes at most four bytes: longer is too long unread.
            if (field.size() > 4 * UserDataFile::kMaxTextLength) {
                problem = names[c] + u"が長すぎます（"_s +
                          FormatGrouped(double(UserDataFile::kMaxTextLength)) + u"文字まで）"_s;
                return false;
            }
            qsizetype bad = -1;
            if (!reader_.Decode(field, text_[c], bad)) {
                const qsizetype at = row.starts[at_[c]] + bad + 1;
                problem =
                    FormatGrouped(double(at)) + u"バイト目（0x"_s +
                    QString::number(quint8(field[bad]), 16).toUpper().rightJustified(2, u'0') +
                    u"）がUTF-8の文字として読めません"_s;
                return false;
            }
            if (text_[c].size() > UserDataFile::kMaxTextLength) {
                problem = names[c] + u"が長すぎます（"_s +
                          FormatGrouped(double(UserDataFile::kMaxTextLength)) + u"文字まで）"_s;
                return false;
            }
        }
        return true;
    }
    const QString &operator[](int column) const { return text_[column]; }

private:
    Csv::Reader &reader_;
    const int (&at_)[kColumns];
    QString text_[kColumns];
};

// The visit's rate, spins, jackpots and tags, read as they are typed
// (visit_details.h); an empty problem when each is one or empty.
QString readDetails(const RowCells &cells, PlayRecord &r)
{
    if (const std::optional<PlayRate> rate = ReadRate(cells[CRate]))
        r.rate = *rate;
    else
        return u"レート"_s + shown(cells[CRate]) +
               u"が正しくありません（例: 4円パチンコ、20円スロット）"_s;
    const auto count = [&cells](int column, const QString &what, qint32 max, qint32 &value) {
        const std::optional<qint32> n = ReadCount(cells[column], max);
        if (n)
            value = *n;
        return n ? QString()
                 : what + shown(cells[column]) + u"が0から"_s + FormatGrouped(max) +
                       u"までの整数ではありません"_s;
    };
    QString problem = count(CSpins, u"回転数"_s, kMaxSpins, r.spins);
    if (problem.isEmpty())
        problem = count(CJackpots, u"大当たり"_s, kMaxJackpots, r.jackpots);
    if (!problem.isEmpty())
        return problem;
    const QString tags = Csv::UnguardText(cells[CTags]);
    if (hasControl(tags))
        return u"タグに使えない文字（改行など）があります"_s;
    QString tooLong;
    if (const std::optional<QStringList> read = TagsFromText(tags, &tooLong))
        r.tags = *read;
    else
        return u"タグ"_s + shown(tooLong) + u"が長すぎます（"_s + QString::number(kMaxTagLength) +
               u"文字まで）"_s;
    return QString();
}
} // namespace

QStringList RecordTitles()
{
    return {u"日付"_s,   u"曜日"_s,     u"投資"_s,     u"回収"_s, u"収支"_s, u"店名"_s,
            u"台名"_s,   u"コメント"_s, u"店ID"_s,     u"台ID"_s, u"開始"_s, u"終了"_s,
            u"レート"_s, u"回転数"_s,   u"大当たり"_s, u"タグ"_s};
}

QString RecordsCsv(const Data &data, const SMData &Stores, const SMData &Machines)
{
    QString text = Csv::Line(RecordTitles());
    text.reserve(qsizetype(data.ListCount()) * 64 + text.size());
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        const PlayRecord &r = data.Record(n);
        QString youbi;
        YoubiGet(youbi, r.DYear, r.DMonth, r.DDay);
        // Names, comments and tags never reach a spreadsheet as formulas.
        Csv::AppendLine(
            text, {dateText(r), youbi, QString::number(r.DToushi), QString::number(r.DKaishuu),
                   QString::number(r.Balance()), Csv::GuardText(Stores.SeekName(r.DSId)),
                   Csv::GuardText(Machines.SeekName(r.DMId)), Csv::GuardText(r.DComment),
                   QString::number(r.DSId), QString::number(r.DMId), FormatClockTime(r.startMinute),
                   FormatClockTime(r.endMinute), RateText(r.rate), CountText(r.spins),
                   CountText(r.jackpots), Csv::GuardText(TagsText(r.tags))});
    }
    return text;
}

QString SummaryCsv(SummaryGrouping grouping, const QList<SummaryRow> &rows, const SummaryRow &total)
{
    const auto line = [](const SummaryRow &row) -> QString {
        QStringList values = SummaryValues(row);
        values[0] = Csv::GuardText(values[0]); // a store or machine name
        return Csv::Line(values);
    };
    QString text = Csv::Line(SummaryValueTitles(grouping));
    for (const SummaryRow &row : rows)
        text += line(row);
    return text + line(total);
}

qint32 ImportPreview::RowsToAdd(bool addNames) const
{
    return addNames ? NewRowCount : NewRowCount - NewNameRowCount;
}

ImportPreview PreviewImport(const QByteArray &bytes, const Data &data, const SMData &Stores,
                            const SMData &Machines)
{
    ImportPreview preview;
    Csv::Reader reader(bytes);
    preview.Encoding = reader.encoding();
    Csv::Row row;

    // The columns by their titles, in any order; 曜日 and 収支 are derived.
    int at[kColumns];
    const QStringList titles = RecordTitles();
    QStringList head;
    if (reader.Next(row)) {
        for (const QByteArray &field : std::as_const(row.fields)) {
            QString title;
            qsizetype bad = -1;
            reader.Decode(field, title, bad);
            head.append(title.trimmed());
        }
    }
    QStringList missing;
    for (int c = 0; c < kColumns; ++c) {
        at[c] = int(head.indexOf(titles[c]));
        const bool required =
            c == CDate || c == CToushi || c == CKaishuu || c == CStore || c == CMachine;
        if (required && at[c] < 0)
            missing.append(quoted(titles[c]));
    }
    if (!missing.isEmpty()) {
        preview.Error = u"1行目の見出しに"_s + missing.join(QString()) +
                        u"の列がありません。成績のCSVファイルではないようです。"_s;
        return preview;
    }

    // How many times the table holds each record, to be used up by the rows;
    // the IDs records use, which no new name may take.
    QHash<RecordKey, qint32> held;
    held.reserve(data.ListCount());
    QSet<qint16> storeIds, machineIds;
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        const PlayRecord &r = data.Record(n);
        ++held[keyOf(r)];
        storeIds.insert(r.DSId);
        machineIds.insert(r.DMId);
    }
    NameMatcher stores(Stores, storeIds), machines(Machines, machineIds);
    const auto invalid = [&preview](qint32 rowNumber, const QString &reason) {
        if (preview.Invalid.size() < kListedProblems)
            preview.Invalid.append(ImportProblem{rowNumber, reason});
        ++preview.InvalidCount;
    };
    // The rows that name a new store or machine, and which: their IDs come last.
    struct Pending {
        qsizetype index;
        int store, machine;
    };
    QList<Pending> pending;
    qint32 plainRows = 0;
    RowCells cells(reader, at);
    QString problem;
    while (reader.Next(row)) {
        if (std::all_of(row.fields.cbegin(), row.fields.cend(),
                        [](const QByteArray &f) { return f.trimmed().isEmpty(); }))
            continue; // an empty line
        if (row.unterminated) {
            const QString n = FormatGrouped(row.number);
            invalid(row.number, n + u"行目の引用符（\"）が閉じられていないため、"_s + n +
                                    u"行目から最後まで（"_s + FormatGrouped(row.lines) +
                                    u"行）を読めません"_s);
            continue;
        }
        if (!cells.Read(row, problem)) {
            invalid(row.number, problem);
            continue;
        }
        PlayRecord r;
        if (!parseDate(cells[CDate], r)) {
            invalid(row.number,
                    u"日付"_s + shown(cells[CDate]) + u"が正しくありません（例: 2026/03/05）"_s);
            continue;
        }
        std::optional<qint16> ids[2];
        problem = readWhole(u"投資"_s, cells[CToushi], r.DToushi);
        if (problem.isEmpty())
            problem = readWhole(u"回収"_s, cells[CKaishuu], r.DKaishuu);
        for (int k = 0; k < 2 && problem.isEmpty(); ++k) {
            const QString &text = cells[k == 0 ? CSId : CMId];
            qint16 id = 0;
            if (text.trimmed().isEmpty())
                continue; // no ID column, or no ID in it
            problem = readWhole(k == 0 ? u"店ID"_s : u"台ID"_s, text, id);
            ids[k] = id;
        }
        const auto readTime = [&](int column, const QString &what, qint16 &minute) {
            if (problem.isEmpty() && !ReadClockTime(cells[column], minute))
                problem = what + shown(cells[column]) + u"が時刻ではありません（例: 10:30）"_s;
        };
        readTime(CStart, u"開始"_s, r.startMinute);
        readTime(CEnd, u"終了"_s, r.endMinute);
        if (problem.isEmpty())
            problem = readDetails(cells, r);
        if (!problem.isEmpty()) {
            invalid(row.number, problem);
            continue;
        }
        if (r.DToushi == 0 && r.DKaishuu == 0) {
            invalid(row.number, u"投資と回収がどちらも0です"_s);
            continue;
        }
        if (r.Balance() < std::numeric_limits<qint32>::min() ||
            r.Balance() > std::numeric_limits<qint32>::max()) {
            invalid(row.number, u"収支が大きすぎます"_s);
            continue;
        }
        r.DComment = MapToCp932Forms(Csv::UnguardText(cells[CComment]));
        if (hasControl(r.DComment) || !UserDataFile::CanCarryText(r.DComment)) {
            invalid(row.number,
                    u"コメントに使えない文字（\"、改行、Shift_JISにない文字）があります"_s);
            continue;
        }
        const QString storeName = MapToCp932Forms(Csv::UnguardText(cells[CStore]));
        const QString machineName = MapToCp932Forms(Csv::UnguardText(cells[CMachine]));
        const auto store = stores.Find(storeName, ids[0], u"店名"_s);
        const auto machine = machines.Find(machineName, ids[1], u"台名"_s);
        if (!store.problem.isEmpty() || !machine.problem.isEmpty()) {
            invalid(row.number, !store.problem.isEmpty() ? store.problem : machine.problem);
            continue;
        }
        r.DSId = store.id;
        r.DMId = machine.id;

        const bool newName = store.newName >= 0 || machine.newName >= 0;
        if (!newName) {
            const auto it = held.find(keyOf(r));
            if (it != held.end() && *it > 0) {
                --*it;
                ++preview.Present;
                continue;
            }
        }
        // Past 32,767 rows of a kind the import is refused anyway: counted only.
        ++preview.NewRowCount;
        if (newName) {
            if (++preview.NewNameRowCount <= Data::kMaxRecords) {
                pending.append({preview.NewRows.size(), store.newName, machine.newName});
                preview.NewRows.append(ImportRow{row.number, r, true});
            }
        } else if (++plainRows <= Data::kMaxRecords) {
            preview.NewRows.append(ImportRow{row.number, r, false});
        }
    }

    // The new names' IDs, now that every ID the rows use is known. A name
    // that finds no free ID takes its rows with it.
    preview.NewStores = stores.Assign();
    preview.NewMachines = machines.Assign();
    QList<bool> dropped(preview.NewRows.size(), false);
    for (const Pending &p : std::as_const(pending)) {
        ImportRow &added = preview.NewRows[p.index];
        const NewEntry *names[2] = {p.store >= 0 ? &preview.NewStores[p.store] : nullptr,
                                    p.machine >= 0 ? &preview.NewMachines[p.machine] : nullptr};
        for (int k = 0; k < 2; ++k) {
            if (!names[k] || dropped[p.index])
                continue;
            if (names[k]->ID == 0) {
                invalid(added.Row, (k == 0 ? u"店名"_s : u"台名"_s) +
                                       u"のIDが999までふさがっているため、"_s +
                                       quoted(names[k]->Name) + u"を登録できません"_s);
                dropped[p.index] = true;
                --preview.NewRowCount;
                --preview.NewNameRowCount;
            } else {
                (k == 0 ? added.Record.DSId : added.Record.DMId) = names[k]->ID;
            }
        }
    }
    if (dropped.contains(true)) {
        qsizetype k = 0;
        preview.NewRows.removeIf([&](const ImportRow &) { return dropped[k++]; });
        preview.NewStores.removeIf([](const NewEntry &e) { return e.ID == 0; });
        preview.NewMachines.removeIf([](const NewEntry &e) { return e.ID == 0; });
        std::stable_sort(
            preview.Invalid.begin(), preview.Invalid.end(),
            [](const ImportProblem &a, const ImportProblem &b) { return a.Row < b.Row; });
    }
    return preview;
}

namespace {
// The table after the import, in the entry window's date order.
QList<PlayRecord> mergedRecords(const ImportPreview &preview, bool addNames, const Data &data)
{
    QList<PlayRecord> merged;
    merged.reserve(data.ListCount() + preview.RowsToAdd(addNames));
    for (qint32 n = 1; n <= data.ListCount(); ++n)
        merged.append(data.Record(n));
    for (const ImportRow &row : preview.NewRows)
        if (addNames || !row.NewName)
            merged.append(row.Record);
    SortRecords(merged);
    return merged;
}

// Why the table refuses the merged records, in the person's words.
QString refusalText(Data::Refusal reason, const ImportPreview &preview, bool addNames,
                    const Data &data)
{
    if (reason == Data::Refusal::TooManyRecords)
        return u"成績は"_s + FormatGrouped(Data::kMaxRecords) +
               u"件までしか記録できないため、読み込めません。（今の成績 "_s +
               FormatGrouped(data.ListCount()) + u"件、新しい成績 "_s +
               FormatGrouped(preview.RowsToAdd(addNames)) + u"件）"_s;
    return u"収支の合計が記録できる範囲（±"_s + FormatGrouped(std::numeric_limits<qint32>::max()) +
           u"円）を超えるため、読み込めません。"_s;
}

// The count alone tells the commonest refusal without merging anything.
bool tooMany(const ImportPreview &preview, bool addNames, const Data &data)
{
    return qint64(data.ListCount()) + preview.RowsToAdd(addNames) > Data::kMaxRecords;
}

QList<MasterEntry> withEntries(const SMData &list, const QList<NewEntry> &added)
{
    QList<MasterEntry> entries = list.Entries();
    for (const NewEntry &e : added)
        InsertInIdOrder(entries, MasterEntry{e.ID, e.Name});
    return entries;
}
} // namespace

bool ImportFits(const ImportPreview &preview, bool addNames, const Data &data, QString &message)
{
    Data::Refusal reason = Data::Refusal::TooManyRecords;
    if (!tooMany(preview, addNames, data))
        reason = TryRecords(mergedRecords(preview, addNames, data)).reason;
    message =
        reason == Data::Refusal::None ? QString() : refusalText(reason, preview, addNames, data);
    return reason == Data::Refusal::None;
}

bool ApplyImport(const ImportPreview &preview, bool addNames, SharedData &shared, QString &message)
{
    if (preview.RowsToAdd(addNames) == 0)
        return true; // nothing new
    if (tooMany(preview, addNames, shared.data)) {
        message = refusalText(Data::Refusal::TooManyRecords, preview, addNames, shared.data);
        return false;
    }
    DataChange change;
    change.records = mergedRecords(preview, addNames, shared.data);
    if (addNames && !preview.NewStores.isEmpty())
        change.stores = withEntries(shared.Stores, preview.NewStores);
    if (addNames && !preview.NewMachines.isEmpty())
        change.machines = withEntries(shared.Machines, preview.NewMachines);
    // The one trial, by the routine that changes the data; its reason words the message.
    const ChangeOutcome outcome = ChangePlayerData(shared, change);
    if (!outcome)
        message = refusalText(outcome.reason, preview, addNames, shared.data);
    return bool(outcome);
}

} // namespace CsvExchange
