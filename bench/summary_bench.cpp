// The summary table and the CSV exchange at the table's limit: grouping (by
// rate and by tag too, over visits with details), the window's table fill,
// the export of every record and the import preview.

#include "sample_player.h"

#include "core/file/csv_exchange.h"
#include "core/model/data_change.h"
#include "core/model/shared_data.h"
#include "core/model/visit_details.h"
#include "core/statistics/period_summary.h"
#include "core/statistics/summary_model.h"
#include "ui/summary_table/summary_table.h"

#include <QComboBox>
#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {
// The details of the n-th visit of a player who records them all: a rate of
// the usual ones, spins and jackpots, and one to three of 40 tags.
void giveDetails(PlayRecord &r, qint32 n)
{
    static const QList<PlayRate> rates = StandardRates();
    static const QStringList tags = [] {
        QStringList t{u"イベント日"_s, u"新台"_s, u"並び"_s, u"角台"_s, u"朝一"_s};
        for (int k = t.size(); k < 40; ++k)
            t.append(u"タグ%1"_s.arg(k));
        return t;
    }();
    r.rate = rates[n % rates.size()];
    r.spins = r.DToushi / 1000 * (15 + n % 10);
    r.jackpots = n % 6;
    for (qint32 k = 0; k <= n % 3; ++k)
        r.tags.append(tags[(n * 7 + k * 13) % tags.size()]);
}

struct Player {
    explicit Player(int records, bool details = false)
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
            if (details)
                giveDetails(r, n);
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

// By rate and by tag, every visit with its details (one to three tags each).
void BM_SummarizeDetails(benchmark::State &state)
{
    Player p(kFullPlayer, true);
    const auto grouping = SummaryGrouping(state.range(0));
    for (auto _ : state) {
        const PeriodSummary s = Summarize(p.shared.data, p.shared.Stores, p.shared.Machines,
                                          grouping, SummaryFilter(), 1000);
        benchmark::DoNotOptimize(s.Total.Sum.Visits);
    }
}
BENCHMARK(BM_SummarizeDetails)
    ->Arg(int(SummaryGrouping::Rate))
    ->Arg(int(SummaryGrouping::Tag))
    ->Unit(benchmark::kMillisecond);

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

// What the person waits for when choosing タグ, every visit with details:
// group, fill the grid and repaint (the way back to 月 is not timed).
void BM_SummaryRegroupTag(benchmark::State &state)
{
    Player p(kFullPlayer, true);
    Shuukei window(p.shared);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        window.SGroup->setCurrentIndex(int(SummaryGrouping::Month));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window.SGroup->setCurrentIndex(int(SummaryGrouping::Tag));
        QCoreApplication::processEvents();
    }
    if (window.Model().rowCount() != 41)
        state.SkipWithError("not one row for each tag");
}
BENCHMARK(BM_SummaryRegroupTag)->Unit(benchmark::kMillisecond);

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
