// The statistics window's controls and their layout. The conditions stand at
// the top, the totals block, the screen buttons and the drawing area in the
// middle, the grid across the bottom. When the window is enlarged the drawing
// area grows keeping its proportions, and the grid's rows share the height
// with it. The pixel measures are the window's look at its default size; a
// style that needs more room for a text gets it (every size is at least the
// control's own size hint).

#include "ui/statistics/toukei.h"

#include "core/statistics/result_grid_model.h"
#include "ui/app_font.h"
#include "ui/app_style.h"
#include "ui/readable_colors.h"
#include "ui/statistics/result_grid.h"
#include "ui/statistics/toukei_labels.h"
#include "ui/twips.h"
#include "ui/widgets/drawing_area.h"
#include "ui/widgets/picture_button.h"
#include "ui/widgets/proportional_layout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <tuple>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
// Pixel measures at the default size (15 twips each).
constexpr int kMargin = 12;
constexpr int kBannerWidth = 248;
constexpr int kBannerHeight = 55;
constexpr int kRowHeight = 20;
constexpr int kButtonHeight = 22;
constexpr int kCaptionWidth = 48;  // 期間, 成績
constexpr int kAmountCaption = 62; // 投資総額 …
constexpr int kAmountWidth = 140;
constexpr int kButtonsWidth = 165;
constexpr int kNarrowButton = 48; // 劣, 負

// The totals' boxes: black on white, framed.
const QColor kValueBox(255, 255, 255);
// The headings of the totals and of the screen buttons.
const QColor kHeadingColor(0, 96, 0);

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
    label->setStyleSheet(u"QLabel { "_s + BoxColorsStyle(kValueBox) +
                         u" border: 1px solid rgb(176,176,200); padding: 0px 3px; }"_s);
    return label;
}

// A control at least this big (0: as its size hint), and bigger when its
// size hint asks for more.
template <class W> W *atLeast(W *widget, int width, int height)
{
    widget->setMinimumSize(width, height);
    return widget;
}

QHBoxLayout *row(int spacing)
{
    auto *layout = new QHBoxLayout;
    layout->setSpacing(spacing);
    return layout;
}

QVBoxLayout *column()
{
    auto *layout = new QVBoxLayout;
    layout->setSpacing(0);
    return layout;
}

