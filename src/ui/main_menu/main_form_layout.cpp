// Menus and controls of the main menu window.

#include "ui/main_menu/main_form.h"

#include "core/model/shared_data.h"
#include "core/util/tool.h"
#include "ui/app_font.h"
#include "ui/twips.h"
#include "ui/widgets/picture_button.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const char16_t *const kWakeKinCaptions[7] = {u"0円",         u"±500円未満",  u"±1000円未満",
                                             u"±2000円未満", u"±3000円未満", u"±5000円未満",
                                             u"±10000円未満"};
} // namespace

void MainForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    File = bar->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    FPSelect = File->addAction(u"プレーヤー選択(&S)"_s, this, &MainForm::FPSelect_Click);
    FSave = File->addAction(u"保存(&S)"_s, this, &MainForm::FSave_Click);
    FSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    FImport = File->addAction(u"ﾊﾞｰｼﾞｮﾝ2ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ"_s, this, &MainForm::FImport_Click);
    FCsvExport = File->addAction(u"CSVファイルに書き出す…"_s, this, &MainForm::FCsvExport_Click);
    FCsvImport = File->addAction(u"CSVファイルから読み込む…"_s, this, &MainForm::FCsvImport_Click);
    File->addSeparator();
    FEnd = File->addAction(u"終了(&X)"_s, this, &MainForm::FEnd_Click);

    Menu = bar->addMenu(u"ﾒﾆｭｰ(&M)"_s);
    RInput = Menu->addAction(u"データ入力(&I)"_s, this, &MainForm::RInput_Click);
    RDisp = Menu->addAction(u"統計表示(&D)"_s, this, &MainForm::RDisp_Click);
    RCalendar = Menu->addAction(u"カレンダー(&C)"_s, this, &MainForm::RCalendar_Click);
    RCalendar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    RMonthlyChart = Menu->addAction(u"月別グラフ(&G)"_s, this, &MainForm::RMonthlyChart_Click);
    RMonthlyChart->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    RShuukei = Menu->addAction(u"集計表(&T)"_s, this, &MainForm::RShuukei_Click);
    RShuukei->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    Menu->addSeparator();
    RMiseAdd = Menu->addAction(u"店データ追加(&S)"_s, this, &MainForm::RMiseAdd_Click);
    RDaiAdd = Menu->addAction(u"台データ追加(&M)"_s, this, &MainForm::RDaiAdd_Click);

    Settei = bar->addMenu(u"設定(&C)"_s);
    CSound = Settei->addAction(u"効果音"_s, this, &MainForm::CSound_Click);
    CSound->setCheckable(true);
    CSound->setChecked(true);
    CWakeKin = Settei->addMenu(u"引き分け金額"_s);
    HTitle = CWakeKin->addAction(u"引き分け設定"_s);
    HTitle->setEnabled(false);
    CWakeKin->addSeparator();
    for (int i = 0; i < 7; ++i) {
        WakeKin[i] = CWakeKin->addAction(QString::fromUtf16(kWakeKinCaptions[i]), this,
                                         [this, i] { WakeKin_Click(i); });
        WakeKin[i]->setCheckable(true);
    }

    Help = bar->addMenu(u"ﾍﾙﾌﾟ(&H)"_s);
    HHomePage = Help->addAction(u"るでらホームページへ(&H)"_s, this, &MainForm::HHomePage_Click);
    Help->addSeparator();
    HAbout = Help->addAction(u"ﾊﾞｰｼﾞｮﾝ情報(&A)"_s, this, &MainForm::HAbout_Click);
}

PictureButton *MainForm::addPictureButton(const QString &picture)
{
    auto *button = new PictureButton;
    button->setPicture(picture, QSize(48, 48));
    button->setFixedSize(56, 56);
    return button;
}

