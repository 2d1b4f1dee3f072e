// The summary table and the CSV exchange at the table's limit: grouping, the
// window's table fill, the export of every record and the import preview.

#include "sample_player.h"

#include "core/file/csv_exchange.h"
#include "core/model/data_change.h"
#include "core/model/shared_data.h"
#include "core/statistics/period_summary.h"
#include "core/statistics/summary_model.h"
#include "ui/summary_table/summary_table.h"

#include <QComboBox>
#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {
struct Player {
    explicit Player(int records)
    {
        FillSamplePlayer(shared, records);
        // Play times on six visits of seven, so that 稼働時間 and 時給 are
        // computed for nearly every group.
        QList<PlayRecord> timed;
        for (qint32 n = 1; n <= shared.data.ListCount(); ++n) {
            PlayRecord r = shared.data.Record(n);
            if (n % 7 != 0) {
                r.startMinute = qint16((9 * 60 + n * 37) % (24 * 60));
                r.endMinute = qint16((r.startMinute + 60 + n % 600) % (24 * 60));
            }
            timed.append(r);
        }
        ChangePlayerData(shared, {timed, {}, {}});
    }
    QuietPlatform platform;
    SharedData shared{platform};
};

// Grouping only, by each of the seven groupings (the argument is its number).
void BM_Summarize(benchmark::State &state)
{
    Player p(kFullPlayer);
    const auto grouping = SummaryGrouping(state.range(0));
    for (auto _ : state) {
        const PeriodSummary s = Summarize(p.shared.data, p.shared.Stores, p.shared.Machines,
                                          grouping, SummaryFilter(), 1000);
        benchmark::DoNotOptimize(s.Total.Sum.Visits);
    }
}
BENCHMARK(BM_Summarize)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// What the person waits for when changing the grouping: group again, fill
// the grid and repaint. Alternates by month and by store and machine (the
// largest table).
void BM_SummaryRegroup(benchmark::State &state)
{
    Player p(kFullPlayer);
    Shuukei window(p.shared);
    window.show();
    QCoreApplication::processEvents();
    int k = 0;
    for (auto _ : state) {
        window.SGroup->setCurrentIndex(
            int(k++ % 2 == 0 ? SummaryGrouping::StoreMachine : SummaryGrouping::Month));
        QCoreApplication::processEvents();
    }
    if (window.Model().rowCount() < 2)
        state.SkipWithError("the table is empty");
}
BENCHMARK(BM_SummaryRegroup)->Unit(benchmark::kMillisecond);

// A header click on 収支: sort and fill again.
void BM_SummarySort(benchmark::State &state)
{
    Player p(kFullPlayer);
    Shuukei window(p.shared);
    window.SGroup->setCurrentIndex(int(SummaryGrouping::StoreMachine));
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.SGrid_HeaderClick(ColBalance);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SummarySort)->Unit(benchmark::kMillisecond);

// The text of every record and its UTF-8 or Shift_JIS bytes.
void BM_CsvExport(benchmark::State &state)
{
    Player p(kFullPlayer);
    const auto encoding = Csv::Encoding(state.range(0));
    for (auto _ : state) {
        QByteArray bytes;
        Csv::Encode(CsvExchange::RecordsCsv(p.shared.data, p.shared.Stores, p.shared.Machines),
                    encoding, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_CsvExport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The export read back: into the same player (every row already present) and
// into an empty one (every row new, every name to add).
void BM_CsvImportPreview(benchmark::State &state)
{
    Player p(kFullPlayer);
    QByteArray bytes;
    Csv::Encode(CsvExchange::RecordsCsv(p.shared.data, p.shared.Stores, p.shared.Machines),
                Csv::Encoding::Utf8, bytes);
    Player empty(0);
    const SharedData &into = state.range(0) == 0 ? p.shared : empty.shared;
    for (auto _ : state) {
        const CsvExchange::ImportPreview preview =
            CsvExchange::PreviewImport(bytes, into.data, into.Stores, into.Machines);
        benchmark::DoNotOptimize(preview.Present);
        if (preview.Present + preview.NewRowCount != kFullPlayer) {
            state.SkipWithError("rows were lost");
            break;
        }
    }
}
BENCHMARK(BM_CsvImportPreview)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace
