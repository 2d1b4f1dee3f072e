// The player's file: opening (four sections and the summary), the full save
// (backup, temporary file, flush, rename, folder sync), and the summary alone.

#include "bench_dir.h"
#include "sample_player.h"

#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {
void BM_LoadPlayer(benchmark::State &state)
{
    BenchDir dir;
    const int records = int(state.range(0));
    if (!dir.ok() || !WriteSamplePlayer(dir.path(), u"bench"_s, records)) {
        state.SkipWithError("the sample player could not be written");
        return;
    }
    QuietPlatform platform;
    SharedData shared(platform, dir.folder());
    for (auto _ : state)
        OpenPlayer(shared, u"bench"_s);
    if (shared.data.ListCount() != records)
        state.SkipWithError("the player was not read back whole");
}
BENCHMARK(BM_LoadPlayer)
    ->Arg(kSmallPlayer)
    ->Arg(kMediumPlayer)
    ->Arg(kFullPlayer)
    ->Unit(benchmark::kMillisecond);

void BM_SavePlayer(benchmark::State &state)
{
    BenchDir dir;
    QuietPlatform platform;
    SharedData shared(platform, dir.folder());
    FillSamplePlayer(shared, int(state.range(0)));
    if (dir.ok())
        MeasureSaves(state, shared);
}
BENCHMARK(BM_SavePlayer)
    ->Arg(kSmallPlayer)
    ->Arg(kMediumPlayer)
    ->Arg(kFullPlayer)
    ->Unit(benchmark::kMillisecond);

void BM_CalcStatus(benchmark::State &state)
{
    QuietPlatform platform;
    SharedData shared(platform);
    FillSamplePlayer(shared, int(state.range(0)));
    States &s = shared.states;
    for (auto _ : state) {
        shared.data.CalcStatus(s.WakeKin, s.Kachi, s.Make, s.Wake, s.Kingaku);
        benchmark::DoNotOptimize(s.Kingaku);
    }
}
BENCHMARK(BM_CalcStatus)
    ->Arg(kSmallPlayer)
    ->Arg(kMediumPlayer)
    ->Arg(kFullPlayer)
    ->Unit(benchmark::kMicrosecond);
} // namespace
