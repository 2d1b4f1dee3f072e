// Opening the entry window: the store and machine lists, the grid's shape,
// widths and titles, the records as rows; and the two cell-writing routines.

#include "core/model/shared_data.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/entry/entry_columns.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/twips.h"
#include "ui/widgets/data_grid.h"

#include <cmath>

using namespace Qt::StringLiterals;

Nyuuryoku::Selection Nyuuryoku::saveSel() const
{
    return {IGrid->Row(), IGrid->Col(), IGrid->RowSel(), IGrid->ColSel()};
}

void Nyuuryoku::restoreSel(const Selection &sel)
{
    IGrid->SetRow(sel.row);
    IGrid->SetCol(sel.col);
    IGrid->SetRowSel(sel.rowSel);
    IGrid->SetColSel(sel.colSel);
}

void Nyuuryoku::MasterRead()
{
    // Element k of a list is at index k - 1; one spare element ends each array.
    SId.clear();
    SName.clear();
    MId.clear();
    MName.clear();
    shared_.Stores.ReadData(SId, SName);
    shared_.Machines.ReadData(MId, MName);
}

void Nyuuryoku::GridInit()
{
    IGrid->SetCols(EntryColumn::Count);
    IGrid->SetRows(shared_.data.ListCount() + 6);
    IGrid->SetFixedRows(1);
    IGrid->SetFixedCols(0);
    ColWidthSet();
    ColAlignSet();
    CalcColInit();
    TitleWrite();
}

void Nyuuryoku::ColWidthSet()
{
    const qint32 w = qint32(std::lround(PixelsToTwips(width()) - 400));
    IGrid->resize(Twips(w), IGrid->height());
    for (int i = 0; i < EntryColumn::Count; ++i) {
        const qint32 product = kEntryColumns[i].weight * (w - 500);
        IGrid->SetColWidth(i, int(std::nearbyint(double(product) / kEntryWeightSum)));
    }
}

void Nyuuryoku::ColAlignSet()
{
    for (int i = 0; i < EntryColumn::Count; ++i) {
        IGrid->SetFixedAlignment(i, kEntryColumns[i].titleAlign);
        IGrid->SetColAlignment(i, kEntryColumns[i].cellAlign);
    }
}

void Nyuuryoku::CalcColInit()
{
    for (qint32 r = 1; r < IGrid->Rows(); ++r) {
        CellWriteColor(r, EntryColumn::Youbi, QString());
        CellWriteColor(r, EntryColumn::Shuushi, QString());
    }
}

void Nyuuryoku::TitleWrite()
{
    for (int i = 0; i < EntryColumn::Count; ++i)
        CellWrite(0, qint16(i), QString::fromUtf16(kEntryColumns[i].title));
}

void Nyuuryoku::DataDisp()
{
    qint16 y = 0, m = 0, d = 0, sid = 0, mid = 0;
    qint32 toushi = 0, kaishuu = 0;
    QString comment, youbi;
    for (qint32 n = 1;; ++n) {
        if (!shared_.data.ReadData(n, y, m, d, toushi, kaishuu, sid, mid, comment)) {
            IGrid->SetRow(1);
            IGrid->SetCol(0);
            return;
        }
        YoubiGet(youbi, y, m, d);
        using namespace EntryColumn;
        CellWriteColor(n, Year, FormatBlankZero(y));
        CellWriteColor(n, Month, FormatBlankZero(m));
        CellWriteColor(n, Day, FormatBlankZero(d));
        CellWriteColor(n, Youbi, youbi);
        CellWriteColor(n, Toushi, FormatPlain(toushi));
        CellWriteColor(n, Kaishuu, FormatPlain(kaishuu));
        CellWriteColor(n, Shuushi, FormatGrouped(double(qint64(kaishuu) - toushi)));
        CellWriteColor(n, StoreId, FormatPlain(sid));
        CellWriteColor(n, StoreName, shared_.Stores.SeekName(sid));
        CellWriteColor(n, MachineId, FormatPlain(mid));
        CellWriteColor(n, MachineName, shared_.Machines.SeekName(mid));
        CellWriteColor(n, Comment, comment);
    }
}

void Nyuuryoku::CellWrite(qint32 row, qint16 col, const QString &text)
{
    IGrid->SetTextArray(qint64(row) * IGrid->Cols() + col, text);
}

void Nyuuryoku::CellWriteColor(qint32 row, qint16 col, const QString &text)
{
    const CellColors colors = entryCellColors(col, text);
    IGrid->SetRow(row);
    IGrid->SetCol(col);
    IGrid->SetCellBackColor(QColor(colors.back));
    IGrid->SetCellForeColor(QColor(colors.fore));
    IGrid->SetText(text);
}