QLabel *heading(const QString &text, QWidget *parent)
{
    QLabel *label = caption(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    SetTextColor(label, kHeadingColor);
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
    layoutControls();
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
    Label2 = heading(u"統計"_s, this);
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
    Label5 = heading(u"表示切替"_s, this);
    SSeiseki = button(u"成績"_s, this);
    SGraph = button(u"ｸﾞﾗﾌ"_s, this);
    SAdvice = button(u"ｱﾄﾞﾊﾞｲｽ"_s, this);
    Label1 = heading(u"ﾗﾝｷﾝｸﾞ"_s, this);
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
    // Top band: banner, the two main options, 表示 and 終了; the condition frame.
    QVBoxLayout *start = column();
    start->addSpacing(4);
    start->addWidget(Image1);
    start->addSpacing(6);
    auto *options = new QGridLayout;
    options->setContentsMargins(2, 0, 0, 0);
    options->setSpacing(0);
    options->setColumnMinimumWidth(0, 98);
    options->addWidget(atLeast(SAll, 0, kRowHeight), 0, 0, Qt::AlignLeft);
    options->addWidget(atLeast(SJouken, 0, kRowHeight), 0, 1, Qt::AlignLeft);
    options->setColumnStretch(1, 1);
    start->addLayout(options);
    start->addSpacing(6);
    QHBoxLayout *actions = row(0);
    FitButton(SHyouji, QSize(120, 28));
    FitButton(TEnd, QSize(120, 28));
    actions->addWidget(SHyouji);
    actions->addStretch();
    actions->addWidget(TEnd);
    start->addLayout(actions);

    QHBoxLayout *when = row(0);
    for (QRadioButton *o : {JAll, JYear, JMonth, J10}) {
        if (o != JAll)
            when->addSpacing(4);
        when->addWidget(atLeast(o, 0, kRowHeight));
    }
    when->addSpacing(10);
    when->addWidget(atLeast(JSYear, 42, 22));
    when->addSpacing(2);
    when->addWidget(JSYearLabel);
    when->addSpacing(6);
    when->addWidget(atLeast(JSMonth, 26, 22));
    when->addSpacing(2);
    when->addWidget(JSMonthLabel);
    when->addStretch();
    auto *where = new QGridLayout;
    where->setHorizontalSpacing(4);
    where->setVerticalSpacing(6);
    where->addWidget(JStoreLabel, 0, 0);
    where->addWidget(JStore, 0, 1);
    where->addWidget(JMachineLabel, 1, 0);
    where->addWidget(JMachine, 1, 1);
    where->setColumnStretch(1, 1);
    QVBoxLayout *conditions = column();
    conditions->setContentsMargins(7, 2, 7, 9);
    conditions->addLayout(when);
    conditions->addSpacing(7);
    conditions->addLayout(where);
    Jouken->setLayout(conditions);

    QHBoxLayout *top = row(10);
    top->addLayout(start);
    top->addWidget(Jouken, 1, Qt::AlignTop);

    // Middle band: totals block, screen buttons, drawing area.
    QVBoxLayout *totals = column();
    const auto captioned = [](QLabel *caption, QWidget *value, int height) {
        QHBoxLayout *line = row(4);
        if (caption)
            line->addWidget(atLeast(caption, kCaptionWidth, height));
        else
            line->addSpacing(kCaptionWidth + line->spacing()); // no spacing beside a spacer
        line->addWidget(value, 1);
        return line;
    };
    totals->addLayout(captioned(Label27, atLeast(HKikan, 0, kRowHeight), kRowHeight));
    totals->addSpacing(2);
    totals->addLayout(captioned(SeisekiLabel, atLeast(HSeiseki, 0, kRowHeight), kRowHeight));
    totals->addSpacing(2);
    QHBoxLayout *balance = captioned(nullptr, atLeast(HKachikin, 216, 28), 28);
    balance->addWidget(atLeast(Label11, 18, 28));
    totals->addLayout(balance);
    totals->addSpacing(6);
    totals->addWidget(atLeast(Label2, 60, 16), 0, Qt::AlignLeft);
    for (auto [caption, amount, unit] :
         {std::tuple{Label3, HToushi, Label9}, std::tuple{Label4, HToushiAve, Label19},
          std::tuple{Label6, HKaishuu, Label18}, std::tuple{Label8, HKaishuuAve, Label20}}) {
        totals->addSpacing(caption == Label3 ? 2 : 1);
        QHBoxLayout *line = row(0);
        line->addWidget(atLeast(caption, kAmountCaption, kRowHeight));
        line->addSpacing(2);
        line->addWidget(atLeast(amount, kAmountWidth, kRowHeight));
        line->addSpacing(4);
        line->addWidget(unit, 1);
        totals->addLayout(line);
    }
    totals->addStretch();

    QVBoxLayout *screens = column();
    screens->addWidget(atLeast(Label5, 0, 16));
    const int half = (kButtonsWidth - 3) / 2;
    FitButton(SSeiseki, QSize(half, kButtonHeight));
    FitButton(SGraph, QSize(half, kButtonHeight));
    QHBoxLayout *pair = row(3);
    pair->addWidget(SSeiseki);
    pair->addWidget(SGraph);
    screens->addLayout(pair);
    screens->addSpacing(2);
    FitButton(SAdvice, QSize(kButtonsWidth, kButtonHeight));
    screens->addWidget(SAdvice);
    screens->addSpacing(6);
    screens->addWidget(atLeast(Label1, 0, 16));
    for (auto [best, worst] : {std::pair{SGStore, SGWStore}, std::pair{SGMachine, SGWMachine},
                               std::pair{SGShouhai, SGWShouhai}}) {
        FitButton(best, QSize(kButtonsWidth - kNarrowButton - 3, kButtonHeight));
        FitButton(worst, QSize(kNarrowButton, kButtonHeight));
        QHBoxLayout *line = row(3);
        line->addWidget(best);
        line->addWidget(worst);
        screens->addLayout(line);
        screens->addSpacing(2);
    }
    FitButton(SGDay, QSize(kButtonsWidth, kButtonHeight));
    screens->addWidget(SGDay);
    screens->addStretch();

    // The drawing area keeps its page's proportions in the room beside them.
    QVBoxLayout *page = column();
    page->addSpacing(12);
    page->addLayout(new ProportionalLayout(HGamen), 1);
    page->addSpacing(13);

    QHBoxLayout *middle = row(12);
    middle->addLayout(totals);
    middle->addLayout(screens);
    middle->addLayout(page, 1);

    // The grid across the bottom, 400 twips narrower than the window.
    QHBoxLayout *bottom = row(0);
    bottom->addWidget(HGrid);
    bottom->addSpacing(Twips(400) - 2 * kMargin);

    auto *window = new QVBoxLayout(this);
    window->setMenuBar(MenuBar);
    window->setContentsMargins(kMargin, 2, kMargin, kMargin);
    window->setSpacing(0);
    window->addLayout(top);
    window->addSpacing(7);
    // The middle band keeps its height until its share of the room (3 of 7)
    // exceeds it; the grid takes the rest.
    window->addLayout(middle, 3);
    window->addSpacing(8);
    window->addLayout(bottom, 4);
}

void Toukei::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    ColWidthSet();
}
