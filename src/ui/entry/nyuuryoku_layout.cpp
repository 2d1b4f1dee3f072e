// The entry window's controls at their design positions (twips), the grid in
// the room between them, its menus and the connections of every control to
// its handler.

#include "core/model/shared_data.h"
#include "core/util/tool.h"
#include "ui/app_style.h"
#include "ui/entry/entry_grid_model.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/readable_colors.h"
#include "ui/twips.h"
#include "ui/widgets/data_grid.h"
#include "ui/widgets/picture.h"
#include "ui/widgets/picture_button.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {
QLabel *placeLabel(QWidget *parent, const QString &text, const QRect &rect)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(rect);
    return label;
}

QPushButton *placeButton(QWidget *parent, const QString &text, const QRect &rect)
{
    auto *button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    SetButtonColors(button, QColor(224, 224, 224));
    // At least what its text needs in the style in use, grown upwards: the
    // control below keeps its room.
    const QSize size = rect.size().expandedTo(TextFitSize(*button));
    button->setGeometry(rect.left(), rect.bottom() + 1 - size.height(), size.width(),
                        size.height());
    return button;
}
} // namespace

void Nyuuryoku::buildControls(QWidget *client)
{
    // The controls above the grid keep their places from the window's top
    // left, those below it from its bottom left (in a strip of their own);
    // the grid takes the room between, 500 twips narrower than the window.
    constexpr int gridTop = 1560, gridBottom = 4215, clientHeight = 5055;
    Shape1 = new QFrame(client);
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setGeometry(TwipsRect(1920, 1080, 5055, 495));

    Image1 = new QLabel(client);
    Image1->setGeometry(TwipsRect(720, 120, 3720, 825));
    Image1->setPixmap(
        RenderPicture(u":/pictures/entry_banner.svg"_s, TwipsSize(3720, 825), devicePixelRatioF()));
    SetsumeiLabel = placeLabel(client, QString(), TwipsRect(4800, 120, 3375, 855));
    SetsumeiLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Image2 = new QLabel(client);
    Image2->setGeometry(TwipsRect(2160, 1140, 480, 360));
    Image2->setPixmap(
        RenderPicture(u":/pictures/entry_icon.svg"_s, TwipsSize(480, 360), devicePixelRatioF()));
    Label2 = placeLabel(client, u"入力ボックス"_s, TwipsRect(2640, 1260, 1095, 255));

    IText = new QLineEdit(client);
    IText->setGeometry(TwipsRect(3840, 1200, 2775, 270));
    IText->setAttribute(Qt::WA_InputMethodEnabled);
    ICombo = new QComboBox(client);
    ICombo->setEditable(false);
    ICombo->setGeometry(TwipsRect(3840, 1200, 2775, 300));
    ICombo->setMaxVisibleItems(20);
    ICombo->hide();

    Label4 = placeLabel(client, u"※"_s, TwipsRect(7200, 1080, 255, 255));
    Label1 = placeLabel(client, u"移動：TAB、ｶｰｿﾙｷｰ"_s, TwipsRect(7440, 1080, 1695, 255));
    Label3 = placeLabel(client, u"入力：Enterｷｰ"_s, TwipsRect(7440, 1320, 1335, 255));

    ISort = placeButton(client, u"ｿｰﾄ"_s, TwipsRect(240, 1320, 975, 255));

    rows_ = new EntryGridModel(shared_.Stores, shared_.Machines);
    IGrid = new DataGrid(client, rows_);

    auto *below = new QWidget(client);
    below->setFixedHeight(Twips(clientHeight - gridBottom));
    const auto placed = [](double left, double top, double width, double height) {
        return TwipsRect(left, top - gridBottom, width, height);
    };
    MMiseAdd = new PictureButton(below);
    MMiseAdd->setGeometry(placed(1560, 4440, 375, 375));
    MMiseAdd->setPicture(u":/pictures/mise_add.svg"_s, TwipsSize(345, 345));
    MDaiAdd = new PictureButton(below);
    MDaiAdd->setGeometry(placed(2520, 4440, 375, 375));
    MDaiAdd->setPicture(u":/pictures/dai_add.svg"_s, TwipsSize(345, 345));
    MLMiseAdd = new ClickLabel(u"店ﾃﾞｰﾀ追加"_s, below);
    MLMiseAdd->setGeometry(placed(1320, 4800, 975, 255));
    MLMiseAdd->setAlignment(Qt::AlignCenter);
    MLDaiAdd = new ClickLabel(u"台ﾃﾞｰﾀ追加"_s, below);
    MLDaiAdd->setGeometry(placed(2280, 4800, 975, 255));
    MLDaiAdd->setAlignment(Qt::AlignCenter);

    ISave = placeButton(below, u"OK"_s, placed(5280, 4560, 975, 375));
    ICancel = placeButton(below, u"ｷｬﾝｾﾙ"_s, placed(6840, 4560, 975, 375));

    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, Twips(gridTop), 0, 0);
    layout->setSpacing(0);
    auto *gridRow = new QHBoxLayout;
    gridRow->setContentsMargins(Twips(240), 0, Twips(260), 0);
    gridRow->addWidget(IGrid);
    layout->addLayout(gridRow, 1);
    layout->addWidget(below);

    // The keyboard goes from the grid to the input box and back.
    setTabOrder(IGrid, IText);
    setTabOrder(IText, ICombo);
    setTabOrder(ICombo, ISort);
    setTabOrder(ISort, ISave);
    setTabOrder(ISave, ICancel);
}

