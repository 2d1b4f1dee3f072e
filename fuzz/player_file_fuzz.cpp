#include "core/file/save_sequence.h"
#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "core/quiet_platform.h"
#include "fuzz_targets.h"

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

QByteArray readFile(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool sameRecords(const Data &a, const Data &b)
{
    if (a.ListCount() != b.ListCount())
        return false;
    for (qint32 n = 1; n <= a.ListCount(); ++n) {
        if (!(a.Record(n) == b.Record(n)))
            return false;
    }
    return true;
}
} // namespace

void FuzzPlayerFile(QByteArrayView input)
{
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    const QString name = dir.filePath(u"player"_s);
    const QString pcd = name + UserDataFile::PcdExtension();
    const QString bak = name + UserDataFile::BackupExtension();
    writeFile(pcd, input);
    QFile::remove(bak);

    QuietPlatform platform;
    SharedData first(platform);
    OpenPlayer(first, name);
    FUZZ_CHECK(first.data.ListCount() <= Data::kMaxRecords);
    FUZZ_CHECK(first.Stores.Count() <= SMData::kMaxEntries);
    FUZZ_CHECK(first.Machines.Count() <= SMData::kMaxEntries);
    FUZZ_CHECK((first.data.UnreadRecords() > 0) == (platform.messages == 1));

    // What was read is saved and reads back the same. A save may be refused
    // (text the file cannot carry); the file is then untouched.
    platform.messages = 0;
    if (!SavePlayerFile(first, name)) {
        FUZZ_CHECK(platform.messages >= 1);
        FUZZ_CHECK(readFile(pcd) == input.toByteArray());
        return;
    }
    FUZZ_CHECK(readFile(bak) == input.toByteArray());
    FUZZ_CHECK(first.data.UnreadRecords() == 0);

    SharedData second(platform);
    OpenPlayer(second, name);
    FUZZ_CHECK(sameRecords(first.data, second.data));
    FUZZ_CHECK(first.Stores.Entries() == second.Stores.Entries());
    FUZZ_CHECK(first.Machines.Entries() == second.Machines.Entries());
    FUZZ_CHECK(first.states.Sound == second.states.Sound);
    FUZZ_CHECK(first.states.WakeKin == second.states.WakeKin);
    FUZZ_CHECK(second.data.UnreadRecords() == 0);
}
