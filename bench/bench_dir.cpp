#include "bench_dir.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {
QString templateName()
{
    const QString base = qEnvironmentVariable("LEDRA_BENCH_DIR", QDir::tempPath());
    return base + u"/ledra-bench-XXXXXX"_s;
}
} // namespace

BenchDir::BenchDir() : dir_(templateName()) {}
