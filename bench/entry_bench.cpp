// Speed of the entry window: opening on a full table, one keystroke on the
// grid, storing a full grid, pasting a large block. Run under the offscreen platform:
//   QT_QPA_PLATFORM=offscreen entry_bench
// With "--show N" it opens the window over N sample records instead, to look at.

#include "data/shared_data.h"
#include "support/fake_platform.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/resources_init.h"
#include "ui/widgets/data_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
// A player with records in no particular date order, 40 stores, 120 machines.
struct SamplePlayer {
    explicit SamplePlayer(qint32 records)
    {
        QList<qint16> ids;
        QList<QString> names;
        for (qint16 i = 1; i <= 40; ++i) {
            ids << i;
            names << u"店舗%1"_s.arg(i);
        }
        ids << 0;
        names << QString();
        shared.Stores.WriteData(ids, names);
        ids.clear();
        names.clear();
        for (qint16 i = 1; i <= 120; ++i) {
            ids << i;
            names << u"機種%1"_s.arg(i);
        }
        ids << 0;
        names << QString();
        shared.Machines.WriteData(ids, names);
        QRandomGenerator rng(7);
        for (qint32 n = 0; n < records; ++n) {
            shared.data.DataWrite(qint16(1990 + rng.bounded(30)), qint16(1 + rng.bounded(12)),
                                  qint16(1 + rng.bounded(28)), (1 + rng.bounded(50)) * 1000,
                                  rng.bounded(60) * 1000, qint16(1 + rng.bounded(40)),
                                  qint16(1 + rng.bounded(120)),
                                  n % 3 == 0 ? u"よく回った"_s : QString());
        }
    }
    FakePlatform platform;
    SharedData shared{platform};
};

// Construction, loading and the first event-loop turn (the grid's batch update).
void BM_OpenWindow(benchmark::State &state)
{
    SamplePlayer player(qint32(state.range(0)));
    for (auto _ : state) {
        Nyuuryoku window(player.shared);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.IGrid->Rows());
    }
}
BENCHMARK(BM_OpenWindow)->Arg(32767)->Unit(benchmark::kMillisecond)->Iterations(5);

// One character typed into an amount cell and the repaint that follows.
void BM_Keystroke(benchmark::State &state)
{
    SamplePlayer player(qint32(state.range(0)));
    Nyuuryoku window(player.shared);
    window.show();
    QCoreApplication::processEvents();
    const int row = window.IGrid->Rows() - 3;
    window.IGrid->SetRow(row);
    window.IGrid->SetCol(4);
    window.IGrid_SelChange();
    QCoreApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        window.IGrid_KeyPress(++n % 4 == 0 ? 8 : u'5');
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_Keystroke)->Arg(0)->Arg(100)->Arg(32767)->Unit(benchmark::kMicrosecond);

// OK on a full grid: check, sort, replace the table, recompute the summary.
void BM_StoreGrid(benchmark::State &state)
{
    SamplePlayer player(qint32(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Nyuuryoku>(player.shared);
        window->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->ISave_Click();
        state.PauseTiming();
        const bool lost = player.shared.data.ListCount() != state.range(0);
        window.reset();
        state.ResumeTiming();
        if (lost) {
            state.SkipWithError("records were lost");
            break;
        }
    }
}
BENCHMARK(BM_StoreGrid)->Arg(32767)->Unit(benchmark::kMillisecond)->Iterations(5);

// 10,000 rows of twelve columns as a spreadsheet copies them, pasted at the
// year of row 1.
void BM_PasteRows(benchmark::State &state)
{
    SamplePlayer player(0);
    QString block;
    for (qint64 n = 0; n < state.range(0); ++n)
        block += u"2001\t%1\t%2\t\t%3\t%4\t\t%5\t\t%6\t\tメモ\r\n"_s.arg(1 + n % 12)
                     .arg(1 + n % 28)
                     .arg(1000 * (n % 30))
                     .arg(500 * (n % 70))
                     .arg(1 + n % 40)
                     .arg(1 + n % 120);
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Nyuuryoku>(player.shared);
        window->show();
        QCoreApplication::processEvents();
        QGuiApplication::clipboard()->setText(block);
        window->IGrid->SetRow(1);
        window->IGrid->SetCol(0);
        state.ResumeTiming();
        window->EPaste_Click();
        QCoreApplication::processEvents();
        state.PauseTiming();
        const bool pasted = window->IGrid->Rows() > state.range(0);
        window.reset();
        state.ResumeTiming();
        if (!pasted) {
            state.SkipWithError("the block was not pasted");
            break;
        }
    }
}
BENCHMARK(BM_PasteRows)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(5);
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    InitLedraResources();
    if (argc == 3 && std::strcmp(argv[1], "--show") == 0) {
        SamplePlayer player(std::atoi(argv[2]));
        player.shared.states.Sound = false;
        Nyuuryoku window(player.shared);
        window.show();
        return app.exec();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
