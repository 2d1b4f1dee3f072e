// Peak memory of a CSV import's reading: writes a file of valid rows of about
// the size given (36 MB by default) into a temporary folder, reads it as the
// import does (the file's bytes, then the preview against an empty player) and
// prints what the reading took beyond the program's own memory:
//   csv_import_peak [MB]

#include "bench_dir.h"

#include "core/file/csv_exchange.h"
#include "core/file/file_stamp.h"
#include "core/model/shared_data.h"
#include "quiet_platform.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
long peakMemoryKb()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Rows as the export writes them, written piece by piece.
bool writeRows(const QString &fileName, qint64 bytes, qint64 &rows)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("\xEF\xBB\xBF" +
               u"日付,曜日,投資,回収,収支,店名,台名,コメント,店ID,台ID,開始,終了\r\n"_s.toUtf8());
    QByteArray chunk;
    for (rows = 0; file.size() < bytes; ++rows) {
        const int day = int(rows % 28) + 1;
        chunk += u"2020/01/%1,水,%2,%3,0,パーラー%4,ＣＲ機種%5,よく回った,%4,%5,10:00,15:30\r\n"_s
                     .arg(day, 2, 10, QChar(u'0'))
                     .arg(500 * (rows % 80 + 1))
                     .arg(500 * (rows % 80 + 1))
                     .arg(rows % 50 + 1)
                     .arg(rows % 80 + 1)
                     .toUtf8();
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    return file.write(chunk) == chunk.size();
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const double megabytes = argc > 1 ? QByteArray(argv[1]).toDouble() : 36.0;
    BenchDir dir;
    const QString fileName = dir.path() + u"/rows.csv"_s;
    qint64 rows = 0;
    if (!dir.ok() || !writeRows(fileName, qint64(megabytes * 1024 * 1024), rows))
        return 1;
    const long base = peakMemoryKb();
    QByteArray bytes;
    if (ReadRegularFile(fileName, bytes, nullptr, 64 << 20) != FileRead::Ok)
        return 1;
    QuietPlatform platform;
    SharedData empty(platform);
    const CsvExchange::ImportPreview preview =
        CsvExchange::PreviewImport(bytes, empty.data, empty.Stores, empty.Machines);
    const double took = double(peakMemoryKb() - base) * 1024;
    std::printf("CSV import reading of %.1f MB (%lld rows, %d new): peak memory +%.1f MB = %.2f x "
                "the file\n",
                double(bytes.size()) / (1 << 20), rows, preview.NewRowCount, took / (1 << 20),
                took / double(bytes.size()));
    return 0;
}
