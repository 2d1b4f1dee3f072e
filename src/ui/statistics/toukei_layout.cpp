// The statistics window's controls and their places. The conditions stand at
// the top, the totals block, the screen buttons and the drawing area in the
// middle, the grid across the bottom. When the window is enlarged the drawing
// area grows keeping its proportions and the grid's rows take the rest.

#include "ui/statistics/toukei.h"

#include "core/statistics/result_grid_model.h"
#include "ui/app_font.h"
#include "ui/statistics/result_grid.h"
#include "ui/statistics/toukei_labels.h"
#include "ui/twips.h"
#include "ui/widgets/drawing_area.h"
#include "ui/widgets/picture_button.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
// Pixel measures of the layout (15 twips each).
constexpr int kMargin = 12;
constexpr int kBannerWidth = 248;
constexpr int kBannerHeight = 55;
constexpr int kFrameLeft = kMargin + kBannerWidth + 10;
constexpr int kFrameHeight = 112;
constexpr int kTotalsWidth = 290;
constexpr int kButtonsLeft = kMargin + kTotalsWidth + 12;
constexpr int kButtonsWidth = 165;
constexpr int kGamenLeft = kButtonsLeft + kButtonsWidth + 12;
constexpr int kMiddleHeight = 182;
constexpr int kRowHeight = 20;
constexpr int kButtonHeight = 22;

const auto kValueStyle =
    u"QLabel { background: white; border: 1px solid rgb(176,176,200); padding: 0px 3px; }"_s;
const auto kHeadingStyle = u"QLabel { color: rgb(0,96,0); font-weight: bold; }"_s;

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

YenLabel *value(QWidget *parent, Qt::Alignment align)
{
    auto *label = new YenLabel(parent);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setStyleSheet(kValueStyle);
    return label;
}

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    return b;
}

QRadioButton *option(const QString &text, QWidget *parent)
{
    return new QRadioButton(text, parent);
}
} // namespace

void Toukei::createControls()
{
    createMenus();

    Image1 = new PictureButton(this);
    Image1->setPicture(u":/pictures/stats_banner.svg"_s, QSize(kBannerWidth, kBannerHeight));
    Image1->setCursor(Qt::ArrowCursor);
    Neichan = new PictureButton(this);
    Neichan->setPicture(u":/pictures/advisor.svg"_s, QSize(70, 147));
    Neichan->hide();

    createConditions();
    createTotals();
    createScreenButtons();

    HGamen = new DrawingArea(this);
    gridModel_ = new ResultGridModel(this);
    HGrid = new ResultGrid(gridModel_, this);

    GamenTimer = new QTimer(this);
    GamenTimer->setSingleShot(true);
    GamenTimer->setInterval(500);
}

void Toukei::createMenus()
{
    MenuBar = new QMenuBar(this);
    MFile = MenuBar->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    FCSV = MFile->addAction(u"表計算ソフトに出力"_s);
    FSep1 = MFile->addSeparator();
    FEnd = MFile->addAction(u"統計表示の終了(&X)"_s);
    Henshuu = MenuBar->addMenu(u"編集(&E)"_s);
    ECopy = Henshuu->addAction(u"ｺﾋﾟｰ(&C)"_s);
    ECopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    // Also on the window itself, so that the shortcut works wherever the focus is.
    addAction(ECopy);
}

