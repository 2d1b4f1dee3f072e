#include "core/file/data_import.h"
#include "core/file/item_reader.h"
#include "core/model/shared_data.h"
#include "fuzz_targets.h"
#include "quiet_platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {
void writeFile(const QString &fileName, QByteArrayView bytes)
{
    QFile file(fileName);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes.data(), bytes.size()) == bytes.size());
}

} // namespace

void FuzzOldFiles(QByteArrayView input)
{
    // The input holds both files: "Name.Dat", a NUL byte, "Data.Dat".
    const QByteArray bytes = input.toByteArray();
    const qsizetype split = bytes.indexOf('\0');
    const QByteArray names = split < 0 ? bytes : bytes.left(split);
    const QByteArray records = split < 0 ? QByteArray() : bytes.mid(split + 1);

    // Written first and read back as the conversion reads them (a UTF-8 byte
    // order mark is skipped), so that both read the same names.
    static QTemporaryDir oldFolder;
    static QTemporaryDir work;
    FUZZ_CHECK(oldFolder.isValid() && work.isValid());
    writeFile(oldFolder.filePath(u"Name.Dat"_s), names);
    writeFile(oldFolder.filePath(u"Data.Dat"_s), records);
    ItemReader reader;
    QStringList players;
    FUZZ_CHECK(reader.Open(oldFolder.filePath(u"Name.Dat"_s)));
    if (ReadOldNames(reader, players))
        FUZZ_CHECK(players.size() == 5);
    FUZZ_CHECK(reader.Open(oldFolder.filePath(u"Data.Dat"_s)));
    QList<OldRecord> old;
    const bool readable = ReadOldRecords(reader, old);

    // The whole conversion, in a folder of its own.
    QDir(work.path()).removeRecursively();
    FUZZ_CHECK(QDir().mkpath(work.path()));
    const DataFolder folder(work.path());
    QuietPlatform platform;
    ImportOldData(folder, oldFolder.path());

    // Each converted player holds its own records of the old file, in order.
    const QStringList made = folder.PlayerFileNames();
    FUZZ_CHECK(made.isEmpty() || readable);
    for (const QString &file : made) {
        const QString player = file.chopped(4);
        const qsizetype slot = players.indexOf(player) + 1;
        FUZZ_CHECK(slot >= 1);
        SharedData shared(platform, folder);
        OpenPlayer(shared, player);
        qint32 n = 0;
        for (const OldRecord &r : old) {
            if (r.player != slot)
                continue;
            if (++n > shared.data.ListCount()) { // more than the table takes
                FUZZ_CHECK(shared.data.UnreadRecords() > 0);
                break;
            }
            const PlayRecord &p = shared.data.Record(n);
            FUZZ_CHECK(p.DYear == r.year && p.DMonth == r.month && p.DDay == r.day);
            FUZZ_CHECK(p.DToushi == r.toushi && p.DKaishuu == r.kaishuu);
        }
    }
}
