// The calendar window's controls and their places: the month buttons at the
// top, the month page with its totals on the left, the chosen day on the
// right. An enlarged window gives the month page most of the room.

#include "ui/calendar/calendar_window.h"

#include "ui/app_font.h"
#include "ui/calendar/calendar_grid.h"
#include "ui/twips.h"
#include "ui/widgets/data_grid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <array>

using namespace Qt::StringLiterals;

namespace {
struct Column {
    const char16_t *title;
    int width; // twips
    GridAlign align;
};
constexpr std::array<Column, 6> kDayColumns{{
    {u"店名", 1300, GridAlign::Left},
    {u"台名", 1300, GridAlign::Left},
    {u"投資", 800, GridAlign::Right},
    {u"回収", 800, GridAlign::Right},
    {u"収支", 850, GridAlign::Right},
    {u"コメント", 1200, GridAlign::Left},
}};

QLabel *label(QWidget *parent, double points = 9, bool bold = false)
{
    auto *l = new QLabel(parent);
    QFont f = UiFont(points);
    f.setBold(bold);
    l->setFont(f);
    l->setTextFormat(Qt::PlainText);
    return l;
}
} // namespace

void CalendarWindow::createControls()
{
    setFont(UiFont(9));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);

    SPrev = new QPushButton(u"◀ 前月"_s, this);
    SNext = new QPushButton(u"翌月 ▶"_s, this);
    SKongetsu = new QPushButton(u"今月"_s, this);
    TEnd = new QPushButton(u"閉じる"_s, this);
    for (QPushButton *b : {SPrev, SNext, SKongetsu, TEnd}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus); // a click leaves the keys with the calendar
    }
    JYear = new QSpinBox(this);
    JYear->setRange(1, 9999);
    JYear->setSuffix(u"年"_s);
    JYear->setFont(UiFont(11));
    JMonth = new QComboBox(this);
    JMonth->setFont(UiFont(11));
    for (int m = 1; m <= 12; ++m)
        JMonth->addItem(u"%1月"_s.arg(m));

    Days = new CalendarGrid(this);
    HMonth = label(this, 10, true);
    HSeiseki = label(this, 10);
    HShuushi = label(this, 10, true);
    HKaishuuRitsu = label(this, 10);
    HShouritsu = label(this, 10);
    HDay = label(this, 11, true);
    HDaySum = label(this, 10, true);
    HUndated = label(this);
    HUndated->setWordWrap(true);

    DayList = new DataGrid(this);
    DayList->SetCols(int(kDayColumns.size()));
    DayList->SetRows(1);
    DayList->SetFixedRows(1);
    for (int c = 0; c < int(kDayColumns.size()); ++c) {
        DayList->SetTextMatrix(0, c, QString::fromUtf16(kDayColumns[c].title));
        DayList->SetColWidth(c, kDayColumns[c].width);
        DayList->SetColAlignment(c, kDayColumns[c].align);
        DayList->SetFixedAlignment(c, GridAlign::Center);
    }
    DayList->horizontalHeader()->setStretchLastSection(true); // the comments take the rest

    auto *top = new QHBoxLayout;
    top->addWidget(SPrev);
    top->addWidget(JYear);
    top->addWidget(JMonth);
    top->addWidget(SNext);
    top->addSpacing(12);
    top->addWidget(SKongetsu);
    top->addStretch();

    auto *totals = new QHBoxLayout;
    totals->setSpacing(18);
    for (QLabel *l : {HMonth, HSeiseki, HShuushi, HKaishuuRitsu, HShouritsu})
        totals->addWidget(l);
    totals->addStretch();

    auto *month = new QVBoxLayout;
    month->addWidget(Days, 1);
    month->addLayout(totals);

    auto *day = new QVBoxLayout;
    day->addWidget(HDay);
    day->addWidget(HDaySum);
    day->addWidget(DayList, 1);

    auto *middle = new QHBoxLayout;
    middle->addLayout(month, 4);
    middle->addSpacing(8);
    middle->addLayout(day, 3);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(HUndated, 1);
    bottom->addWidget(TEnd);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    resize(TwipsSize(kDefaultWidth, kDefaultHeight).expandedTo(minimumSizeHint()));
}
