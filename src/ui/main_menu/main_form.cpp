#include "ui/main_menu/main_form.h"

#include "app/data_import.h"
#include "app/tool.h"
#include "data/numbers.h"
#include "data/save_sequence.h"
#include "data/shared_data.h"
#include "data/user_data_file.h"
#include "platform/platform.h"
#include "ui/app_font.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/main_menu/about.h"
#include "ui/master_editors/master_editor.h"
#include "ui/player_select/player_select.h"
#include "ui/statistics/toukei.h"
#include "ui/twips.h"
#include "ui/widgets/picture_button.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr qint32 kWakeKinAmounts[7] = {0, 500, 1000, 2000, 3000, 5000, 10000};
const char16_t *const kWakeKinCaptions[7] = {u"0円",         u"±500円未満",  u"±1000円未満",
                                             u"±2000円未満", u"±3000円未満", u"±5000円未満",
                                             u"±10000円未満"};

QString modifiedQuestion()
{
    return u"データは更新されています。保存しますか？"_s;
}

void setTextColour(QWidget *w, const QColor &colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}
} // namespace

MainForm::MainForm(SharedData &shared, QWidget *parent) : QMainWindow(parent), shared_(shared)
{
    setWindowTitle(u"るでら３　[Main Menu]"_s);
    buildMenus();
    buildControls();
    // Form_Load: the window's place on the screen.
    move(Twips(1000), Twips(1500));
}

void MainForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    File = bar->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    FPSelect = File->addAction(u"プレーヤー選択(&S)"_s, this, &MainForm::FPSelect_Click);
    FSave = File->addAction(u"保存(&S)"_s, this, &MainForm::FSave_Click);
    FSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    FImport = File->addAction(u"ﾊﾞｰｼﾞｮﾝ2ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ"_s, this, &MainForm::FImport_Click);
    File->addSeparator();
    FEnd = File->addAction(u"終了(&X)"_s, this, &MainForm::FEnd_Click);

    Menu = bar->addMenu(u"ﾒﾆｭｰ(&M)"_s);
    RInput = Menu->addAction(u"データ入力(&I)"_s, this, &MainForm::RInput_Click);
    RDisp = Menu->addAction(u"統計表示(&D)"_s, this, &MainForm::RDisp_Click);
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
    TitleName->setFixedWidth(Twips(5400));
    TitleName->setToolTip(Image3->toolTip());
    Label1 = new QLabel(u"通算成績"_s);
    Seiseki = new ClickLabel;
    Seiseki->setFont(UiFont(12));
    Seiseki->setToolTip(u"右クリックで引き分け金額を設定"_s);
    HKingaku = new QLabel;
    HKingaku->setFont(UiFont(20));
    HKingaku->setAlignment(Qt::AlignRight | Qt::AlignBaseline);
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

qint32 MainForm::WakeKinAmount(int Index)
{
    return Index >= 0 && Index < 7 ? kWakeKinAmounts[Index] : 0;
}

int MainForm::WakeKinIndex(qint32 amount)
{
    for (int i = 0; i < 7; ++i) {
        if (kWakeKinAmounts[i] == amount)
            return i;
    }
    return 0;
}

bool MainForm::event(QEvent *event)
{
    // Queued, so that a window opened at the first activation does not run
    // inside the activation event itself.
    if (event->type() == QEvent::WindowActivate)
        QMetaObject::invokeMethod(this, &MainForm::Form_Activate, Qt::QueuedConnection);
    return QMainWindow::event(event);
}

void MainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Without a window manager the window may never be activated; the first
    // showing counts as the first activation then.
    if (!activated_)
        QMetaObject::invokeMethod(this, &MainForm::Form_Activate, Qt::QueuedConnection);
}

void MainForm::Form_Activate()
{
    if (ended_)
        return;
    if (!activated_) {
        // Set first: the player selection opened here activates the window again.
        activated_ = true;
        const QString name = RememberedPlayer(shared_.platform);
        if (name.isEmpty() || !FileCheck(name + UserDataFile::PcdExtension())) {
            SoundPlay(shared_.platform, shared_.states, 1);
            openPlayerSelection();
        } else {
            OpenPlayer(shared_, name);
            ShowPlayerSettings();
        }
    }
    shared_.states.Sound = CSound->isChecked();
    SeisekiDisp();
    showSaveState();
}

void MainForm::ShowPlayerSettings()
{
    CSound->setChecked(shared_.states.Sound);
    WakeKinClear();
    WakeKin[WakeKinIndex(shared_.states.WakeKin)]->setChecked(true);
}

void MainForm::SeisekiDisp()
{
    const States &s = shared_.states;
    TitleName->setText(s.UserName);
    // A long name gets a smaller font rather than being cut off.
    QFont font = UiFont(18);
    while (font.pointSize() > 9 &&
           QFontMetrics(font).horizontalAdvance(s.UserName) > TitleName->maximumWidth())
        font.setPointSize(font.pointSize() - 1);
    TitleName->setFont(font);

    const int total = s.Kachi + s.Make + s.Wake;
    Seiseki->setText(FormatPlain(total) + u"戦 ("_s + FormatPlain(s.Kachi) + u"勝 "_s +
                     FormatPlain(s.Make) + u"敗 "_s + FormatPlain(s.Wake) + u"分)"_s);
    HKingaku->setText(YenForDisplay(FormatYen(s.Kingaku)));
}

void MainForm::showSaveState()
{
    const bool modified = shared_.states.Corrected;
    MSave->setEnabled(modified);
    setTextColour(MLSave, modified ? QColor(0, 0, 0) : QColor(128, 128, 128));
    FSave->setEnabled(modified);
}

void MainForm::openModal(QDialog &dialog)
{
    shared_.platform.ShowModal(dialog);
    Form_Activate();
}

void MainForm::openPlayerSelection()
{
    PSelect dialog(shared_, this, [this] { ShowPlayerSettings(); });
    openModal(dialog);
}

void MainForm::MInput_Click()
{
    if (!shared_.states.UserName.isEmpty())
        RInput_Click();
}

void MainForm::MDisp_Click()
{
    if (!shared_.states.UserName.isEmpty())
        RDisp_Click();
}

void MainForm::MMiseAdd_Click()
{
    if (!shared_.states.UserName.isEmpty())
        RMiseAdd_Click();
}

void MainForm::MDaiAdd_Click()
{
    if (!shared_.states.UserName.isEmpty())
        RDaiAdd_Click();
}

void MainForm::MLInput_Click()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    MInput_Click();
}

void MainForm::MLDisp_Click()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    MDisp_Click();
}

void MainForm::MLMiseAdd_Click()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    MMiseAdd_Click();
}

void MainForm::MLDaiAdd_Click()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    MDaiAdd_Click();
}

void MainForm::MLSave_Click()
{
    if (shared_.states.Corrected)
        SoundPlay(shared_.platform, shared_.states, 1);
    MSave_Click();
}

void MainForm::MLEnd_Click()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    MEnd_Click();
}

void MainForm::RInput_Click()
{
    Nyuuryoku dialog(shared_, this);
    openModal(dialog);
}

void MainForm::RDisp_Click()
{
    Toukei dialog(shared_, this);
    openModal(dialog);
}

void MainForm::RMiseAdd_Click()
{
    MasterEditor dialog(shared_, MasterEditor::Kind::MiseAdd, this);
    openModal(dialog);
}

void MainForm::RDaiAdd_Click()
{
    MasterEditor dialog(shared_, MasterEditor::Kind::DaiAdd, this);
    openModal(dialog);
}

void MainForm::MSave_Click()
{
    States &s = shared_.states;
    if (!s.Corrected)
        return;
    if (s.UserName.isEmpty()) {
        // Data entered with no player open have no file to go to.
        shared_.platform.MsgBox(u"プレーヤーが選択されていないため保存できません。"_s +
                                QString::fromUtf16(UserDataFile::kLineEnd) +
                                u"プレーヤーを選択して下さい。"_s);
    } else if (SavePlayerFile(shared_, s.UserName)) {
        s.Corrected = false;
    }
    // A failed save keeps the data marked as modified, so exit still asks.
    showSaveState();
}