void Toukei::createConditions()
{
    SAll = option(u"全データ"_s, this);
    SJouken = option(u"条件付き"_s, this);
    SHyouji = button(u"表示"_s, this);
    SHyouji->setDefault(true);
    TEnd = button(u"終了"_s, this);

    Jouken = new QGroupBox(u"条件"_s, this);
    JAll = option(u"全日"_s, Jouken);
    JYear = option(u"年"_s, Jouken);
    JMonth = option(u"月"_s, Jouken);
    J10 = option(u"最近１０回"_s, Jouken);
    JAll->setChecked(true);
    JSYear = new SpinLabel(Jouken);
    JSYearLabel = caption(u"年"_s, Jouken);
    JSMonth = new SpinLabel(Jouken);
    JSMonthLabel = caption(u"月"_s, Jouken);
    const QString spinTip = u"左クリックで減らし、右クリックで増やします"_s;
    JSYear->setToolTip(spinTip);
    JSMonth->setToolTip(spinTip);
    JStoreLabel = caption(u"店名"_s, Jouken);
    JStore = new QComboBox(Jouken);
    JMachineLabel = caption(u"台名"_s, Jouken);
    JMachine = new QComboBox(Jouken);
    for (QComboBox *combo : {JStore, JMachine})
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

void Toukei::createTotals()
{
    constexpr Qt::Alignment right = Qt::AlignRight;
    Label27 = caption(u"期間"_s, this);
    HKikan = value(this, Qt::AlignLeft);
    SeisekiLabel = caption(u"成績"_s, this);
    HSeiseki = value(this, Qt::AlignLeft);
    HKachikin = value(this, right);
    QFont big = UiFont(14);
    big.setBold(true);
    HKachikin->setFont(big);
    Label11 = caption(u"円"_s, this);
    Label2 = caption(u"統計"_s, this);
    Label2->setStyleSheet(kHeadingStyle);
    Label3 = caption(u"投資総額"_s, this);
    HToushi = value(this, right);
    Label9 = caption(u"円"_s, this);
    Label4 = caption(u"　平　均"_s, this);
    HToushiAve = value(this, right);
    Label19 = caption(u"円／回"_s, this);
    Label6 = caption(u"回収総額"_s, this);
    HKaishuu = value(this, right);
    Label18 = caption(u"円"_s, this);
    Label8 = caption(u"　平　均"_s, this);
    HKaishuuAve = value(this, right);
    Label20 = caption(u"円／回"_s, this);
}

void Toukei::createScreenButtons()
{
    Label5 = caption(u"表示切替"_s, this);
    Label5->setStyleSheet(kHeadingStyle);
    SSeiseki = button(u"成績"_s, this);
    SGraph = button(u"ｸﾞﾗﾌ"_s, this);
    SAdvice = button(u"ｱﾄﾞﾊﾞｲｽ"_s, this);
    Label1 = caption(u"ﾗﾝｷﾝｸﾞ"_s, this);
    Label1->setStyleSheet(kHeadingStyle);
    SGStore = button(u"優秀店"_s, this);
    SGWStore = button(u"劣"_s, this);
    SGMachine = button(u"優秀台"_s, this);
    SGWMachine = button(u"劣"_s, this);
    SGShouhai = button(u"最大勝"_s, this);
    SGWShouhai = button(u"負"_s, this);
    SGDay = button(u"曜　日"_s, this);
}

void Toukei::layoutControls()
{
    const int w = width(), h = height();
    MenuBar->setGeometry(0, 0, w, MenuBar->sizeHint().height());
    const int top = MenuBar->height() + 6;

    // Top band: banner, the two main options, 表示 and 終了; the condition frame.
    Image1->setGeometry(kMargin, top, kBannerWidth, kBannerHeight);
    int y = top + kBannerHeight + 6;
    SAll->setGeometry(kMargin + 2, y, SAll->sizeHint().width(), kRowHeight);
    SJouken->setGeometry(kMargin + 100, y, SJouken->sizeHint().width(), kRowHeight);
    y += kRowHeight + 6;
    SHyouji->setGeometry(kMargin, y, 120, 28);
    TEnd->setGeometry(kMargin + kBannerWidth - 120, y, 120, 28);

    const int frameWidth = w - kMargin - kFrameLeft;
    Jouken->setGeometry(kFrameLeft, top - 4, frameWidth, kFrameHeight + 4);
    int x = 10;
    for (QRadioButton *o : {JAll, JYear, JMonth, J10}) {
        o->setGeometry(x, 22, o->sizeHint().width(), kRowHeight);
        x += o->width() + 4;
    }
    x += 6;
    const auto place = [&x](QWidget *widget, int width, int gap) {
        widget->setGeometry(x, 21, width, kRowHeight + 2);
        x += width + gap;
    };
    place(JSYear, 42, 2);
    place(JSYearLabel, JSYearLabel->sizeHint().width(), 6);
    place(JSMonth, 26, 2);
    place(JSMonthLabel, JSMonthLabel->sizeHint().width(), 0);
    const int comboLeft =
        14 + std::max(JStoreLabel->sizeHint().width(), JMachineLabel->sizeHint().width());
    const int comboWidth = frameWidth - comboLeft - 10;
    JStoreLabel->setGeometry(10, 50, comboLeft - 14, 24);
    JStore->setGeometry(comboLeft, 50, comboWidth, 24);
    JMachineLabel->setGeometry(10, 80, comboLeft - 14, 24);
    JMachine->setGeometry(comboLeft, 80, comboWidth, 24);

    // Middle band: totals block, screen buttons, drawing area.
    const int middle = top + kFrameHeight + 10;
    // The drawing area keeps its page's proportions; it takes two thirds of
    // any extra height, the grid's rows the rest.
    const QSize base = TwipsSize(DrawingArea::kPageWidth, DrawingArea::kPageHeight);
    const QSize initial = TwipsSize(kDefaultWidth, kDefaultHeight);
    const int availWidth = w - kMargin - kGamenLeft;
    const int availHeight = base.height() + std::max(0, h - initial.height()) * 2 / 3;
    const double scale = std::max(
        1.0, std::min(double(availWidth) / base.width(), double(availHeight) / base.height()));
    const QSize gamen(int(base.width() * scale + 0.5), int(base.height() * scale + 0.5));
    // The totals and the buttons stand at the top of the band, under the
    // conditions; the drawing area in the middle of the room beside them.
    const int band = std::max(kMiddleHeight, gamen.height());
    HGamen->setGeometry(kGamenLeft + (availWidth - gamen.width()) / 2,
                        middle + (band - gamen.height()) / 2, gamen.width(), gamen.height());
    const int blocks = middle;
    const int valueLeft = kMargin + 52;
    const int valueWidth = kTotalsWidth - 52;
    y = blocks;
    Label27->setGeometry(kMargin, y, 48, kRowHeight);
    HKikan->setGeometry(valueLeft, y, valueWidth, kRowHeight);
    y += kRowHeight + 2;
    SeisekiLabel->setGeometry(kMargin, y, 48, kRowHeight);
    HSeiseki->setGeometry(valueLeft, y, valueWidth, kRowHeight);
    y += kRowHeight + 2;
    HKachikin->setGeometry(valueLeft, y, valueWidth - 22, 28);
    Label11->setGeometry(valueLeft + valueWidth - 18, y, 18, 28);
    y += 28 + 6;
    Label2->setGeometry(kMargin, y, 60, 16);
    y += 16 + 2;
    const int amountLeft = kMargin + 64;
    const int amountWidth = 140;
    const int unitLeft = amountLeft + amountWidth + 4;
    const auto amountRow = [&](QLabel *label, YenLabel *amount, QLabel *unit) {
        label->setGeometry(kMargin, y, 62, kRowHeight);
        amount->setGeometry(amountLeft, y, amountWidth, kRowHeight);
        unit->setGeometry(unitLeft, y, kMargin + kTotalsWidth - unitLeft, kRowHeight);
        y += kRowHeight + 1;
    };
    amountRow(Label3, HToushi, Label9);
    amountRow(Label4, HToushiAve, Label19);
    amountRow(Label6, HKaishuu, Label18);
    amountRow(Label8, HKaishuuAve, Label20);

    y = blocks;
    const int bl = kButtonsLeft, bw = kButtonsWidth;
    const int narrow = 48, wide = bw - narrow - 3, half = (bw - 3) / 2;
    Label5->setGeometry(bl, y, bw, 16);
    y += 16;
    SSeiseki->setGeometry(bl, y, half, kButtonHeight);
    SGraph->setGeometry(bl + bw - half, y, half, kButtonHeight);
    y += kButtonHeight + 2;
    SAdvice->setGeometry(bl, y, bw, kButtonHeight);
    y += kButtonHeight + 6;
    Label1->setGeometry(bl, y, bw, 16);
    y += 16;
    for (auto [best, worst] : {std::pair{SGStore, SGWStore}, std::pair{SGMachine, SGWMachine},
                               std::pair{SGShouhai, SGWShouhai}}) {
        best->setGeometry(bl, y, wide, kButtonHeight);
        worst->setGeometry(bl + bw - narrow, y, narrow, kButtonHeight);
        y += kButtonHeight + 2;
    }
    SGDay->setGeometry(bl, y, bw, kButtonHeight);

    const int gridTop = middle + band + 8;
    HGrid->setGeometry(kMargin, gridTop, Twips(PixelsToTwips(w) - 400), h - kMargin - gridTop);
}

void Toukei::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutControls();
    if (HGrid->Cols() == 10)
        ColWidthSet();
}
