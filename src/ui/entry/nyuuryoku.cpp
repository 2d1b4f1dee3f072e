#include "ui/entry/nyuuryoku.h"

#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/util/tool.h"
#include "ui/app_font.h"
#include "ui/entry/entry_columns.h"
#include "ui/entry/entry_grid_model.h"
#include "ui/twips.h"
#include "ui/widgets/data_grid.h"
#include "ui/window_place.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QUndoStack>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// The client area of the window at design time, in twips.
constexpr int kClientWidth = 9225;
constexpr int kClientHeight = 5055;
} // namespace

Nyuuryoku::Nyuuryoku(SharedData &shared, QWidget *parent) : QDialog(parent), shared_(shared)
{
    setWindowTitle(u"入力画面"_s);
    // Enlarged or maximised, the grid takes the room.
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    setFont(UiFont(9));
    undoStack_ = new QUndoStack(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    client_ = new QWidget(this);
    layout->addWidget(client_);
    buildMenus();
    layout->setMenuBar(MenuBar);
    buildControls(client_);
    connectHandlers();

    // The design size, and the least: the controls keep their places.
    const QSize size(Twips(kClientWidth), MenuBar->sizeHint().height() + Twips(kClientHeight));
    setMinimumSize(size);
    resize(size);

    // Opening: centre, lists, grid, records, explanation.
    CentreOnScreen(*this);
    MasterRead();
    GridInit();
    DataDisp();
    SetsumeiLabel->setText(u"・パチンコ成績を表に書き込んで下さい。\n\r"
                           u"・操作方法は表計算ソフトとほぼ同等です。\n\r"
                           u"・同日に複数台でプレイした場合は別々に\n\r"
                           u"　入力して下さい。\n\r"_s);
    // Before the first cell is entered the input box stands empty over the grid,
    // whose current cell is the year of row 1.
    IText->show();
    ICombo->hide();
    IGrid->setFocus();
    // Opening is no change: the history starts here. A read-only player is
    // never changed.
    undoStack_->clear();
    ISave->setEnabled(!shared_.file.ReadOnly());
    FEnd->setEnabled(ISave->isEnabled());
}

void Nyuuryoku::SelectRecord(qint32 N)
{
    IGrid->SetCol(EntryColumn::Comment);
    IGrid->SetRow(N);
}

void Nyuuryoku::closeEvent(QCloseEvent *event)
{
    // ｷｬﾝｾﾙ drops the work as it is; the close box asks first, as it is
    // easily pressed by mistake.
    if (!undoStack_->isClean() &&
        shared_.platform.MsgBox(u"入力した内容を破棄します。\r\nよろしいですか？"_s,
                                MsgButtons::OkCancel, MsgIcon::Exclamation,
                                u"確認"_s) != MsgResult::Ok) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void Nyuuryoku::keyPressEvent(QKeyEvent *event)
{
    // Escape must not drop the grid's work, and Enter presses no default
    // button: leaving the window takes OK or Cancel.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter: event->accept(); return;
    default: QDialog::keyPressEvent(event);
    }
}

bool Nyuuryoku::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == IText && event->type() == QEvent::ShortcutOverride) {
        // Undo and redo in the input box are the window's: its typing is
        // already a step of the grid's history.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            event->ignore();
            return true;
        }
    }
    if (watched == IGrid->viewport() && event->type() == QEvent::Resize)
        ColWidthSet(); // the columns fill the grid
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if ((watched == IText || watched == ICombo) && enter) {
        // Enter in the input box or the list hands the keyboard back to the grid.
        IGrid->setFocus();
        return true;
    }
    if (watched == IText && key->text().contains(u'"') && IGrid->Col() == EntryColumn::Comment) {
        // A comment cannot carry a double quote in the data file.
        SoundPlay(shared_.platform, shared_.states, 3);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
