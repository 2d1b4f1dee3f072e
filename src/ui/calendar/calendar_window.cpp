#include "ui/calendar/calendar_window.h"

#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/statistics/day_list_model.h"
#include "core/statistics/totals_text.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/calendar/calendar_grid.h"
#include "ui/calendar/year_box.h"
#include "ui/readable_colors.h"
#include "ui/result_colors.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr qint32 kFirstYear = 1;
constexpr qint32 kLastYear = 9999;

QString yen(qint64 v)
{
    return YenForDisplay(FormatYen(double(v)));
}
} // namespace

CalendarWindow::CalendarWindow(SharedData &shared, QWidget *parent)
    : QDialog(parent), shared_(shared)
{
    setWindowTitle(u"るでら３  [カレンダー]"_s);
    today_ = shared_.platform.Today();
    createControls();
    connectControls();
    dataChanged();
    const QDate start = today_.isValid() ? today_ : QDate(2000, 1, 1);
    ShowMonth(start.year(), start.month(), start.day());
    monthPage->setFocus();
}

void CalendarWindow::connectControls()
{
    connect(prevButton, &QPushButton::clicked, this, &CalendarWindow::showPreviousMonth);
    connect(nextButton, &QPushButton::clicked, this, &CalendarWindow::showNextMonth);
    connect(thisMonthButton, &QPushButton::clicked, this, &CalendarWindow::showThisMonth);
    connect(closeButton, &QPushButton::clicked, this, &CalendarWindow::close);
    connect(yearBox, &QSpinBox::valueChanged, this,
            [this](int year) { ShowMonth(year, current_.month(), current_.day()); });
    // After the box has finished its own event: the message is a window of its own.
    connect(yearBox, &YearBox::refused, this, &CalendarWindow::yearRefused, Qt::QueuedConnection);
    connect(monthBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { ShowMonth(current_.year(), index + 1, current_.day()); });
    connect(monthPage, &CalendarGrid::dayClicked, this,
            [this](qint32 day) { ShowMonth(current_.year(), current_.month(), day); });
    connect(monthPage, &CalendarGrid::keyPress, this, &CalendarWindow::pageKey);
    connect(&shared_.notifier, &DataNotifier::changed, this, &CalendarWindow::dataChanged);
}

// The records, the lists or the draw threshold changed (or the window opens):
// everything is summed and shown anew, at the same day.
void CalendarWindow::dataChanged()
{
    sums_.Calc(shared_.data, shared_.states.WakeKin);
    if (sums_.Undated() > 0)
        undatedNote->setText(u"日付が空または正しくない記録 %1件は含まれていません。"_s.arg(
            FormatGrouped(sums_.Undated())));
    undatedNote->setVisible(sums_.Undated() > 0);
    bool rates = false, tags = false;
    for (qint32 n = 1; n <= shared_.data.ListCount(); ++n) {
        const PlayRecord &r = shared_.data.Record(n);
        rates = rates || r.rate.IsSet();
        tags = tags || !r.tags.isEmpty();
    }
    showDetailColumns(rates, tags);
    if (current_.isValid()) {
        showMonthPage();
        showDay();
    }
}

void CalendarWindow::yearRefused()
{
    shared_.platform.MsgBox(
        u"年は%1から%2までの数字で入力してください。"_s.arg(kFirstYear).arg(kLastYear));
    yearBox->setFocus();
    yearBox->selectAll();
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
        const QSignalBlocker yearBlocker(yearBox), monthBlocker(monthBox);
        yearBox->setValue(year);
        monthBox->setCurrentIndex(month - 1);
    }
    if (!sameMonth)
        showMonthPage();
    monthPage->SetSelectedDay(current_.day());
    showDay();
}

void CalendarWindow::moveTo(const QDate &date)
{
    if (date.isValid())
        ShowMonth(date.year(), date.month(), date.day());
}

void CalendarWindow::showMonthPage()
{
    const qint32 year = current_.year(), month = current_.month();
    monthPage->SetMonth(MakeMonthGrid(year, month), sums_.DaysOf(year, month),
                        shared_.states.WakeKin, today_);
    showMonthTotals();
}

void CalendarWindow::showMonthTotals()
{
    const qint32 year = current_.year(), month = current_.month();
    const ResultSum sum = sums_.Month(year, month);
    const PlayTimeSum time = sums_.MonthTime(year, month);
    monthTitle->setText(u"%1月の成績"_s.arg(month));
    monthRecord->setText(SeisekiText(qint16(sum.Kachi), qint16(sum.Make), qint16(sum.Wake)));
    monthBalance->setText(yen(sum.Balance()));
    // Sums of the month, coloured as amounts are everywhere (the summary table's
    // month rows); the days above are results, coloured by their outcome.
    SetTextColor(monthBalance, ScreenTextColor(AmountTone(sum.Balance())));
    monthPayoutRatio->setText(FormatPercent(sum.Kaishuu, sum.Toushi));
    monthWinRate->setText(FormatPercent(sum.Kachi, sum.Visits));
    monthPlayTime->setText(PlayTimeText(time));
    monthHourly->setText(YenForDisplay(HourlyText(time)));
    SetTextColor(monthHourly, ScreenTextColor(AmountTone(time.Hourly().value_or(0))));
    // Play time counts only the visits with both times: say how many those are.
    const QString timed =
        time.TimedVisits < sum.Visits
            ? u"開始と終了の時刻がある来店 %1回（%2回のうち）の合計です。"_s.arg(time.TimedVisits)
                  .arg(sum.Visits)
            : QString();
    monthPlayTime->setToolTip(timed);
    monthHourly->setToolTip(timed);
}

void CalendarWindow::showDay()
{
    QString youbi;
    YoubiGet(youbi, qint16(current_.year()), qint16(current_.month()), qint16(current_.day()));
    dayTitle->setText(u"%1年%2月%3日 (%4)"_s.arg(current_.year())
                          .arg(current_.month())
                          .arg(current_.day())
                          .arg(youbi));

    const DaySum *day = sums_.Day(current_);
    dayModel->SetVisits(shared_.data, shared_.Stores, shared_.Machines,
                        day ? day->Records : QList<qint32>(), shared_.states.WakeKin);
    fitDayColumns();
    if (!day) {
        daySummary->setText(u"来店の記録はありません"_s);
        SetTextColor(daySummary, palette().color(QPalette::WindowText));
        return;
    }
    QString text = FormatPlain(day->Sum.Visits) + u"回  収支 "_s + yen(day->Sum.Balance());
    if (day->Time.TimedVisits > 0)
        text += u"  稼働時間 "_s + PlayTimeText(day->Time) + u"  時給 "_s +
                YenForDisplay(HourlyText(day->Time));
    daySummary->setText(text);
    SetTextColor(daySummary, OutcomeColor(day->Sum.Balance(), shared_.states.WakeKin));
}

void CalendarWindow::showPreviousMonth()
{
    moveTo(current_.addMonths(-1));
}

void CalendarWindow::showNextMonth()
{
    moveTo(current_.addMonths(1));
}

void CalendarWindow::showThisMonth()
{
    moveTo(today_);
}

void CalendarWindow::pageKey(int key)
{
    switch (key) {
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
