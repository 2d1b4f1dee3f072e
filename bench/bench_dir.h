#pragma once
// A temporary folder, made the current directory for as long as it lives, in
// which the benchmarks read and write players' files. It lies under
// $LEDRA_BENCH_DIR when set (to measure a particular disk), else the system's
// temporary folder.

#include <QString>
#include <QTemporaryDir>

class BenchDir {
public:
    BenchDir();
    ~BenchDir();
    BenchDir(const BenchDir &) = delete;
    BenchDir &operator=(const BenchDir &) = delete;

    bool ok() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString previous_;
};
