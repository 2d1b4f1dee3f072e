#include "ui/calendar/calendar_window.h"

#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/statistics/totals_text.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/calendar/calendar_grid.h"
#include "ui/widgets/data_grid.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr qint32 kFirstYear = 1;
constexpr qint32 kLastYear = 9999;

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}
} // namespace

CalendarWindow::CalendarWindow(SharedData &shared, QWidget *parent)
    : QDialog(parent), shared_(shared)
{
    setWindowTitle(u"るでら３  [カレンダー]"_s);
    sums_.Calc(shared_.data, shared_.states.WakeKin);
    today_ = shared_.platform.Today();
    createControls();
    connectControls();
    if (sums_.Undated() > 0)
        HUndated->setText(u"日付が空または正しくない記録 %1件は含まれていません。"_s.arg(
            FormatGrouped(sums_.Undated())));
    HUndated->setVisible(sums_.Undated() > 0);
    const QDate start = today_.isValid() ? today_ : QDate(2000, 1, 1);
    ShowMonth(start.year(), start.month(), start.day());
    Days->setFocus();
}

void CalendarWindow::connectControls()
{
    connect(SPrev, &QPushButton::clicked, this, &CalendarWindow::SPrev_Click);
    connect(SNext, &QPushButton::clicked, this, &CalendarWindow::SNext_Click);
    connect(SKongetsu, &QPushButton::clicked, this, &CalendarWindow::SKongetsu_Click);
    connect(TEnd, &QPushButton::clicked, this, &CalendarWindow::TEnd_Click);
    connect(JYear, &QSpinBox::valueChanged, this, &CalendarWindow::JYear_Change);
    connect(JMonth, &QComboBox::currentIndexChanged, this, &CalendarWindow::JMonth_Change);
    connect(Days, &CalendarGrid::dayClicked, this, &CalendarWindow::Days_Click);
    connect(Days, &CalendarGrid::keyPress, this, &CalendarWindow::Days_KeyDown);
}

void CalendarWindow::ShowMonth(qint32 year, qint32 month, qint32 day)
{
    const MonthGrid grid = MakeMonthGrid(year, month);
    if (grid.Days == 0 || year < kFirstYear || year > kLastYear)
        return;
    const bool sameMonth =
        current_.isValid() && current_.year() == year && current_.month() == month;
    current_ = QDate(year, month, std::clamp(day, 1, grid.Days));
    {
        const QSignalBlocker yearBlocker(JYear), monthBlocker(JMonth);
        JYear->setValue(year);
        JMonth->setCurrentIndex(month - 1);
    }
    if (!sameMonth) {
        Days->SetMonth(grid, sums_.DaysOf(year, month), shared_.states.WakeKin, today_);
        showMonthTotals();
    }
    Days->SetSelectedDay(current_.day());
    showDay();
}

void CalendarWindow::moveTo(const QDate &date)
{
    if (date.isValid())
        ShowMonth(date.year(), date.month(), date.day());
}

void CalendarWindow::showMonthTotals()
{
    const ResultSum sum = sums_.Month(current_.year(), current_.month());
    HMonth->setText(u"%1月の成績"_s.arg(current_.month()));
    HSeiseki->setText(SeisekiText(qint16(sum.Kachi), qint16(sum.Make), qint16(sum.Wake)));
    HShuushi->setText(u"収支 "_s + YenForDisplay(FormatYen(double(sum.Balance()))));
    setTextColour(HShuushi, OutcomeColor(sum.Balance(), shared_.states.WakeKin));
    HKaishuuRitsu->setText(u"回収率 "_s + FormatPercent(sum.PayoutRatio()));
    HShouritsu->setText(u"勝率 "_s + FormatPercent(sum.WinRate()));
}

void CalendarWindow::showDay()
{
    QString youbi;
    YoubiGet(youbi, qint16(current_.year()), qint16(current_.month()), qint16(current_.day()));
    HDay->setText(u"%1年%2月%3日 (%4)"_s.arg(current_.year())
                      .arg(current_.month())
                      .arg(current_.day())
                      .arg(youbi));

    const DaySum *day = sums_.Day(current_);
    const qint32 visits = day ? qint32(day->Records.size()) : 0;
    DayList->SetRows(visits + 1);
    if (!day) {
        HDaySum->setText(u"来店の記録はありません"_s);
        setTextColour(HDaySum, Qt::black);
        return;
    }
    const qint32 wakeKin = shared_.states.WakeKin;
    HDaySum->setText(FormatPlain(visits) + u"回  収支 "_s +
                     YenForDisplay(FormatYen(double(day->Sum.Balance()))));
    setTextColour(HDaySum, OutcomeColor(day->Sum.Balance(), wakeKin));
    for (qint32 i = 0; i < visits; ++i) {
        const PlayRecord &r = shared_.data.Record(day->Records[i]);
        const int row = i + 1;
        DayList->SetTextMatrix(row, 0, shared_.Stores.SeekName(r.DSId));
        DayList->SetTextMatrix(row, 1, shared_.Machines.SeekName(r.DMId));
        DayList->SetTextMatrix(row, 2, FormatGrouped(r.DToushi));
        DayList->SetTextMatrix(row, 3, FormatGrouped(r.DKaishuu));
        DayList->SetRow(row);
        DayList->SetCol(4);
        DayList->SetCellForeColor(OutcomeColor(r.Balance(), wakeKin));
        DayList->SetText(FormatGrouped(double(r.Balance())));
        DayList->SetTextMatrix(row, 5, r.DComment);
    }
    // The title row is the current cell: no visit looks chosen.
    DayList->SetRow(0);
    DayList->SetCol(0);
}

void CalendarWindow::SPrev_Click()
{
    moveTo(current_.addMonths(-1));
}

void CalendarWindow::SNext_Click()
{
    moveTo(current_.addMonths(1));
}

void CalendarWindow::SKongetsu_Click()
{
    moveTo(today_);
}

void CalendarWindow::JYear_Change()
{
    ShowMonth(JYear->value(), current_.month(), current_.day());
}

void CalendarWindow::JMonth_Change()
{
    ShowMonth(current_.year(), JMonth->currentIndex() + 1, current_.day());
}

void CalendarWindow::Days_Click(qint32 day)
{
    ShowMonth(current_.year(), current_.month(), day);
}

void CalendarWindow::Days_KeyDown(int KeyCode)
{
    switch (KeyCode) {
    case Qt::Key_Left: moveTo(current_.addDays(-1)); break;
    case Qt::Key_Right: moveTo(current_.addDays(1)); break;
    case Qt::Key_Up: moveTo(current_.addDays(-7)); break;
    case Qt::Key_Down: moveTo(current_.addDays(7)); break;
    case Qt::Key_PageUp: moveTo(current_.addMonths(-1)); break;
    case Qt::Key_PageDown: moveTo(current_.addMonths(1)); break;
    case Qt::Key_Home: moveTo(today_); break;
    default: break;
    }
}

void CalendarWindow::TEnd_Click()
{
    close();
}
