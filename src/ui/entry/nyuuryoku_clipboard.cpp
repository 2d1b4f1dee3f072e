// Exchanging blocks of cells with spreadsheet programs through the clipboard
// (cells separated by tabs, rows by carriage returns; pasted lines may end in
// CR LF, LF or CR), clearing cells, inserting and deleting rows.

#include "core/model/shared_data.h"
#include "core/platform.h"
#include "ui/entry/entry_columns.h"
#include "ui/entry/entry_undo.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/widgets/data_grid.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace Qt::StringLiterals;
using namespace EntryColumn;

namespace {
QClipboard *clipboard()
{
    return QGuiApplication::clipboard();
}
} // namespace

void Nyuuryoku::SelAdjust()
{
    auto [r1, r2, c1, c2] = IGrid->SelRange();
    // A name travels with its hidden ID.
    if (isListColumn(c1))
        --c1;
    IGrid->SetCol(c1);
    IGrid->SetRow(r1);
    IGrid->SetColSel(c2);
    IGrid->SetRowSel(r2);
}

void Nyuuryoku::HCopy_Click()
{
    clipboard()->clear();
    SelAdjust();
    clipboard()->setText(IGrid->Clip());
}

void Nyuuryoku::ECut_Click()
{
    SelAdjust();
    clipboard()->setText(IGrid->Clip());
    const auto [r1, r2, c1, c2] = IGrid->SelRange();
    recordChange(u"切り取り"_s, {{r1, r2 - r1 + 1, r2 - r1 + 1}}, [this] { EDel_Click(); });
}

void Nyuuryoku::EDel_Click()
{
    const auto sel = IGrid->SelRange();
    const int r1 = sel.top, r2 = sel.bottom, c2 = sel.right;
    // What the person sees is what will be stored: a cleared name takes its ID.
    const int c1 = isListColumn(sel.left) ? sel.left - 1 : sel.left;
    recordChange(u"値のｸﾘｱ"_s, {{r1, r2 - r1 + 1, r2 - r1 + 1}}, [&] {
        for (int c = c1; c <= c2; ++c)
            for (int r = r1; r <= r2; ++r)
                CellWrite(r, qint16(c), QString());
    });
}

void Nyuuryoku::EPaste_Click()
{
    SelAdjust();
    // Rows to append: one per line end (a spreadsheet ends every line); the
    // widest line.
    const QString text = clipboard()->text();
    const TabBlock block = ReadTabBlock(text);
    const qint32 n = qint32(block.lineEnds);
    const int w = int(block.width);
    const qint32 r0 = IGrid->Row();
    const qint16 c0 = qint16(IGrid->Col());
    // The columns right of the comment (the play times, then the details)
    // are filled by a block that begins in them, or ends exactly on the end
    // time or on the last column (a row of fourteen or eighteen columns from
    // the year); other cells right of the comment are dropped, as a
    // spreadsheet's notes beside a row would be.
    const int lastCol = IGrid->Cols() - 1;
    const bool beyond = c0 > Comment || c0 + w == End || c0 + w == lastCol;
    const int last = beyond ? lastCol : int(Comment);
    // The rows pasted into, and the n empty rows appended at the end.
    const qint32 rows = IGrid->Rows();
    const QList<RowSpan> spans = r0 + n < rows ? QList<RowSpan>{{r0, n + 1, n + 1}, {rows, 0, n}}
                                               : QList<RowSpan>{{r0, rows - r0, rows - r0 + n}};
    recordChange(u"張り付け"_s, spans, [&] {
        rowsAppend(n);
        IGrid->SetRow(r0);
        IGrid->SetCol(c0);
        IGrid->SetColSel(std::min(c0 + w, last));
        IGrid->SetRowSel(r0 + n);
        IGrid->SetClip(block);
        for (qint32 r = r0; r <= r0 + n; ++r) {
            IGrid->SetRow(r);
            IGrid->SetCol(c0);
            qint32 row = 0;
            qint16 col = 0;
            CellCalc(row, col);
        }
        IGrid->SetRow(r0);
        IGrid->SetCol(c0);
    });
}

void Nyuuryoku::EGyouInsert_Click()
{
    const Selection sel = saveSel();
    const int count = std::abs(sel.row - sel.rowSel) + 1;
    // The new rows go above the selection, which then covers them.
    const int top = std::min(sel.row, sel.rowSel);
    recordChange(u"行挿入"_s, {{top, 0, count}}, [&] {
        for (int i = 0; i < count; ++i)
            IGrid->AddItem(QString(), top);
        restoreSel(sel);
    });
}

void Nyuuryoku::EGyouDel_Click()
{
    const int count = std::abs(IGrid->Row() - IGrid->RowSel()) + 1;
    if (IGrid->Row() > IGrid->RowSel())
        IGrid->SetRow(IGrid->RowSel());
    const MsgResult answer =
        shared_.platform.MsgBox(u"この行を削除します。\r\nよろしいですか。"_s, MsgButtons::OkCancel,
                                MsgIcon::Exclamation, u"確認"_s);
    if (answer != MsgResult::Ok)
        return;
    const int row = IGrid->Row();
    // The grid keeps one data row: deleting every row leaves one empty row.
    const bool all = count >= IGrid->Rows() - 1;
    const int removed = all ? count - 1 : count;
    recordChange(u"行の削除"_s, {{row, count, count - removed}}, [&] {
        for (int i = 0; i < removed; ++i)
            IGrid->RemoveItem(row);
        if (all) {
            for (int c = 0; c < IGrid->Cols(); ++c)
                CellWrite(1, qint16(c), QString());
            IGrid->SetRow(1);
            IGrid->SetCol(0);
        }
    });
}

void Nyuuryoku::FCSV_Click()
{
    shared_.platform.MsgBox(u"Excelや1-2-3からのデータの入出力はｺﾋﾟｰ&ﾍﾟｰｽﾄで簡単に行えます。"_s,
                            MsgButtons::Ok, MsgIcon::None, u"説明"_s);
}
