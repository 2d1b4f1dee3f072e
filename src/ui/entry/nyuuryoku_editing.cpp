// Moving through the entry grid and changing cell texts: typing on the grid,
// the input box and the drop-down list, Tab navigation, and CellCalc, which
// keeps the dependent cells of a row in step after every change.

#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/entry/entry_columns.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/master_editors/master_editor.h"
#include "ui/widgets/data_grid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace EntryColumn;

namespace {
// The whole-number value of a cell text, as the 16- and 32-bit conversions
// round it (halves to even); out-of-range values stay as they are.
double whole(const QString &text)
{
    return std::nearbyint(Val(text));
}

bool int16Of(const QString &text, qint16 &out)
{
    return ToInt16(Val(text), out);
}
} // namespace

void Nyuuryoku::IGrid_SelChange()
{
    FirstKey = true;
    const Selection sel = saveSel();
    const int col = IGrid->Col();
    if (isTextColumn(col)) {
        IText->show();
        ICombo->hide();
        showInIText(IGrid->Text());
    } else if (col == StoreName) {
        IText->hide();
        ICombo->show();
        ComboListSet(SName);
    } else if (col == MachineName) {
        IText->hide();
        ICombo->show();
        ComboListSet(MName);
    } else {
        IText->hide();
        ICombo->hide();
    }
    restoreSel(sel);
}

void Nyuuryoku::showInIText(const QString &text)
{
    // The input box takes the cell's whole text (a pasted text may be longer
    // than typing allows); typing then stops at the column's limit.
    IText->setMaxLength(32767);
    IText->setText(text); // runs IText_Change when the text differs
    IText->setMaxLength(std::max<int>(typingLimit(IGrid->Col()), int(text.size())));
}

void Nyuuryoku::IGrid_DblClick()
{
    const int col = IGrid->Col();
    if (isTextColumn(col)) {
        // The box edits what the cell holds now (a paste or a clear may have
        // changed it since the cell was entered).
        if (IText->text() != IGrid->Text()) {
            const QSignalBlocker blocker(IText);
            showInIText(IGrid->Text());
        }
        IText->show();
        IText->setFocus();
        IText->end(false);
    } else if (isListColumn(col)) {
        IText->hide();
        ICombo->show();
        ICombo->setFocus();
    } else {
        SoundPlay(shared_.platform, shared_.states, 3);
    }
}

void Nyuuryoku::IGrid_KeyPress(int KeyAscii)
{
    const Selection sel = saveSel();
    const int row = IGrid->Row(), col = IGrid->Col();
    if (KeyAscii == 9) {
        if (col == Comment)
            MoveSel(0, row + 1);
        else
            MoveSel(qint16(col + tabStep(col)), row);
        return;
    }
    if (KeyAscii == 13) {
        IGrid_DblClick();
        return;
    }
    // Computed, hidden and list cells are not typed into; a comment cannot
    // carry a double quote in the data file.
    if (!isTextColumn(col) || (col == Comment && KeyAscii == u'"')) {
        SoundPlay(shared_.platform, shared_.states, 3);
        return;
    }
    QString text = IGrid->Text();
    if (FirstKey) {
        text.clear();
        FirstKey = false;
    }
    if (KeyAscii == 8) {
        text.chop(1);
    } else if (text.size() < typingLimit(col)) {
        text += QChar(char16_t(KeyAscii));
    } else {
        SoundPlay(shared_.platform, shared_.states, 3);
    }
    IGrid->SetText(text);
    qint32 r = 0;
    qint16 c = 0;
    CellCalc(r, c);
    restoreSel(sel);
    // The input box keeps showing the cell, so that Enter goes on editing what
    // was typed on the grid.
    const QSignalBlocker blocker(IText);
    showInIText(IGrid->TextMatrix(row, col));
}

void Nyuuryoku::IGrid_MouseUp(Qt::MouseButton Button, const QPoint &globalPos)
{
    if (Button == Qt::RightButton)
        Henshuu->popup(globalPos);
}

void Nyuuryoku::MoveSel(qint16 ColNo, qint32 RowNo)
{
    if (RowNo > IGrid->Rows() - 1)
        rowsAppend(RowNo + 1 - IGrid->Rows());
    IGrid->SetCol(ColNo);
    IGrid->SetRow(RowNo);
    IGrid_SelChange();
}

void Nyuuryoku::rowsAppend(qint32 count)
{
    const qint32 first = IGrid->Rows();
    IGrid->SetRows(first + count);
    // New rows get the grey computed cells of every data row.
    for (qint32 r = first; r < IGrid->Rows(); ++r) {
        CellWriteColor(r, Youbi, QString());
        CellWriteColor(r, Shuushi, QString());
    }
}

void Nyuuryoku::IText_Change()
{
    if (!isTextColumn(IGrid->Col()))
        return; // the input box writes only into the cells it is shown for
    const Selection sel = saveSel();
    IGrid->SetText(IText->text());
    qint32 r = 0;
    qint16 c = 0;
    CellCalc(r, c);
    restoreSel(sel);
}

