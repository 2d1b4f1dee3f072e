#include "ui/statistics/toukei.h"

#include "core/model/shared_data.h"
#include "core/platform.h"
#include "ui/app_font.h"
#include "ui/statistics/result_grid.h"
#include "ui/statistics/screens.h"
#include "ui/statistics/toukei_labels.h"
#include "ui/twips.h"
#include "ui/widgets/drawing_area.h"
#include "ui/window_place.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace Qt::StringLiterals;

Toukei::Toukei(SharedData &shared, QWidget *parent) : QDialog(parent), shared_(shared)
{
    setWindowTitle(u"るでら３  [統計表示]"_s);
    setFont(UiFont(9));
    createControls();
    // A screen pauses between its steps; the window may be closed (or even
    // destroyed) meanwhile, and then the screen must stop drawing.
    screens_ = std::make_unique<StatScreens>(
        shared_.platform, shared_.states, *HGamen, shared_.Stores, shared_.Machines, graph_, ranks_,
        [window = QPointer<Toukei>(this)] { return window && window->StillOpen(); });
    connectControls();
    // Never smaller than its default size, nor than its controls need.
    setMinimumSize(TwipsSize(kDefaultWidth, kDefaultHeight).expandedTo(layout()->minimumSize()));
    resize(minimumSize());
    Form_Load();
}

Toukei::~Toukei() = default;

void Toukei::Form_Load()
{
    const QDate today = shared_.platform.Today();
    JSYear->setText(QString::number(today.year()));
    JSMonth->setText(QString::number(today.month()));
    MasterRead();
    ComboSet();
    GridInitialize();
    SAll->setChecked(true);
    SAll_Click();
    SHyouji_Click();
}

void Toukei::connectControls()
{
    connect(SHyouji, &QPushButton::clicked, this, &Toukei::SHyouji_Click);
    connect(SSeiseki, &QPushButton::clicked, this, &Toukei::SSeiseki_Click);
    connect(SGraph, &QPushButton::clicked, this, &Toukei::SGraph_Click);
    connect(SGStore, &QPushButton::clicked, this, &Toukei::SGStore_Click);
    connect(SGWStore, &QPushButton::clicked, this, &Toukei::SGWStore_Click);
    connect(SGMachine, &QPushButton::clicked, this, &Toukei::SGMachine_Click);
    connect(SGWMachine, &QPushButton::clicked, this, &Toukei::SGWMachine_Click);
    connect(SGDay, &QPushButton::clicked, this, &Toukei::SGDay_Click);
    connect(SGShouhai, &QPushButton::clicked, this, &Toukei::SGShouhai_Click);
    connect(SGWShouhai, &QPushButton::clicked, this, &Toukei::SGWShouhai_Click);
    connect(SAdvice, &QPushButton::clicked, this, &Toukei::SAdvice_Click);
    connect(TEnd, &QPushButton::clicked, this, &Toukei::TEnd_Click);
    connect(FEnd, &QAction::triggered, this, &Toukei::FEnd_Click);
    connect(FCSV, &QAction::triggered, this, &Toukei::FCSV_Click);
    connect(ECopy, &QAction::triggered, this, &Toukei::ECopy_Click);
    connect(GamenTimer, &QTimer::timeout, this, &Toukei::GamenTimer_Timer);
    connect(HGrid, &ResultGrid::mouseUp, this, &Toukei::HGrid_MouseUp);

    connect(SAll, &QRadioButton::clicked, this, &Toukei::SAll_Click);
    connect(SJouken, &QRadioButton::clicked, this, &Toukei::SJouken_Click);
    connect(JAll, &QRadioButton::clicked, this, &Toukei::JAll_Click);
    connect(JYear, &QRadioButton::clicked, this, &Toukei::JYear_Click);
    connect(JMonth, &QRadioButton::clicked, this, &Toukei::JMonth_Click);
    connect(J10, &QRadioButton::clicked, this, &Toukei::J10_Click);
    const auto buttonNumber = [](Qt::MouseButton b) -> qint16 {
        return b == Qt::LeftButton ? 1 : b == Qt::RightButton ? 2 : 4;
    };
    connect(JSYear, &SpinLabel::mouseDown, this,
            [this, buttonNumber](Qt::MouseButton b) { JSYear_MouseDown(buttonNumber(b)); });
    connect(JSMonth, &SpinLabel::mouseDown, this,
            [this, buttonNumber](Qt::MouseButton b) { JSMonth_MouseDown(buttonNumber(b)); });
}

// ------------------------------------------------------------------ buttons

void Toukei::SHyouji_Click()
{
    const qint32 wakeKin = shared_.states.WakeKin;
    JoukenSet();
    if (!DataRead(shared_.data, wakeKin, sel_))
        shared_.platform.MsgBox(SelectionTooLargeMessage());
    for (const QString &message : CalcRank(sel_.TData, wakeKin, graph_, ranks_))
        shared_.platform.MsgBox(message);
    DataWrite();
    HGamen->Cls();
    HGamen->RemovePicture();
    screens_->AdviceNo = 0;
    GamenTimer->start();
}

void Toukei::SSeiseki_Click()
{
    HGamen->Cls();
    HGamen->RemovePicture();
    GamenTimer->start();
}

void Toukei::GamenTimer_Timer()
{
    GamenTimer->stop();
    if (!StillOpen())
        return;
    // The figures come from the totals block, so the screen shows what it shows.
    screens_->GamenWrite_Default(HSeiseki->Caption(), HKachikin->Caption());
}

// The screens may outlive a pause in which the window was closed: nothing may
// touch this window after one of them returns.
void Toukei::SGraph_Click()
{
    screens_->GamenWrite_Graph();
}

void Toukei::SGStore_Click()
{
    screens_->GamenWrite_RStore();
}

void Toukei::SGWStore_Click()
{
    screens_->GamenWrite_RStoreW();
}

void Toukei::SGMachine_Click()
{
    screens_->GamenWrite_RMachine();
}

void Toukei::SGWMachine_Click()
{
    screens_->GamenWrite_RMachineW();
}

void Toukei::SGDay_Click()
{
    screens_->GamenWrite_RYoubi();
}

void Toukei::SGShouhai_Click()
{
    screens_->GamenWrite_RShouhai();
}

void Toukei::SGWShouhai_Click()
{
    screens_->GamenWrite_RShouhaiW();
}

void Toukei::SAdvice_Click()
{
    screens_->GamenWrite_Advice();
}

void Toukei::TEnd_Click()
{
    closed_ = true;
    GamenTimer->stop();
    close();
}

void Toukei::FEnd_Click()
{
    TEnd_Click();
}

void Toukei::FCSV_Click()
{
    shared_.platform.MsgBox(u"Excelや1-2-3へのデータの出力はｺﾋﾟｰ&ﾍﾟｰｽﾄで簡単に行えます。"_s,
                            MsgButtons::Ok, MsgIcon::None, u"説明"_s);
}

void Toukei::ECopy_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(HGrid->Clip());
}

void Toukei::HGrid_MouseUp(Qt::MouseButton Button, const QPoint &globalPos)
{
    if (Button == Qt::RightButton)
        Henshuu->popup(globalPos);
}

// ------------------------------------------------------------------ lifecycle

void Toukei::done(int result)
{
    closed_ = true;
    GamenTimer->stop();
    QDialog::done(result);
}

void Toukei::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
    if (event->isAccepted()) {
        closed_ = true;
        GamenTimer->stop();
    }
}

void Toukei::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        closed_ = false;
        // Centred on the screen (not over the main window) before it appears.
        CentreOnScreen(*this);
    }
    QDialog::setVisible(visible);
}
