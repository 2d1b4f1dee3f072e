// 表示 in the statistics window over the whole table: the selection, the
// running balance, the rankings, the grid fill; and the ordering of single
// visits, fast and as the plain quadratic loops.

#include "sample_player.h"

#include "core/model/shared_data.h"
#include "core/statistics/graph_series.h"
#include "core/statistics/ranking.h"
#include "core/statistics/selection.h"
#include "support/literal_ranking.h"
#include "ui/statistics/result_grid.h"
#include "ui/statistics/toukei.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {
constexpr qint32 kWakeKin = 1000;

struct Player {
    explicit Player(int records) { FillSamplePlayer(shared, records); }
    QuietPlatform platform;
    SharedData shared{platform};

    // Every record selected, as 表示 with 全データ does.
    Selection SelectAll()
    {
        shared.data.JoukenSet(0, 0, 0, 0);
        Selection sel;
        DataRead(shared.data, kWakeKin, sel);
        return sel;
    }
};

void BM_DataRead(benchmark::State &state)
{
    Player p(int(state.range(0)));
    for (auto _ : state) {
        Selection sel = p.SelectAll();
        benchmark::DoNotOptimize(sel.TKachiKin);
    }
}
BENCHMARK(BM_DataRead)->Arg(kMediumPlayer)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

void BM_Calc_Graph(benchmark::State &state)
{
    Player p(int(state.range(0)));
    const Selection sel = p.SelectAll();
    for (auto _ : state) {
        GraphSeries graph;
        Calc_Graph(sel.TData, graph);
        benchmark::DoNotOptimize(graph.GMax);
    }
}
BENCHMARK(BM_Calc_Graph)->Arg(kMediumPlayer)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

// CalcRank runs Calc_Graph first, then the four rankings.
void BM_CalcRank(benchmark::State &state)
{
    Player p(int(state.range(0)));
    const Selection sel = p.SelectAll();
    for (auto _ : state) {
        GraphSeries graph;
        Rankings ranks;
        CalcRank(sel.TData, kWakeKin, graph, ranks);
        benchmark::DoNotOptimize(ranks.RShouhai[0][2]);
    }
}
BENCHMARK(BM_CalcRank)->Arg(kMediumPlayer)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

// What 表示 computes before it writes anything: conditions, selection, graph
// and rankings.
void BM_HyoujiComputations(benchmark::State &state)
{
    Player p(int(state.range(0)));
    for (auto _ : state) {
        const Selection sel = p.SelectAll();
        GraphSeries graph;
        Rankings ranks;
        CalcRank(sel.TData, kWakeKin, graph, ranks);
        benchmark::DoNotOptimize(ranks.RShouhai[0][2]);
    }
}
BENCHMARK(BM_HyoujiComputations)
    ->Arg(kSmallPlayer)
    ->Arg(kMediumPlayer)
    ->Arg(kFullPlayer)
    ->Unit(benchmark::kMillisecond);

// The window's totals block and grid written from the last selection, and the
// repaint that follows.
void BM_GridFill(benchmark::State &state)
{
    Player p(int(state.range(0)));
    Toukei window(p.shared);
    window.show();
    window.GamenTimer->stop();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.DataWrite();
        QCoreApplication::processEvents();
    }
    if (window.HGrid->Rows() != state.range(0) + 1)
        state.SkipWithError("the grid does not hold the selection");
}
BENCHMARK(BM_GridFill)->Arg(kMediumPlayer)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

// The whole button: computations, grid fill and repaint (the default screen
// is drawn later by the window's timer and is not part of it).
void BM_SHyouji_Click(benchmark::State &state)
{
    Player p(int(state.range(0)));
    Toukei window(p.shared);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.SHyouji_Click();
        window.GamenTimer->stop();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SHyouji_Click)
    ->Arg(kSmallPlayer)
    ->Arg(kMediumPlayer)
    ->Arg(kFullPlayer)
    ->Unit(benchmark::kMillisecond);

// Opening the window runs 表示 once.
void BM_ToukeiOpen(benchmark::State &state)
{
    Player p(int(state.range(0)));
    for (auto _ : state) {
        Toukei window(p.shared);
        window.show();
        window.GamenTimer->stop();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ToukeiOpen)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

// Single visits as the single-visit ranking sees them.
QList<RankRow> singleVisits(int n)
{
    QRandomGenerator rng(4);
    QList<RankRow> rows;
    for (int i = 1; i <= n; ++i) {
        RankRow r;
        r[1] = i;
        r[2] = 500 * (qint32(rng.bounded(0, 120)) - qint32(rng.bounded(1, 80)));
        rows.append(r);
    }
    return rows;
}

void BM_SortGroups(benchmark::State &state)
{
    const QList<RankRow> rows = singleVisits(int(state.range(0)));
    for (auto _ : state) {
        QList<RankRow> copy = rows;
        SortGroups(copy);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_SortGroups)->Arg(kMediumPlayer)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

void BM_LiteralSortGroups(benchmark::State &state)
{
    const QList<RankRow> rows = singleVisits(int(state.range(0)));
    QList<RankRow> fast = rows;
    SortGroups(fast);
    for (auto _ : state) {
        QList<RankRow> copy = rows;
        LiteralSortGroups(copy);
        benchmark::DoNotOptimize(copy.data());
        if (copy != fast) {
            state.SkipWithError("the two orders differ");
            break;
        }
    }
}
BENCHMARK(BM_LiteralSortGroups)
    ->Arg(kMediumPlayer)
    ->Arg(kFullPlayer)
    ->Unit(benchmark::kMillisecond);
} // namespace
