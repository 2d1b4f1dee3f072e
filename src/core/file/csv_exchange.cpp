#include "core/file/csv_exchange.h"

#include "core/file/cp932.h"
#include "core/file/user_data_file.h"
#include "core/model/master_ids.h"
#include "core/model/record_sort.h"
#include "core/model/record_table.h"
#include "core/model/shared_data.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace CsvExchange {

namespace {
enum Column { CDate, CYoubi, CToushi, CKaishuu, CBalance, CStore, CMachine, CComment, CSId, CMId };

QString quoted(const QString &text)
{
    return u"「"_s + text + u"」"_s;
}

QString dateText(const PlayRecord &r)
{
    return FormatZeroPad(r.DYear, 4) + u'/' + FormatZeroPad(r.DMonth, 2) + u'/' +
           FormatZeroPad(r.DDay, 2);
}

// "2026/03/05", also with "-" or "." and without leading zeros, as
// spreadsheets rewrite dates. False unless it is a real date of 1950..2100.
bool parseDate(const QString &text, PlayRecord &r)
{
    // A time that a spreadsheet may add ("2026/03/05 0:00") is dropped.
    const QString t = text.trimmed().section(u' ', 0, 0);
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

enum class Amount { Ok, NotANumber, TooLarge };

// Whole yen; grouping commas, a yen sign and blanks are allowed, an empty
// cell is 0.
Amount parseAmount(const QString &text, qint32 &value)
{
    QString t;
    for (QChar c : text)
        if (c != u',' && c != u'\\' && c != QChar(0x00A5) && c != QChar(0xFFE5) && !c.isSpace())
            t += c;
    bool negative = false;
    if (t.startsWith(u'-')) {
        negative = true;
        t.remove(0, 1);
    }
    if (t.isEmpty() && !negative) {
        value = 0;
        return Amount::Ok;
    }
    if (t.isEmpty())
        return Amount::NotANumber;
    qint64 v = 0;
    for (QChar c : t) {
        if (c < u'0' || c > u'9')
            return Amount::NotANumber;
        if (v <= qint64(std::numeric_limits<qint32>::max()) + 1)
            v = v * 10 + (c.unicode() - u'0');
    }
    v = negative ? -v : v;
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return Amount::TooLarge;
    value = qint32(v);
    return Amount::Ok;
}

std::optional<qint16> parseId(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < std::numeric_limits<qint16>::min() || v > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(v);
}

bool hasControl(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    return false;
}

// A store or machine list seen from the import: names to IDs, IDs taken, and
// the names to add.
class NameMatcher {
public:
    // reserved: IDs that records use without an entry; a new name must not
    // take one, or those records would suddenly show it.
    NameMatcher(const SMData &list, const QSet<qint16> &reserved) : taken_(reserved)
    {
        for (const MasterEntry &e : list.Entries()) {
            idsOf_[e.Name].append(e.ID);
            listed_.insert(e.ID);
        }
        taken_.unite(listed_);
    }

    struct Match {
        qint16 id = 0;
        bool isNew = false;
        QString problem; // why the name cannot be taken
    };

    // The ID for a name, and the ID column's value when the file has one.
    Match Find(const QString &name, std::optional<qint16> fileId, const QString &what) const
    {
        Match m;
        if (name.isEmpty() || name == UnknownName()) {
            // No name: the ID stays when no entry has it, as it did in the file.
            m.id = fileId && !listed_.contains(*fileId) ? *fileId : qint16(0);
            return m;
        }
        if (const auto it = idsOf_.constFind(name); it != idsOf_.cend()) {
            m.id = fileId && it->contains(*fileId) ? *fileId : it->first();
            return m;
        }
        if (const auto it = added_.constFind(name); it != added_.cend()) {
            m.id = *it;
            m.isNew = true;
            return m;
        }
        // Commas and quotes the player's file cannot carry in a name.
        if (name.contains(u',') || hasControl(name) || !UserDataFile::CanCarryText(name)) {
            m.problem = what + quoted(name) + u"に使えない文字があります"_s;
            return m;
        }
        m.id = ChooseMasterId(taken_, fileId.value_or(0));
        if (m.id == 0)
            m.problem = what + u"のIDが999までふさがっているため、"_s + quoted(name) +
                        u"を登録できません"_s;
        m.isNew = true;
        return m;
    }

    void Add(const QString &name, qint16 id, QList<NewEntry> &entries)
    {
        if (added_.contains(name))
            return;
        added_.insert(name, id);
        taken_.insert(id);
        entries.append(NewEntry{id, name});
    }

private:
    QHash<QString, QList<qint16>> idsOf_;
    QHash<QString, qint16> added_;
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

QString field(const Csv::Row &row, int index)
{
    return index >= 0 && index < row.fields.size() ? row.fields[index] : QString();
}

QString amountProblem(Amount a, const QString &what, const QString &text)
{
    return a == Amount::TooLarge ? what + quoted(text) + u"が大きすぎます"_s
                                 : what + quoted(text) + u"が数値ではありません"_s;
}
} // namespace

QStringList RecordTitles()
{
    return {u"日付"_s, u"曜日"_s, u"投資"_s,     u"回収"_s, u"収支"_s,
            u"店名"_s, u"台名"_s, u"コメント"_s, u"店ID"_s, u"台ID"_s};
}

QString RecordsCsv(const Data &data, const SMData &Stores, const SMData &Machines)
{
    QString text = Csv::Line(RecordTitles());
    text.reserve(qsizetype(data.ListCount()) * 64 + text.size());
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        const PlayRecord &r = data.Record(n);
        QString youbi;
        YoubiGet(youbi, r.DYear, r.DMonth, r.DDay);
        Csv::AppendLine(text, {dateText(r), youbi, QString::number(r.DToushi),
                               QString::number(r.DKaishuu), QString::number(r.Balance()),
                               Stores.SeekName(r.DSId), Machines.SeekName(r.DMId), r.DComment,
                               QString::number(r.DSId), QString::number(r.DMId)});
    }
    return text;
}

QString SummaryCsv(SummaryGrouping grouping, const QList<SummaryRow> &rows, const SummaryRow &total)
{
    QString text = Csv::Line(SummaryValueTitles(grouping));
    for (const SummaryRow &row : rows)
        text += Csv::Line(SummaryValues(row));
    return text + Csv::Line(SummaryValues(total));
}

qint32 ImportPreview::RowsToAdd(bool addNames) const
{
    if (addNames)
        return qint32(NewRows.size());
    qint32 n = 0;
    for (const ImportRow &row : NewRows)
        n += row.NewName ? 0 : 1;
    return n;
}

ImportPreview PreviewImport(const QByteArray &bytes, const Data &data, const SMData &Stores,
                            const SMData &Machines)
{
    ImportPreview preview;
    const Csv::Decoded decoded = Csv::Decode(bytes);
    preview.Encoding = decoded.encoding;
    const QList<Csv::Row> rows = Csv::Parse(decoded.text);

    // The columns by their titles, in any order; 曜日 and 収支 are derived.
    int at[10];
    const QStringList titles = RecordTitles();
    const QStringList head = rows.isEmpty() ? QStringList() : rows.first().fields;
    QStringList missing;
    for (int c = 0; c < titles.size(); ++c) {
        at[c] = -1;
        for (qsizetype k = 0; k < head.size(); ++k)
            if (head[k].trimmed() == titles[c]) {
                at[c] = int(k);
                break;
            }
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

    // How many times the table holds each record, to be used up by the rows.
    QHash<RecordKey, qint32> held;
    held.reserve(data.ListCount());
    for (qint32 n = 1; n <= data.ListCount(); ++n)
        ++held[keyOf(data.Record(n))];

    // IDs in use without an entry: in the table, and in rows without a name.
    QSet<qint16> storeIds, machineIds;
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        storeIds.insert(data.Record(n).DSId);
        machineIds.insert(data.Record(n).DMId);
    }
    for (qsizetype k = 1; k < rows.size(); ++k) {
        const auto reserve = [&](int name, int id, QSet<qint16> &ids) {
            const QString n = field(rows[k], at[name]);
            if (n.isEmpty() || n == UnknownName())
                if (const auto v = parseId(field(rows[k], at[id])))
                    ids.insert(*v);
        };
        reserve(CStore, CSId, storeIds);
        reserve(CMachine, CMId, machineIds);
    }
    NameMatcher stores(Stores, storeIds), machines(Machines, machineIds);
    // One check of the whole text spares one per comment in the usual case.
    const bool allEncodable = IsCp932Encodable(decoded.text);
    for (qsizetype k = 1; k < rows.size(); ++k) {
        const Csv::Row &row = rows[k];
        if (std::all_of(row.fields.cbegin(), row.fields.cend(),
                        [](const QString &f) { return f.trimmed().isEmpty(); }))
            continue; // an empty line
        const auto invalid = [&](const QString &reason) {
            preview.Invalid.append(ImportProblem{row.number, reason});
        };
        if (row.unterminated) {
            invalid(u"引用符（\"）が閉じていません"_s);
            continue;
        }
        PlayRecord r;
        const QString dateCell = field(row, at[CDate]);
        if (!parseDate(dateCell, r)) {
            invalid(u"日付"_s + quoted(dateCell) + u"が正しくありません（例: 2026/03/05）"_s);
            continue;
        }
        const QString toushi = field(row, at[CToushi]), kaishuu = field(row, at[CKaishuu]);
        if (const Amount a = parseAmount(toushi, r.DToushi); a != Amount::Ok) {
            invalid(amountProblem(a, u"投資"_s, toushi));
            continue;
        }
        if (const Amount a = parseAmount(kaishuu, r.DKaishuu); a != Amount::Ok) {
            invalid(amountProblem(a, u"回収"_s, kaishuu));
            continue;
        }
        if (r.DToushi == 0 && r.DKaishuu == 0) {
            invalid(u"投資と回収がどちらも0です"_s);
            continue;
        }
        if (r.Balance() < std::numeric_limits<qint32>::min() ||
            r.Balance() > std::numeric_limits<qint32>::max()) {
            invalid(u"収支が大きすぎます"_s);
            continue;
        }
        r.DComment = MapToCp932Forms(field(row, at[CComment]));
        if (hasControl(r.DComment) || r.DComment.contains(u'"') ||
            (!allEncodable && !IsCp932Encodable(r.DComment))) {
            invalid(u"コメントに使えない文字（\"、改行、Shift_JISにない文字）があります"_s);
            continue;
        }
        const QString storeName = MapToCp932Forms(field(row, at[CStore]));
        const QString machineName = MapToCp932Forms(field(row, at[CMachine]));
        const auto store = stores.Find(storeName, parseId(field(row, at[CSId])), u"店名"_s);
        const auto machine = machines.Find(machineName, parseId(field(row, at[CMId])), u"台名"_s);
        if (!store.problem.isEmpty() || !machine.problem.isEmpty()) {
            invalid(!store.problem.isEmpty() ? store.problem : machine.problem);
            continue;
        }
        if (store.isNew)
            stores.Add(storeName, store.id, preview.NewStores);
        if (machine.isNew)
            machines.Add(machineName, machine.id, preview.NewMachines);
        r.DSId = store.id;
        r.DMId = machine.id;

        const bool newName = store.isNew || machine.isNew;
        if (!newName) {
            const auto it = held.find(keyOf(r));
            if (it != held.end() && *it > 0) {
                --*it;
                ++preview.Present;
                continue;
            }
        }
        preview.NewRows.append(ImportRow{row.number, r, newName});
    }
    return preview;
}

bool MergedRecords(const ImportPreview &preview, bool addNames, SharedData &shared,
                   QList<PlayRecord> &records, QString &message)
{
    const Data &data = shared.data;
    const qint32 adding = preview.RowsToAdd(addNames);
    if (qint64(data.ListCount()) + adding > Data::kMaxRecords) {
        message = u"成績は"_s + FormatGrouped(Data::kMaxRecords) +
                  u"件までしか記録できないため、読み込めません。（今の成績 "_s +
                  FormatGrouped(data.ListCount()) + u"件、新しい成績 "_s + FormatGrouped(adding) +
                  u"件）"_s;
        return false;
    }
    QList<PlayRecord> merged;
    merged.reserve(data.ListCount() + adding);
    for (qint32 n = 1; n <= data.ListCount(); ++n)
        merged.append(data.Record(n));
    for (const ImportRow &row : preview.NewRows)
        if (addNames || !row.NewName)
            merged.append(row.Record);
    SortRecords(merged);
    // The table's own rule decides what it can hold.
    Data trial;
    for (const PlayRecord &r : merged) {
        if (!trial.DataWrite(r)) {
            message = u"収支の合計が記録できる範囲（±"_s +
                      FormatGrouped(std::numeric_limits<qint32>::max()) +
                      u"円）を超えるため、読み込めません。"_s;
            return false;
        }
    }
    records = std::move(merged);
    return true;
}

namespace {
QList<MasterEntry> withEntries(const SMData &list, const QList<NewEntry> &added)
{
    QList<MasterEntry> entries = list.Entries();
    for (const NewEntry &e : added)
        InsertInIdOrder(entries, MasterEntry{e.ID, e.Name});
    return entries;
}
} // namespace

bool ApplyImport(const ImportPreview &preview, bool addNames, SharedData &shared, QString &message)
{
    QList<PlayRecord> records;
    if (!MergedRecords(preview, addNames, shared, records, message))
        return false;
    if (records.size() == shared.data.ListCount())
        return true; // nothing new
    DataChange change;
    change.records = std::move(records);
    if (addNames && !preview.NewStores.isEmpty())
        change.stores = withEntries(shared.Stores, preview.NewStores);
    if (addNames && !preview.NewMachines.isEmpty())
        change.machines = withEntries(shared.Machines, preview.NewMachines);
    // MergedRecords has tried the records on the table's own rule.
    return bool(ChangePlayerData(shared, change));
}

} // namespace CsvExchange
