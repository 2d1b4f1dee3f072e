// The entry window: opening on a full table, one keystroke on the grid,
// storing a full grid, pasting a large block.

#include "sample_player.h"

#include "core/model/shared_data.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/widgets/data_grid.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QUndoStack>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
struct Player {
    explicit Player(int records) { FillSamplePlayer(shared, records); }
    QuietPlatform platform;
    SharedData shared{platform};
};

// Construction, loading and the first event-loop turn (layout and first paint).
void BM_EntryOpen(benchmark::State &state)
{
    Player p(int(state.range(0)));
    for (auto _ : state) {
        Nyuuryoku window(p.shared);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.IGrid->Rows());
    }
}
BENCHMARK(BM_EntryOpen)
    ->Arg(kSmallPlayer)
    ->Arg(kMediumPlayer)
    ->Arg(kFullPlayer)
    ->Unit(benchmark::kMillisecond);

// One character typed into an amount cell and the repaint that follows.
void BM_EntryKeystroke(benchmark::State &state)
{
    Player p(int(state.range(0)));
    Nyuuryoku window(p.shared);
    window.show();
    QCoreApplication::processEvents();
    window.IGrid->SetRow(window.IGrid->Rows() - 3);
    window.IGrid->SetCol(4);
    window.IGrid_SelChange();
    QCoreApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        window.IGrid_KeyPress(++n % 4 == 0 ? 8 : u'5');
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_EntryKeystroke)->Arg(kFullPlayer)->Unit(benchmark::kMicrosecond);

// OK on a full grid: check, sort, replace the table, recompute the summary.
void BM_EntryStore(benchmark::State &state)
{
    Player p(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Nyuuryoku>(p.shared);
        window->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->ISave_Click();
        state.PauseTiming();
        const bool lost = p.shared.data.ListCount() != state.range(0);
        window.reset();
        state.ResumeTiming();
        if (lost) {
            state.SkipWithError("records were lost");
            break;
        }
    }
}
BENCHMARK(BM_EntryStore)
    ->Arg(kMediumPlayer)
    ->Arg(kFullPlayer)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// Rows of twelve columns as a spreadsheet copies them.
QString spreadsheetBlock(qint64 rows)
{
    QString block;
    for (qint64 n = 0; n < rows; ++n)
        block += u"2001\t%1\t%2\t\t%3\t%4\t\t%5\t\t%6\t\tメモ\r\n"_s.arg(1 + n % 12)
                     .arg(1 + n % 28)
                     .arg(1000 * (n % 30))
                     .arg(500 * (n % 70))
                     .arg(1 + n % kSampleStores)
                     .arg(1 + n % kSampleMachines);
    return block;
}

// A block pasted at the year of row 1 of an empty grid.
void BM_EntryPaste(benchmark::State &state)
{
    Player p(0);
    const QString block = spreadsheetBlock(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Nyuuryoku>(p.shared);
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
BENCHMARK(BM_EntryPaste)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(5);

// Undo of a block pasted over the first rows of a full grid (and the repaint).
void BM_EntryPasteUndo(benchmark::State &state)
{
    Player p(kFullPlayer);
    Nyuuryoku window(p.shared);
    window.show();
    QCoreApplication::processEvents();
    QGuiApplication::clipboard()->setText(spreadsheetBlock(state.range(0)));
    window.IGrid->SetRow(1);
    window.IGrid->SetCol(0);
    window.EPaste_Click();
    QCoreApplication::processEvents();
    QUndoStack &history = *window.undoStack();
    for (auto _ : state) {
        history.undo();
        QCoreApplication::processEvents();
        state.PauseTiming();
        const bool undone = window.IGrid->Rows() == kFullPlayer + 6;
        history.redo();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        if (!undone) {
            state.SkipWithError("the paste was not undone");
            break;
        }
    }
}
BENCHMARK(BM_EntryPasteUndo)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(5);
} // namespace
