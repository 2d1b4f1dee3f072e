// Checking, sorting and storing the entry grid, and leaving the window.

#include "core/file/user_data_file.h"
#include "core/model/record_sort.h"
#include "core/model/shared_data.h"
#include "core/model/visit_details.h"
#include "core/platform.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/entry/entry_columns.h"
#include "ui/entry/entry_grid_model.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/widgets/data_grid.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

using namespace Qt::StringLiterals;
using namespace EntryColumn;

namespace {
// A row becomes a record when its date is complete and it has an amount.
bool isStored(const PlayRecord &rec)
{
    return rec.DYear != 0 && rec.DMonth != 0 && rec.DDay != 0 &&
           (rec.DToushi != 0 || rec.DKaishuu != 0);
}

// A column as messages name it: its title, the hidden IDs by their names.
QString columnName(int col)
{
    if (col == StoreId)
        return u"店名の番号"_s;
    if (col == MachineId)
        return u"台名の番号"_s;
    return QString::fromUtf16(kEntryColumns[col].title);
}
} // namespace

void Nyuuryoku::rowError(qint32 row, const QString &detail)
{
    // What is wrong, when it is known, follows the row's message.
    QString text = QString::number(row) + u"行目で書き込みエラーが発生しました。"_s;
    if (!detail.isEmpty())
        text += QString::fromUtf16(UserDataFile::kLineEnd) + detail;
    shared_.platform.MsgBox(text);
    IGrid->SetCol(0);
    IGrid->SetRow(row);
}

QString Nyuuryoku::cellProblem(qint32 row) const
{
    // A text that is no number (no time, no rate), and an amount beyond 32
    // bits, a count out of its range or a tag too long, are named with their
    // column; a date part or ID beyond 16 bits is a row that cannot be
    // stored, like an impossible date.
    const EntryRow &entry = rows_->entryRow(row);
    for (int col = 0; col < Count; ++col) {
        const quint32 bit = columnBit(col);
        if (!((entry.unreadable | entry.tooWide) & bit))
            continue;
        const QString text = IGrid->TextMatrix(row, col);
        if (entry.unreadable & bit) {
            if (col == Rate)
                return u"「%1」の「%2」はレートではありません。"
                       u"「4円パチンコ」「20円スロット」のように書いてください。"_s.arg(
                           columnName(col), text);
            return u"「%1」の「%2」は%3ではありません。"_s.arg(
                columnName(col), text, col == Start || col == End ? u"時刻"_s : u"数"_s);
        }
        if (col == Toushi || col == Kaishuu)
            return u"「%1」に書き込める金額は %2 から %3 までです。"_s.arg(
                columnName(col), FormatGrouped(std::numeric_limits<qint32>::min()),
                FormatGrouped(std::numeric_limits<qint32>::max()));
        if (col == Spins || col == Jackpots)
            return u"「%1」に書き込めるのは 0 から %2 までの整数です。"_s.arg(
                columnName(col), FormatGrouped(col == Spins ? kMaxSpins : kMaxJackpots));
        if (col == Tags) {
            QString tag;
            TagsFromText(text, &tag);
            return u"「%1」の「%2」は長すぎます。タグは%3文字までです。"_s.arg(
                columnName(col), tag, QString::number(kMaxTagLength));
        }
    }
    return QString();
}

bool Nyuuryoku::DataCheck()
{
    for (qint32 r = 1; r < IGrid->Rows(); ++r) {
        const EntryRow &entry = rows_->entryRow(r);
        const PlayRecord &rec = entry.record;
        QString detail = cellProblem(r);
        bool ok = detail.isEmpty() && entry.tooWide == 0;
        QString youbi;
        if (ok && (rec.DYear != 0 || rec.DMonth != 0 || rec.DDay != 0))
            ok = YoubiGet(youbi, rec.DYear, rec.DMonth, rec.DDay);
        // A stored comment must reach the data file unchanged.
        if (ok && isStored(rec)) {
            const QString uncarried = UserDataFile::FirstUncarried(rec.DComment);
            if (!uncarried.isEmpty()) {
                detail = u"「"_s + uncarried + u"」は保存できない文字です。"_s;
                ok = false;
            }
        }
        if (!ok) {
            rowError(r, detail);
            return false;
        }
    }
    return true;
}

void Nyuuryoku::ISort_Click()
{
    // The rows in stable date order (rows with equal keys keep their order).
    const qint32 n = IGrid->Rows() - 1;
    std::vector<RecordSortKey> keys(size_t(n) + 1);
    for (qint32 r = 1; r <= n; ++r)
        keys[size_t(r)] = SortKeyOf(rows_->entryRow(r).record);
    std::vector<qint32> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(),
                     [&](qint32 a, qint32 b) { return keys[size_t(a)] < keys[size_t(b)]; });
    if (std::is_sorted(order.begin(), order.end()))
        return; // already in order
    QList<EntryRow> sorted;
    sorted.reserve(n);
    for (qint32 r : order)
        sorted.append(rows_->entryRow(r));
    recordChange(u"ｿｰﾄ"_s, {{1, n, n}}, [&] { rows_->replaceRows(1, n, sorted); });
}

void Nyuuryoku::ISave_Click()
{
    if (!DataCheck())
        return;
    ISort_Click();
    // A refused record leaves the player's table as it was.
    QList<PlayRecord> records;
    QList<qint32> rows;
    for (qint32 r = 1; r < IGrid->Rows(); ++r) {
        const PlayRecord &rec = rows_->entryRow(r).record;
        if (!isStored(rec))
            continue;
        records.append(rec);
        rows.append(r);
    }
    const ChangeOutcome outcome = ChangePlayerData(shared_, DataChange{records, {}, {}});
    if (!outcome) {
        rowError(rows[outcome.refusedRecord]);
        return;
    }
    accept();
}

void Nyuuryoku::ICancel_Click()
{
    reject();
}
