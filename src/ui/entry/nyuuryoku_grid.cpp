// Opening the entry window: the store and machine lists, the grid's shape,
// widths and titles, the records as rows; and the cell-writing routine.

#include "core/model/shared_data.h"
#include "ui/entry/entry_columns.h"
#include "ui/entry/entry_grid_model.h"
#include "ui/entry/entry_undo.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/twips.h"
#include "ui/widgets/data_grid.h"
#include "ui/widgets/grid_cell_delegate.h"

#include <array>
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
    for (int i = 0; i < EntryColumn::Count; ++i)
        IGrid->setColumnHidden(i, entryColumn(i).weight == 0); // the IDs travel unseen
    ColWidthSet();
    ColAlignSet();
    // The computed columns are grey in every row by the colour rule.
    TitleWrite();
}

void Nyuuryoku::ColWidthSet()
{
    // A column is as wide as in the window of the default size (its weight's
    // share of the 8325 twips the columns have there), or as its title and
    // its widest text need in the font in use when that is more. At the
    // default size the names and the comment share whatever else the grid
    // has, so that the columns shown there fill it and the details follow
    // beyond its right edge. A larger window shows the details first; what
    // it has beyond them all widens the names, the comment and the tags.
    const QFontMetrics metrics(IGrid->font());
    std::array<int, EntryColumn::Count> widths{};
    int room = IGrid->viewport()->width(), beyond = 0;
    int weights[2] = {0, 0}; // of the stretching columns shown at the default size; of all
    for (int i = 0; i < EntryColumn::Count; ++i) {
        const EntryColumnSpec &column = entryColumn(i);
        if (column.weight == 0)
            continue;
        int need = GridCellDelegate::CellWidth(metrics, QString::fromUtf16(column.title));
        if (column.widest)
            need = std::max(
                need, GridCellDelegate::CellWidth(metrics, QString::fromUtf16(column.widest)));
        const qint32 product = column.weight * 8325;
        const bool shown = i < kShownAtDefault;
        widths[i] = column.stretch && shown
                        ? need
                        : std::max(Twips(std::nearbyint(double(product) / kEntryWeightSum)), need);
        if (column.stretch) {
            weights[0] += shown ? column.weight : 0;
            weights[1] += column.weight;
        }
        if (!shown)
            beyond += widths[i];
        else if (!column.stretch)
            room -= widths[i];
    }
    const int grown = std::max(width() - minimumWidth(), 0);
    int more = std::max(grown - beyond, 0);
    room -= grown; // the names' and the comment's at the default size
    for (int i = 0; i < EntryColumn::Count; ++i) {
        const EntryColumnSpec &column = entryColumn(i);
        if (!column.stretch)
            continue;
        // Each share's last one takes what is left.
        const int extra = more * column.weight / weights[1];
        more -= extra;
        weights[1] -= column.weight;
        if (i >= kShownAtDefault) {
            widths[i] += extra;
            continue;
        }
        const int share = room * column.weight / weights[0];
        room -= share;
        weights[0] -= column.weight;
        widths[i] = std::max(widths[i], share + extra);
    }
    for (int i = 0; i < EntryColumn::Count; ++i)
        if (!IGrid->isColumnHidden(i))
            IGrid->setColumnWidth(i, widths[i]);
}

void Nyuuryoku::ColAlignSet()
{
    for (int i = 0; i < EntryColumn::Count; ++i) {
        IGrid->SetFixedAlignment(i, entryColumn(i).titleAlign);
        IGrid->SetColAlignment(i, entryColumn(i).cellAlign);
    }
}

void Nyuuryoku::TitleWrite()
{
    for (int i = 0; i < EntryColumn::Count; ++i)
        CellWrite(0, qint16(i), QString::fromUtf16(entryColumn(i).title));
}

void Nyuuryoku::DataDisp()
{
    // One row per record, in table order, then the empty rows of GridInit.
    // The weekday, balance and names follow from each row (EntryGridModel).
    const qint32 count = shared_.data.ListCount();
    QList<EntryRow> rows;
    rows.reserve(IGrid->Rows() - 1);
    for (qint32 n = 1; n <= count; ++n)
        rows.append(EntryGridModel::rowOf(shared_.data.Record(n)));
    rows.resize(IGrid->Rows() - 1);
    rows_->setEntryRows(std::move(rows));
    IGrid->SetRow(1);
    IGrid->SetCol(0);
}

void Nyuuryoku::CellWrite(qint32 row, qint16 col, const QString &text)
{
    IGrid->SetTextMatrix(row, col, text);
}
