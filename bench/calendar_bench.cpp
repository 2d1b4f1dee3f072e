// The calendar and the monthly chart over the whole table: the sums by day
// and month, switching the calendar's month, opening either window (built,
// laid out and painted once).

#include "sample_player.h"

#include "core/model/shared_data.h"
#include "core/statistics/calendar_sums.h"
#include "ui/calendar/calendar_window.h"
#include "ui/monthly_chart/monthly_chart.h"
#include "ui/monthly_chart/monthly_chart_window.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {
struct Player {
    explicit Player(int records) { FillSamplePlayer(shared, records); }
    QuietPlatform platform;
    SharedData shared{platform};
};

void BM_CalendarSums(benchmark::State &state)
{
    Player p(int(state.range(0)));
    for (auto _ : state) {
        CalendarSums sums;
        sums.Calc(p.shared.data, p.shared.states.WakeKin);
        benchmark::DoNotOptimize(sums.Dated());
    }
}
BENCHMARK(BM_CalendarSums)->Arg(kMediumPlayer)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

// One month on or back (PageDown, PageUp), with the repaint that follows.
void BM_CalendarSwitchMonth(benchmark::State &state)
{
    Player p(int(state.range(0)));
    CalendarWindow window(p.shared);
    window.show();
    // A month amid the sample's visits.
    const PlayRecord &middle = p.shared.data.Record(p.shared.data.ListCount() / 2);
    window.ShowMonth(middle.DYear, middle.DMonth, middle.DDay);
    QCoreApplication::processEvents();
    bool forward = true;
    for (auto _ : state) {
        window.pageKey(forward ? Qt::Key_PageDown : Qt::Key_PageUp);
        QCoreApplication::processEvents();
        forward = !forward;
    }
    if (window.Sums().DaysOf(window.CurrentDate().year(), window.CurrentDate().month()).isEmpty())
        state.SkipWithError("the months shown have no visits");
}
BENCHMARK(BM_CalendarSwitchMonth)
    ->Arg(kMediumPlayer)
    ->Arg(kFullPlayer)
    ->Unit(benchmark::kMillisecond);

void BM_CalendarOpen(benchmark::State &state)
{
    Player p(int(state.range(0)));
    for (auto _ : state) {
        CalendarWindow window(p.shared);
        window.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_CalendarOpen)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

void BM_MonthlyChartOpen(benchmark::State &state)
{
    Player p(int(state.range(0)));
    for (auto _ : state) {
        MonthlyChartWindow window(p.shared);
        window.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_MonthlyChartOpen)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

// Every month of the sample (1990 to 2057: over 800 bars) and back to one year.
void BM_MonthlyChartAllYears(benchmark::State &state)
{
    Player p(int(state.range(0)));
    MonthlyChartWindow window(p.shared);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.ShowYear(0);
        QCoreApplication::processEvents();
        window.ShowYear(2026);
        QCoreApplication::processEvents();
    }
    if (window.chart->Series().size() != 12)
        state.SkipWithError("the year was not shown");
}
BENCHMARK(BM_MonthlyChartAllYears)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);
} // namespace
