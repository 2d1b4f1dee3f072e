// Opening the entry window: the store and machine lists, the grid's shape,
// widths and titles, the records as rows; and the cell-writing routine.

#include "core/model/shared_data.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/entry/entry_columns.h"
#include "ui/entry/entry_grid_model.h"
#include "ui/entry/entry_undo.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/twips.h"
#include "ui/widgets/data_grid.h"

#include <cmath>

using namespace Qt::StringLiterals;

Nyuuryoku::Selection Nyuuryoku::saveSel() const
{
    return Selection{IGrid->Row(), IGrid->Col(), IGrid->RowSel(), IGrid->ColSel()};
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
    // The computed columns are grey in every row by the colour rule.
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

void Nyuuryoku::TitleWrite()
{
    for (int i = 0; i < EntryColumn::Count; ++i)
        CellWrite(0, qint16(i), QString::fromUtf16(kEntryColumns[i].title));
}

void Nyuuryoku::DataDisp()
{
    // One row per record, in table order, then the empty rows of GridInit.
    const qint32 count = shared_.data.ListCount();
    QList<EntryRow> rows;
    rows.reserve(IGrid->Rows() - 1);
    QString youbi;
    for (qint32 n = 1; n <= count; ++n) {
        const PlayRecord &rec = shared_.data.Record(n);
        EntryRow row = EntryGridModel::rowOf(rec);
        YoubiGet(youbi, rec.DYear, rec.DMonth, rec.DDay);
        using namespace EntryColumn;
        row.shown[Youbi] = youbi;
        row.shown[Shuushi] = FormatGrouped(double(rec.Balance()));
        row.shown[StoreName] = shared_.Stores.SeekName(rec.DSId);
        row.shown[MachineName] = shared_.Machines.SeekName(rec.DMId);
        rows.append(std::move(row));
    }
    rows.resize(IGrid->Rows() - 1);
    rows_->setEntryRows(std::move(rows));
    IGrid->SetRow(1);
    IGrid->SetCol(0);
}

void Nyuuryoku::CellWrite(qint32 row, qint16 col, const QString &text)
{
    IGrid->SetTextArray(qint64(row) * IGrid->Cols() + col, text);
}