void Nyuuryoku::ComboListSet(const QList<QString> &names)
{
    {
        const QSignalBlocker blocker(ICombo);
        ICombo->clear();
        ICombo->addItem(UnknownName());
        for (qsizetype k = 0; k + 1 < names.size(); ++k) // the last element is the spare
            ICombo->addItem(names[k]);
        const int col = IGrid->Col();
        const SMData &list = col == MachineName ? shared_.Machines : shared_.Stores;
        qint32 id = 0;
        const bool inRange = ToInt32(Val(IGrid->TextMatrix(IGrid->Row(), col - 1)), id);
        qint32 position = 0;
        if (inRange && id != 0)
            position = list.SeekJunban(id);
        ICombo->setCurrentIndex(position);
    }
    // Choosing the entry is a click on the list: the row's ID and name follow it.
    ICombo_Click();
}

void Nyuuryoku::ICombo_Click()
{
    const int i = ICombo->currentIndex();
    const qint32 row = IGrid->Row();
    const qint16 c = qint16(IGrid->Col());
    if (i >= 1) {
        // List entry i is element i of the arrays, at index i - 1.
        if (c == StoreName && i < SId.size()) {
            CellWrite(row, StoreId, FormatBlankZero(SId[i - 1]));
            CellWrite(row, c, SName[i - 1]);
        } else if (c == MachineName && i < MId.size()) {
            CellWrite(row, MachineId, FormatBlankZero(MId[i - 1]));
            CellWrite(row, c, MName[i - 1]);
        } else if (!isListColumn(c)) {
            CellWrite(row, c, ICombo->itemText(i));
        }
        return;
    }
    if (!isListColumn(c))
        return;
    if (IGrid->TextMatrix(row, Shuushi).isEmpty()) {
        // The row is not in use yet.
        CellWrite(row, qint16(c - 1), QString());
        CellWrite(row, c, QString());
    } else {
        CellWrite(row, qint16(c - 1), u"0"_s);
        CellWrite(row, c, UnknownName());
    }
}

void Nyuuryoku::CellCalc(qint32 &row, qint16 &col)
{
    row = IGrid->Row();
    col = qint16(IGrid->Col());
    auto text = [&](qint32 r, int c) -> QString { return IGrid->TextMatrix(r, c); };
    const double y = whole(text(row, Year));
    const double m = whole(text(row, Month));
    const double d = whole(text(row, Day));
    const double t = Val(text(row, Toushi));
    const double k = whole(text(row, Kaishuu));

    // Date parts missing in a row in use are taken over from the row above
    // (for row 1 that is the title row, whose texts are worth 0).
    bool filled = false;
    const auto takeOver = [&](int c) {
        if (whole(text(row - 1, c)) != 0) {
            CellWrite(row, qint16(c), text(row - 1, c));
            filled = true;
        }
    };
    if (y == 0 && m + d + t + k != 0)
        takeOver(Year);
    if (m == 0 && d + t + k != 0)
        takeOver(Month);
    if (d == 0 && t + k != 0)
        takeOver(Day);

    if (col == Year || col == Month || col == Day || filled)
        youbiWrite(row);
    if (col == Toushi || col == Kaishuu || col == Shuushi)
        shuushiWrite(row);
    if (col == StoreId || col == MachineId)
        nameRefresh(row, col);
}

void Nyuuryoku::youbiWrite(qint32 row)
{
    qint16 y = 0, m = 0, d = 0;
    QString youbi;
    const bool valid = int16Of(IGrid->TextMatrix(row, Year), y) &&
                       int16Of(IGrid->TextMatrix(row, Month), m) &&
                       int16Of(IGrid->TextMatrix(row, Day), d) && YoubiGet(youbi, y, m, d);
    CellWriteColor(row, Youbi, valid ? youbi : QString());
}

void Nyuuryoku::shuushiWrite(qint32 row)
{
    const double toushi = Val(IGrid->TextMatrix(row, Toushi));
    const double kaishuu = whole(IGrid->TextMatrix(row, Kaishuu));
    CellWriteColor(row, Shuushi,
                   toushi == 0 && kaishuu == 0 ? QString() : FormatGrouped(kaishuu - toushi));
}

void Nyuuryoku::rowRecalc(qint32 row)
{
    youbiWrite(row);
    shuushiWrite(row);
}

void Nyuuryoku::nameRefresh(qint32 row, qint16 idCol)
{
    const QString id = IGrid->TextMatrix(row, idCol);
    if (id.isEmpty()) {
        CellWrite(row, qint16(idCol + 1), QString());
        return;
    }
    const SMData &list = idCol == MachineId ? shared_.Machines : shared_.Stores;
    qint16 value = 0;
    CellWrite(row, qint16(idCol + 1), int16Of(id, value) ? list.SeekName(value) : UnknownName());
}

void Nyuuryoku::MMiseAdd_Click()
{
    editorOpen(true);
}

void Nyuuryoku::MDaiAdd_Click()
{
    editorOpen(false);
}

void Nyuuryoku::editorOpen(bool stores)
{
    {
        MasterEditor editor(
            shared_, stores ? MasterEditor::Kind::MiseAdd : MasterEditor::Kind::DaiAdd, this);
        shared_.platform.ShowModal(editor);
    }
    MasterRead();
    // Names shown in the grid follow the edited list, so that they match what
    // storing the IDs will mean.
    const qint16 idCol = stores ? StoreId : MachineId;
    for (qint32 r = 1; r < IGrid->Rows(); ++r)
        if (!IGrid->TextMatrix(r, idCol).isEmpty())
            nameRefresh(r, idCol);
    if (IGrid->Col() == idCol + 1)
        ComboListSet(stores ? SName : MName);
}
