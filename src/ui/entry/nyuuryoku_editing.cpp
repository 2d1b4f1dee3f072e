// Moving through the entry grid and changing cell texts: typing on the grid,
// the input box and the drop-down list, Tab navigation, and CellCalc, which
// keeps the dependent cells of a row in step after every change.

#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/entry/entry_columns.h"
#include "ui/entry/entry_grid_model.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/master_editors/master_editor.h"
#include "ui/widgets/data_grid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;
using namespace EntryColumn;

void Nyuuryoku::IGrid_SelChange()
{
    firstKeySet(true);
    ++cellVisit_;
    const int col = IGrid->Col();
    if (isBoxColumn(col)) {
        IText->show();
        ICombo->hide();
        completionSet();
        showInIText(IGrid->Text());
    } else if (col == StoreName) {
        IText->hide();
        ICombo->show();
        ComboListSet(SName);
    } else if (col == MachineName) {
        IText->hide();
        ICombo->show();
        ComboListSet(MName);
    } else if (col == Rate) {
        IText->hide();
        ICombo->show();
        rateListFill();
    } else {
        IText->hide();
        ICombo->hide();
    }
}

void Nyuuryoku::editorsFollow()
{
    const int col = IGrid->Col();
    IText->setVisible(isBoxColumn(col));
    ICombo->setVisible(showsList(col));
    if (isBoxColumn(col)) {
        const QSignalBlocker blocker(IText);
        completionSet();
        showInIText(IGrid->Text());
    } else if (isListColumn(col)) {
        comboListFill(col == StoreName ? SName : MName);
    } else if (col == Rate) {
        rateListFill();
    }
}

void Nyuuryoku::firstKeySet(bool on)
{
    FirstKey = on;
    IGrid->setTypingReplaces(on); // an input method's composition is drawn alone
}

void Nyuuryoku::showInIText(const QString &text)
{
    // The input box takes the cell's whole text (a pasted text may be longer
    // than typing allows); typing then stops at the column's limit.
    IText->setMaxLength(32767);
    IText->setText(text); // runs IText_Change when the text differs
    IText->setMaxLength(std::max<int>(entryColumn(IGrid->Col()).typingLimit, int(text.size())));
}

void Nyuuryoku::IGrid_DblClick()
{
    const int col = IGrid->Col();
    if (isBoxColumn(col)) {
        // The box edits what the cell holds now (a paste or a clear may have
        // changed it since the cell was entered).
        if (IText->text() != IGrid->Text()) {
            const QSignalBlocker blocker(IText);
            showInIText(IGrid->Text());
        }
        IText->show();
        IText->setFocus();
        IText->end(false);
    } else if (showsList(col)) {
        IText->hide();
        ICombo->show();
        ICombo->setFocus();
    } else {
        SoundPlay(shared_.platform, shared_.states, 3);
    }
}

void Nyuuryoku::IGrid_KeyPress(int KeyAscii)
{
    const int row = IGrid->Row(), col = IGrid->Col();
    if (KeyAscii == 9) {
        if (const int step = entryColumn(col).tabStep; step == 0)
            MoveSel(0, row + 1); // from the comment and the end time: the next row
        else
            MoveSel(qint16(col + step), row);
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
        firstKeySet(false);
    }
    if (KeyAscii == 8) {
        text.chop(1);
    } else if (text.size() < entryColumn(col).typingLimit) {
        text += QChar(char16_t(KeyAscii));
    } else {
        SoundPlay(shared_.platform, shared_.states, 3);
    }
    recordChange(
        u"入力"_s, {{row, 1, 1}},
        [&] {
            IGrid->SetText(text);
            qint32 r = 0;
            qint16 c = 0;
            CellCalc(r, c);
        },
        true);
    // The input box keeps showing the cell, so that Enter goes on editing what
    // was typed on the grid; a list shows what was typed when it offers it.
    if (col == Rate) {
        rateListFill();
        return;
    }
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
    IGrid->SetRows(IGrid->Rows() + count);
}

