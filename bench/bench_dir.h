#pragma once
// A temporary data folder in which the benchmarks read and write players'
// files. It lies under $LEDRA_BENCH_DIR when set (to measure a particular
// disk), else the system's temporary folder.

#include "core/file/data_folder.h"

#include <QString>
#include <QTemporaryDir>

namespace benchmark {
class State;
}
struct SharedData;

class BenchDir {
public:
    BenchDir();
    BenchDir(const BenchDir &) = delete;
    BenchDir &operator=(const BenchDir &) = delete;

    bool ok() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }
    DataFolder folder() const { return DataFolder(dir_.path()); }

private:
    QTemporaryDir dir_;
};

// Saves shared's player "bench" into its folder once, then once per
// iteration: every save after the first also rewrites the backup and the
// day's copy, as a person's saves do. Each starts with the disk settled.
void MeasureSaves(benchmark::State &state, SharedData &shared);
