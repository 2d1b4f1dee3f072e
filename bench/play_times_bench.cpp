// The player's files when every visit has play times, or play times and every
// other detail (rate, spins, jackpots, tags): opening (the player file, then
// the times file matched to the records by content) and the full save of both
// files, against BM_LoadPlayer and BM_SavePlayer without either.

#include "bench_dir.h"
#include "sample_player.h"

#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "core/model/visit_details.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {
// The sample player, every visit with a start and an end and, with details,
// a rate, spins, jackpots and one to three tags of a player's few.
void fillWithTimes(SharedData &shared, int records, bool details)
{
    FillSamplePlayer(shared, records);
    const QList<PlayRate> rates = StandardRates();
    const QStringList tags{u"イベント日"_s, u"新台"_s,      u"並び"_s, u"旧イベ"_s,
                           u"特日"_s,       u"全台系"_s,    u"朝一"_s, u"ゾロ目"_s,
                           u"取材"_s,       u"海物語ver"_s, u"貯玉"_s, u"低貸し"_s};
    QList<PlayRecord> timed;
    for (qint32 n = 1; n <= shared.data.ListCount(); ++n) {
        PlayRecord r = shared.data.Record(n);
        r.startMinute = qint16(600 + n % 120);
        r.endMinute = qint16((r.startMinute + 60 + n % 600) % 1440);
        if (details) {
            r.rate = rates[n % rates.size()];
            r.spins = 150 + n % 1800;
            r.jackpots = n % 13;
            for (int k = 0; k <= n % 3; ++k)
                r.tags.append(tags[(n / 3 + 5 * k) % tags.size()]);
        }
        timed.append(r);
    }
    ChangePlayerData(shared, DataChange{timed, {}, {}});
}

void measureLoad(benchmark::State &state, bool details)
{
    BenchDir dir;
    QuietPlatform platform;
    {
        SharedData writer(platform, dir.folder());
        fillWithTimes(writer, int(state.range(0)), details);
        if (!dir.ok() || !SavePlayerFile(writer, u"bench"_s)) {
            state.SkipWithError("the sample player could not be written");
            return;
        }
    }
    SharedData shared(platform, dir.folder());
    for (auto _ : state)
        OpenPlayer(shared, u"bench"_s);
    const PlayRecord &last = shared.data.Record(shared.data.ListCount());
    if (shared.data.ListCount() != state.range(0) || shared.file.UnmatchedTimes() != 0 ||
        last.startMinute == kNoTime || (details && last.tags.isEmpty()))
        state.SkipWithError("the player was not read back whole");
}

void measureSave(benchmark::State &state, bool details)
{
    BenchDir dir;
    QuietPlatform platform;
    SharedData shared(platform, dir.folder());
    fillWithTimes(shared, int(state.range(0)), details);
    if (dir.ok())
        MeasureSaves(state, shared);
}

void BM_LoadPlayerWithTimes(benchmark::State &state)
{
    measureLoad(state, false);
}
BENCHMARK(BM_LoadPlayerWithTimes)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

void BM_SavePlayerWithTimes(benchmark::State &state)
{
    measureSave(state, false);
}
BENCHMARK(BM_SavePlayerWithTimes)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

void BM_LoadPlayerWithDetails(benchmark::State &state)
{
    measureLoad(state, true);
}
BENCHMARK(BM_LoadPlayerWithDetails)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

void BM_SavePlayerWithDetails(benchmark::State &state)
{
    measureSave(state, true);
}
BENCHMARK(BM_SavePlayerWithDetails)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);
} // namespace