void Nyuuryoku::IText_Change()
{
    if (!isBoxColumn(IGrid->Col()))
        return; // the input box writes only into the cells it is shown for
    recordChange(
        u"入力"_s, {{IGrid->Row(), 1, 1}},
        [&] {
            IGrid->SetText(IText->text());
            qint32 r = 0;
            qint16 c = 0;
            CellCalc(r, c);
        },
        true);
}

void Nyuuryoku::ComboListSet(const QList<QString> &names)
{
    comboListFill(names);
    // Choosing the entry is a click on the list: the row's ID and name follow it.
    ICombo_Click();
}

void Nyuuryoku::comboListFill(const QList<QString> &names)
{
    const QSignalBlocker blocker(ICombo);
    ICombo->clear();
    ICombo->addItem(UnknownName());
    for (qsizetype k = 0; k + 1 < names.size(); ++k) // the last element is the spare
        ICombo->addItem(names[k]);
    const int row = IGrid->Row(), col = IGrid->Col();
    const SMData &list = col == MachineName ? shared_.Machines : shared_.Stores;
    const PlayRecord &rec = rows_->entryRow(row).record;
    const qint32 id = rows_->invalid(row, col - 1) ? 0 : col == MachineName ? rec.DMId : rec.DSId;
    ICombo->setCurrentIndex(id != 0 ? list.SeekJunban(id) : 0);
}

void Nyuuryoku::ICombo_Click()
{
    const int i = ICombo->currentIndex();
    const qint32 row = IGrid->Row();
    const qint16 c = qint16(IGrid->Col());
    if (c == Rate) {
        rateChosen(i);
        return;
    }
    if (!isListColumn(c))
        return;
    // The name follows the ID (EntryGridModel). What entering the cell made
    // of the row and the person's choice in it are one step, like typing.
    const QString what = c == MachineName ? u"台名の選択"_s : u"店名の選択"_s;
    const qint16 idCol = qint16(c - 1);
    recordChange(
        what, {{row, 1, 1}},
        [&] {
            const qint16 storeBefore = rows_->entryRow(row).record.DSId;
            // List entry i is element i of the arrays, at index i - 1.
            const QList<qint16> &ids = c == MachineName ? MId : SId;
            if (i >= 1 && i < ids.size())
                CellWrite(row, idCol, FormatBlankZero(ids[i - 1]));
            else if (i < 1)
                // "(不明)": a row not in use yet keeps no store; one in use
                // keeps ID 0, shown as "(不明)".
                CellWrite(row, idCol, rows_->inUse(row) ? u"0"_s : QString());
            if (c == StoreName && rows_->entryRow(row).record.DSId != storeBefore)
                takeLastRate(row);
        },
        true);
}

void Nyuuryoku::CellCalc(qint32 &row, qint16 &col)
{
    row = IGrid->Row();
    col = qint16(IGrid->Col());
    if (row < 1)
        return;
    const PlayRecord rec = rows_->entryRow(row).record;
    const qint64 y = rec.DYear, m = rec.DMonth, d = rec.DDay, t = rec.DToushi, k = rec.DKaishuu;

    // Date parts missing in a row in use are taken over from the row above
    // (for row 1 that is the title row, which has no values). A cell holding
    // a text that is no number keeps it: storing names it. The weekday,
    // balance and names follow the row's values by themselves.
    const PlayRecord above = rows_->entryRow(row - 1).record;
    const auto takeOver = [&](int c) {
        const QString value = entryColumn(c).field->show(above); // "" for none
        if (!value.isEmpty() && !rows_->invalid(row, c))
            CellWrite(row, qint16(c), value);
    };
    if (y == 0 && m + d + t + k != 0)
        takeOver(Year);
    if (m == 0 && d + t + k != 0)
        takeOver(Month);
    if (d == 0 && t + k != 0)
        takeOver(Day);
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
    rows_->listsChanged();
    if (IGrid->Col() == (stores ? StoreName : MachineName))
        ComboListSet(stores ? SName : MName);
}
