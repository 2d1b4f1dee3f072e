// Timings of ledra3 under the offscreen platform:
//   QT_QPA_PLATFORM=offscreen ledra_bench [benchmark options]
// and the sample player written to a folder, for the start-up and memory runs:
//   ledra_bench --write-player DIR NAME RECORDS

#include "sample_player.h"

#include "ui/resources_init.h"

#include <QApplication>
#include <QTextStream>
#include <benchmark/benchmark.h>
#include <cstring>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--write-player") == 0) {
        QCoreApplication core(argc, argv);
        const QStringList args = QCoreApplication::arguments();
        if (WriteSamplePlayer(args[2], args[3], args[4].toInt()))
            return 0;
        QTextStream(stderr) << u"ledra_bench: the sample player could not be written\n"_s;
        return 1;
    }
    QApplication app(argc, argv);
    InitLedraResources();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