void MainForm::buildControls()
{
    auto *central = new QWidget(this);
    central->setFont(UiFont(10));
    setCentralWidget(central);

    Image3 = new PictureButton;
    Image3->setPicture(u":/pictures/main_title.svg"_s, QSize(120, 120));
    Image3->setCursor(Qt::ArrowCursor);
    Image3->setToolTip(u"ダブルクリックでプレーヤーを選択"_s);
    TitleName = new ClickLabel;
    TitleName->setFont(UiFont(18));
    TitleName->setTextFormat(Qt::PlainText); // a name is never markup
    TitleName->setFixedWidth(Twips(5400));
    TitleName->setToolTip(Image3->toolTip());
    Label1 = new QLabel(u"通算成績"_s);
    Seiseki = new ClickLabel;
    Seiseki->setFont(UiFont(12));
    Seiseki->setToolTip(u"右クリックで引き分け金額を設定"_s);
    HKingaku = new QLabel;
    HKingaku->setFont(UiFont(20));
    HKingaku->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label9 = new QLabel(u"円"_s);
    Label9->setFont(UiFont(12));

    auto *total = new QHBoxLayout;
    total->addStretch();
    total->addWidget(HKingaku, 0, Qt::AlignBottom);
    total->addWidget(Label9, 0, Qt::AlignBottom);
    auto *summary = new QVBoxLayout;
    summary->addWidget(TitleName);
    summary->addSpacing(6);
    summary->addWidget(Label1);
    summary->addWidget(Seiseki);
    summary->addLayout(total);
    summary->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(Image3);
    top->addSpacing(10);
    top->addLayout(summary, 1);

    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    MInput = addPictureButton(u":/pictures/input.svg"_s);
    MDisp = addPictureButton(u":/pictures/disp.svg"_s);
    MMiseAdd = addPictureButton(u":/pictures/mise_add.svg"_s);
    MDaiAdd = addPictureButton(u":/pictures/dai_add.svg"_s);
    MSave = addPictureButton(u":/pictures/save.svg"_s);
    MEnd = addPictureButton(u":/pictures/end.svg"_s);
    MLInput = new ClickLabel(u"データ入力"_s);
    MLDisp = new ClickLabel(u" 統計表示 "_s);
    MLMiseAdd = new ClickLabel(u"店ﾃﾞｰﾀ追加"_s);
    MLDaiAdd = new ClickLabel(u"台ﾃﾞｰﾀ追加"_s);
    MLSave = new ClickLabel(u"保存"_s);
    MLEnd = new ClickLabel(u"終了"_s);

    struct Pair {
        PictureButton *picture;
        ClickLabel *label;
        void (MainForm::*click)();
        void (MainForm::*labelClick)();
    };
    const Pair pairs[] = {
        {MInput, MLInput, &MainForm::MInput_Click, &MainForm::MLInput_Click},
        {MDisp, MLDisp, &MainForm::MDisp_Click, &MainForm::MLDisp_Click},
        {MMiseAdd, MLMiseAdd, &MainForm::MMiseAdd_Click, &MainForm::MLMiseAdd_Click},
        {MDaiAdd, MLDaiAdd, &MainForm::MDaiAdd_Click, &MainForm::MLDaiAdd_Click},
        {MSave, MLSave, &MainForm::MSave_Click, &MainForm::MLSave_Click},
        {MEnd, MLEnd, &MainForm::MEnd_Click, &MainForm::MLEnd_Click},
    };
    auto *buttons = new QGridLayout;
    buttons->setHorizontalSpacing(4);
    int column = 0;
    for (const Pair &p : pairs) {
        p.label->setAlignment(Qt::AlignCenter);
        p.label->setMinimumWidth(Twips(1200));
        p.label->setCursor(Qt::PointingHandCursor);
        buttons->addWidget(p.picture, 0, column, Qt::AlignHCenter);
        buttons->addWidget(p.label, 1, column, Qt::AlignHCenter);
        ++column;
        // The pressed look: a border while the mouse button is down.
        PictureButton *picture = p.picture;
        connect(picture, &PictureButton::mouseDown, this, [this, picture] {
            SoundPlay(shared_.platform, shared_.states, 1);
            picture->setBorder(true);
        });
        connect(picture, &PictureButton::mouseUp, picture,
                [picture] { picture->setBorder(false); });
        connect(picture, &PictureButton::clicked, this, p.click);
        connect(p.label, &ClickLabel::clicked, this, p.labelClick);
    }

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(14, 10, 14, 10);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(buttons);

    connect(TitleName, &ClickLabel::doubleClicked, this, &MainForm::TitleName_DblClick);
    connect(Image3, &PictureButton::doubleClicked, this, &MainForm::Image3_DblClick);
    connect(Seiseki, &ClickLabel::mouseUp, this, &MainForm::Seiseki_MouseUp);

    SeisekiDisp();
    showSaveState();
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    setFixedSize(sizeHint());
}