void Nyuuryoku::buildMenus()
{
    MenuBar = new QMenuBar(this);
    File = MenuBar->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    FCSV = File->addAction(u"表計算ソフトからの入出力"_s);
    File->addSeparator();
    FCancel = File->addAction(u"作業のｷｬﾝｾﾙ(&C)"_s);
    FEnd = File->addAction(u"作業の終了(&X)"_s);

    Henshuu = MenuBar->addMenu(u"編集(&E)"_s);
    undoAction = Henshuu->addAction(u"元に戻す(&U)"_s);
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction = Henshuu->addAction(u"やり直し(&R)"_s);
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    Henshuu->addSeparator();
    ECut = Henshuu->addAction(u"切り取り(&T)"_s);
    ECut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    HCopy = Henshuu->addAction(u"ｺﾋﾟｰ(&C)"_s);
    HCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    EPaste = Henshuu->addAction(u"張り付け(&P)"_s);
    EPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    EDel = Henshuu->addAction(u"値のｸﾘｱ(&N)"_s);
    EDel->setShortcut(QKeySequence(Qt::Key_Delete));
    Henshuu->addSeparator();
    EGyouInsert = Henshuu->addAction(u"行挿入"_s);
    EGyouDel = Henshuu->addAction(u"行の削除"_s);
    // The editing keys work only on the grid; in the input box they edit its
    // text, except undo and redo, which are the grid's everywhere.
    for (QAction *action : {ECut, HCopy, EPaste, EDel, undoAction, redoAction})
        action->setShortcutContext(Qt::WindowShortcut);
}

void Nyuuryoku::connectHandlers()
{
    connect(IGrid, &DataGrid::selChange, this, &Nyuuryoku::IGrid_SelChange);
    connect(IGrid, &DataGrid::dblClick, this, &Nyuuryoku::IGrid_DblClick);
    connect(IGrid, &DataGrid::keyPress, this, &Nyuuryoku::IGrid_KeyPress);
    connect(IGrid, &DataGrid::mouseUp, this, &Nyuuryoku::IGrid_MouseUp);
    IGrid->viewport()->installEventFilter(this); // its width sets the columns'

    connect(IText, &QLineEdit::textChanged, this, &Nyuuryoku::IText_Change);
    connect(ICombo, &QComboBox::activated, this, &Nyuuryoku::ICombo_Click);
    IText->installEventFilter(this);
    ICombo->installEventFilter(this);

    // Image buttons: a sound and a border while pressed; image and caption open
    // the editor.
    for (PictureButton *button : {MMiseAdd, MDaiAdd}) {
        connect(button, &PictureButton::mouseDown, this, [this, button](Qt::MouseButton) {
            SoundPlay(shared_.platform, shared_.states, 1);
            button->setBorder(true);
        });
        connect(button, &PictureButton::mouseUp, this,
                [button](Qt::MouseButton) { button->setBorder(false); });
    }
    connect(MMiseAdd, &PictureButton::clicked, this, &Nyuuryoku::MMiseAdd_Click);
    connect(MLMiseAdd, &ClickLabel::clicked, this, &Nyuuryoku::MMiseAdd_Click);
    connect(MDaiAdd, &PictureButton::clicked, this, &Nyuuryoku::MDaiAdd_Click);
    connect(MLDaiAdd, &ClickLabel::clicked, this, &Nyuuryoku::MDaiAdd_Click);

    connect(ISort, &QPushButton::clicked, this, &Nyuuryoku::ISort_Click);
    connect(ISave, &QPushButton::clicked, this, &Nyuuryoku::ISave_Click);
    connect(ICancel, &QPushButton::clicked, this, &Nyuuryoku::ICancel_Click);
    connect(FEnd, &QAction::triggered, this, &Nyuuryoku::FEnd_Click);
    connect(FCancel, &QAction::triggered, this, &Nyuuryoku::FCancel_Click);
    connect(FCSV, &QAction::triggered, this, &Nyuuryoku::FCSV_Click);
    connect(ECut, &QAction::triggered, this, &Nyuuryoku::ECut_Click);
    connect(HCopy, &QAction::triggered, this, &Nyuuryoku::HCopy_Click);
    connect(EPaste, &QAction::triggered, this, &Nyuuryoku::EPaste_Click);
    connect(EDel, &QAction::triggered, this, &Nyuuryoku::EDel_Click);
    connect(EGyouInsert, &QAction::triggered, this, &Nyuuryoku::EGyouInsert_Click);
    connect(EGyouDel, &QAction::triggered, this, &Nyuuryoku::EGyouDel_Click);
    connect(undoAction, &QAction::triggered, undoStack_, &QUndoStack::undo);
    connect(redoAction, &QAction::triggered, undoStack_, &QUndoStack::redo);
    undoAction->setEnabled(false);
    redoAction->setEnabled(false);
    connect(undoStack_, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    connect(undoStack_, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);
}
