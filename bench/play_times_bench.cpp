// The player's files when every visit has play times: opening (the player
// file, then the times file matched to the records by content) and the full
// save of both files, against BM_LoadPlayer and BM_SavePlayer without times.

#include "bench_dir.h"
#include "sample_player.h"

#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {
// The sample player, every visit with a start and an end.
void fillWithTimes(SharedData &shared, int records)
{
    FillSamplePlayer(shared, records);
    QList<PlayRecord> timed;
    for (qint32 n = 1; n <= shared.data.ListCount(); ++n) {
        PlayRecord r = shared.data.Record(n);
        r.startMinute = qint16(600 + n % 120);
        r.endMinute = qint16((r.startMinute + 60 + n % 600) % 1440);
        timed.append(r);
    }
    ChangePlayerData(shared, DataChange{timed, {}, {}});
}

void BM_LoadPlayerWithTimes(benchmark::State &state)
{
    BenchDir dir;
    QuietPlatform platform;
    {
        SharedData writer(platform, dir.folder());
        fillWithTimes(writer, int(state.range(0)));
        if (!dir.ok() || !SavePlayerFile(writer, u"bench"_s)) {
            state.SkipWithError("the sample player could not be written");
            return;
        }
    }
    SharedData shared(platform, dir.folder());
    for (auto _ : state)
        OpenPlayer(shared, u"bench"_s);
    if (shared.data.ListCount() != state.range(0) || shared.file.UnmatchedTimes() != 0 ||
        shared.data.Record(1).startMinute == kNoTime)
        state.SkipWithError("the player was not read back whole");
}
BENCHMARK(BM_LoadPlayerWithTimes)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);

void BM_SavePlayerWithTimes(benchmark::State &state)
{
    BenchDir dir;
    QuietPlatform platform;
    SharedData shared(platform, dir.folder());
    fillWithTimes(shared, int(state.range(0)));
    if (dir.ok())
        MeasureSaves(state, shared);
}
BENCHMARK(BM_SavePlayerWithTimes)->Arg(kFullPlayer)->Unit(benchmark::kMillisecond);
} // namespace
