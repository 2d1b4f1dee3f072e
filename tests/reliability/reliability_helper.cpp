// A child process for the reliability tests.
//   reliability_helper save-loop DIR    opens player "taro" in DIR, prints "ready"
//                                       and saves the two states in turns until killed
//   reliability_helper open DIR NAME    opens player NAME in DIR and prints what was
//                                       read and the peak memory (VmHWM, kB) before
//                                       and after
//   reliability_helper csv DIR FILE     reads the CSV file DIR/FILE for an import into an
//                                       empty player and prints the same

#include "core/file/csv_exchange.h"
#include "core/file/file_stamp.h"
#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "save_variants.h"
#include "support/fake_platform.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {
long peakMemoryKb()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

int saveLoop(const DataFolder &folder)
{
    FakePlatform platform;
    SharedData shared(platform, folder);
    // The copy killed before this one left its lock behind: taken over.
    if (!OpenPlayer(shared, u"taro"_s).opened)
        return 3;
    std::printf("ready\n");
    std::fflush(stdout);
    for (int i = 1;; ++i) {
        FillVariant(shared, i % 2);
        if (const SaveResult saved = SavePlayerFile(shared, u"taro"_s); !saved) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(saved.failure));
            return 2;
        }
    }
}

int openPlayer(const DataFolder &folder, const QString &name)
{
    FakePlatform platform;
    SharedData shared(platform, folder);
    const long before = peakMemoryKb();
    const PlayerOpening opening = OpenPlayer(shared, name);
    std::printf("records=%d unread=%d stores=%d messages=%d hwm_kb=%ld base_kb=%ld\n",
                shared.data.ListCount(), shared.data.UnreadRecords(), shared.Stores.Count(),
                static_cast<int>(opening.messages.size()), peakMemoryKb(), before);
    return 0;
}
int previewCsv(const QString &fileName)
{
    const long before = peakMemoryKb();
    QByteArray bytes;
    if (ReadRegularFile(fileName, bytes, nullptr, 64 << 20) != FileRead::Ok)
        return 2;
    FakePlatform platform;
    SharedData shared(platform);
    const CsvExchange::ImportPreview preview =
        CsvExchange::PreviewImport(bytes, shared.data, shared.Stores, shared.Machines);
    std::printf("new=%d invalid=%d reason=%s hwm_kb=%ld base_kb=%ld\n", preview.NewRowCount,
                preview.InvalidCount, qPrintable(preview.Invalid.value(0).Reason), peakMemoryKb(),
                before);
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 1;
    const DataFolder folder(QString::fromLocal8Bit(argv[2]));
    if (std::strcmp(argv[1], "save-loop") == 0)
        return saveLoop(folder);
    if (std::strcmp(argv[1], "open") == 0 && argc == 4)
        return openPlayer(folder, QString::fromLocal8Bit(argv[3]));
    if (std::strcmp(argv[1], "csv") == 0 && argc == 4)
        return previewCsv(folder.File(QString::fromLocal8Bit(argv[3])));
    return 1;
}
