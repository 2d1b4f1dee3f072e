#include "bench_dir.h"

#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "core/util/later_work.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {
// Writes out what the disk still holds in memory, as the system does within
// seconds: the copies a save leaves unsynced (the day's copies) are then not
// flushed by the next save's sync, nor the files it replaced freed during
// it, which a person's saves, minutes apart, never pay for either.
void settle(const QString &folder)
{
    WaitForLaterWork();
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
}

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
        state.PauseTiming();
        settle(shared.folder.Path());
        state.ResumeTiming();
        if (!SavePlayerFile(shared, u"bench"_s)) {
            state.SkipWithError("a save failed");
            break;
        }
    }
}