void MainForm::FSave_Click()
{
    MSave_Click();
}

void MainForm::MEnd_Click()
{
    if (shared_.states.Corrected) {
        switch (shared_.platform.MsgBox(modifiedQuestion(), MsgButtons::YesNoCancel,
                                        MsgIcon::Question, u"終了確認"_s)) {
        case MsgResult::Yes:
            MSave_Click();
            if (shared_.states.Corrected)
                return; // not saved: keep running rather than lose the data
            break;
        case MsgResult::No: break;
        default: return;
        }
    }
    EndProgram();
}

void MainForm::FEnd_Click()
{
    MEnd_Click();
}

void MainForm::closeEvent(QCloseEvent *event)
{
    if (!ended_ && shared_.states.Corrected &&
        shared_.platform.MsgBox(modifiedQuestion(), MsgButtons::OkCancel, MsgIcon::Question,
                                u"終了確認"_s) == MsgResult::Ok) {
        MSave_Click();
        if (shared_.states.Corrected) {
            event->ignore(); // not saved: keep running rather than lose the data
            return;
        }
    }
    if (!ended_) {
        ended_ = true;
        emit programEnded();
    }
    event->accept();
}

void MainForm::EndProgram()
{
    ended_ = true;
    emit programEnded();
    // Closing the last window ends the application.
    close();
}

void MainForm::FPSelect_Click()
{
    if (shared_.states.Corrected) {
        switch (shared_.platform.MsgBox(modifiedQuestion(), MsgButtons::YesNoCancel,
                                        MsgIcon::Question, u"ユーザ変更"_s)) {
        case MsgResult::Yes:
            MSave_Click();
            if (shared_.states.Corrected)
                return; // not saved: opening another player would lose the data
            break;
        case MsgResult::No: break;
        default: return;
        }
    }
    SoundPlay(shared_.platform, shared_.states, 1);
    openPlayerSelection();
}

void MainForm::TitleName_DblClick()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    FPSelect_Click();
}

void MainForm::Image3_DblClick()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    FPSelect_Click();
}

void MainForm::FImport_Click()
{
    DataImport(shared_.platform);
}

void MainForm::CSound_Click()
{
    shared_.states.Sound = CSound->isChecked();
}

void MainForm::WakeKin_Click(int Index)
{
    if (Index < 0 || Index >= 7)
        return;
    States &s = shared_.states;
    s.WakeKin = WakeKinAmount(Index);
    WakeKinClear();
    WakeKin[Index]->setChecked(true);
    shared_.data.CalcStatus(s.WakeKin, s.Kachi, s.Make, s.Wake, s.Kingaku);
    SeisekiDisp();
}

void MainForm::WakeKinClear()
{
    for (QAction *item : WakeKin)
        item->setChecked(false);
}

void MainForm::Seiseki_MouseUp(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton)
        CWakeKin->popup(globalPos);
}

void MainForm::HAbout_Click()
{
    SoundPlay(shared_.platform, shared_.states, 3);
    About dialog(this);
    openModal(dialog);
}

QString MainForm::HomePageAddress()
{
    const QString installed = QStringLiteral(LEDRA_DATA_DIR "/docs/index.html");
    // A build tree directly under the source tree finds the guide next to it.
    const QString sourceTree = QCoreApplication::applicationDirPath() + u"/../docs/index.html"_s;
    const QString guide = QFileInfo(installed).isFile() || !QFileInfo(sourceTree).isFile()
                              ? installed
                              : QFileInfo(sourceTree).canonicalFilePath();
    return QUrl::fromLocalFile(guide).toString();
}

void MainForm::HHomePage_Click()
{
    Platform &ui = shared_.platform;
    const QString browser = ui.BrowserPath();
    if (!FileCheck(browser)) {
        // Without an opener there is no path to name; name the program looked for.
        ui.MsgBox((browser.isEmpty() ? u"xdg-open"_s : browser) + u"が存在しません"_s);
        return;
    }
    QString error;
    if (!ui.StartProgram(browser, {HomePageAddress()}, error))
        ui.MsgBox(u"エラーが発生しました。"_s + error);
}
