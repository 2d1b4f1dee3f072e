#include "bench_dir.h"

#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"

#include <QDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {
QString templateName()
{
    const QString base = qEnvironmentVariable("LEDRA_BENCH_DIR", QDir::tempPath());
    return base + u"/ledra-bench-XXXXXX"_s;
}
} // namespace

BenchDir::BenchDir() : dir_(templateName()) {}

void MeasureSaves(benchmark::State &state, SharedData &shared)
{
    if (!SavePlayerFile(shared, u"bench"_s)) {
        state.SkipWithError("the first save failed");
        return;
    }
    for (auto _ : state) {
        if (!SavePlayerFile(shared, u"bench"_s)) {
            state.SkipWithError("a save failed");
            break;
        }
    }
}
