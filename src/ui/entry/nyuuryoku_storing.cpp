// Checking, sorting and storing the entry grid, and leaving the window.

#include "core/file/user_data_file.h"
#include "core/model/record_sort.h"
#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/entry/entry_columns.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/widgets/data_grid.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

using namespace Qt::StringLiterals;
using namespace EntryColumn;

namespace {
// A grid row's values as the record table holds them; false when a value does
// not fit its width (16 bits for date parts and IDs, 32 bits for amounts).
bool rowValues(const DataGrid &grid, qint32 row, PlayRecord &rec)
{
    const auto value = [&](int col) { return Val(grid.TextMatrix(row, col)); };
    rec.DComment = grid.TextMatrix(row, Comment);
    return ToInt16(value(Year), rec.DYear) && ToInt16(value(Month), rec.DMonth) &&
           ToInt16(value(Day), rec.DDay) && ToInt32(value(Toushi), rec.DToushi) &&
           ToInt32(value(Kaishuu), rec.DKaishuu) && ToInt16(value(StoreId), rec.DSId) &&
           ToInt16(value(MachineId), rec.DMId);
}

// A row becomes a record when its date is complete and it has an amount.
bool isStored(const PlayRecord &rec)
{
    return rec.DYear != 0 && rec.DMonth != 0 && rec.DDay != 0 &&
           (rec.DToushi != 0 || rec.DKaishuu != 0);
}

// The row's place in date order; the day counts as a whole number.
RecordSortKey rowKey(const DataGrid &grid, qint32 row)
{
    return SortKeyOf(Val(grid.TextMatrix(row, Year)), Val(grid.TextMatrix(row, Month)),
                     std::nearbyint(Val(grid.TextMatrix(row, Day))));
}
} // namespace

void Nyuuryoku::rowError(qint32 row, const QString &uncarried)
{
    // A character the file cannot hold is named after the row's message.
    QString text = QString::number(row) + u"行目で書き込みエラーが発生しました。"_s;
    if (!uncarried.isEmpty())
        text += QString::fromUtf16(UserDataFile::kLineEnd) + u"「"_s + uncarried +
                u"」は保存できない文字です。"_s;
    shared_.platform.MsgBox(text);
    IGrid->SetCol(0);
    IGrid->SetRow(row);
}

bool Nyuuryoku::DataCheck()
{
    for (qint32 r = 1; r < IGrid->Rows(); ++r) {
        PlayRecord rec;
        bool ok = rowValues(*IGrid, r, rec);
        QString youbi;
        if (ok && (rec.DYear != 0 || rec.DMonth != 0 || rec.DDay != 0))
            ok = YoubiGet(youbi, rec.DYear, rec.DMonth, rec.DDay);
        // A stored comment must reach the data file unchanged.
        QString uncarried;
        if (ok && isStored(rec)) {
            uncarried = UserDataFile::FirstUncarried(rec.DComment);
            ok = uncarried.isEmpty();
        }
        if (!ok) {
            rowError(r, uncarried);
            return false;
        }
    }
    return true;
}

void Nyuuryoku::ISort_Click()
{
    // The rows in stable date order (rows with equal keys keep their order),
    // then moved there by exchanges.
    const qint32 n = IGrid->Rows() - 1;
    std::vector<RecordSortKey> keys(size_t(n) + 1);
    for (qint32 r = 1; r <= n; ++r)
        keys[size_t(r)] = rowKey(*IGrid, r);
    std::vector<qint32> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(),
                     [&](qint32 a, qint32 b) { return keys[size_t(a)] < keys[size_t(b)]; });
    std::vector<qint32> at(size_t(n) + 1), where(size_t(n) + 1);
    std::iota(at.begin(), at.end(), 0);
    std::iota(where.begin(), where.end(), 0);
    for (qint32 p = 1; p <= n; ++p) {
        const qint32 wanted = order[size_t(p - 1)];
        const qint32 q = where[size_t(wanted)];
        if (q == p)
            continue;
        Swap(p, q);
        const qint32 moved = at[size_t(p)];
        at[size_t(q)] = moved;
        where[size_t(moved)] = q;
        at[size_t(p)] = wanted;
        where[size_t(wanted)] = p;
    }
}

void Nyuuryoku::Swap(qint32 Gyou1, qint32 Gyou2)
{
    // Texts and their colours change places, so a Sunday stays red.
    DataGridModel *model = IGrid->gridModel();
    for (int c = 0; c < IGrid->Cols(); ++c) {
        const QString text1 = IGrid->TextMatrix(Gyou1, c);
        const QString text2 = IGrid->TextMatrix(Gyou2, c);
        const QRgb back1 = model->backColor(Gyou1, c), fore1 = model->foreColor(Gyou1, c);
        model->setColors(Gyou1, c, model->backColor(Gyou2, c), model->foreColor(Gyou2, c));
        model->setColors(Gyou2, c, back1, fore1);
        CellWrite(Gyou1, qint16(c), text2);
        CellWrite(Gyou2, qint16(c), text1);
    }
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
        PlayRecord rec;
        if (!rowValues(*IGrid, r, rec) || !isStored(rec))
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

bool Nyuuryoku::gridChanged() const
{
    const DataGridModel &model = *IGrid->gridModel();
    const QList<QString> &now = model.texts();
    if (now.constData() == loadedTexts_.constData())
        return false; // not a cell written since opening
    const qsizetype cols = model.cols();
    const QString empty;
    const qsizetype cells = std::max(now.size(), loadedTexts_.size());
    for (qsizetype i = cols; i < cells; ++i) { // the title row never changes
        const QString &text = i < now.size() ? now[i] : empty;
        const QString &before = i < loadedTexts_.size() ? loadedTexts_[i] : empty;
        if (text != before)
            return true;
    }
    return false;
}
