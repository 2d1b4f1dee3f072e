#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "fuzz_targets.h"
#include "quiet_platform.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

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
    const DataFolder folder(dir.path());
    const QString name = u"player"_s;
    const QString pcd = folder.PlayerFile(name);
    const QString bak = folder.BackupFile(name);
    // The same bytes as its play times and details: lines of any kind,
    // attached or counted. Or, from a line that names a version of the times
    // file on, those lines alone, so that each version's lines are read.
    const qsizetype split = input.toByteArray().indexOf("\nledra3 play times ");
    const QByteArrayView player = split < 0 ? input : input.first(split + 1);
    writeFile(pcd, player);
    QFile::remove(bak);
    writeFile(folder.TimesFile(name), split < 0 ? input : input.sliced(split + 1));

    QuietPlatform platform;
    auto first = std::make_unique<SharedData>(platform, folder);
    const PlayerOpening opening = OpenPlayer(*first, name);
    FUZZ_CHECK(opening.opened);
    FUZZ_CHECK(first->data.ListCount() <= Data::kMaxRecords);
    FUZZ_CHECK(first->Stores.Count() <= SMData::kMaxEntries);
    FUZZ_CHECK(first->Machines.Count() <= SMData::kMaxEntries);
    // Whatever was not read is told once.
    FUZZ_CHECK(UnreadParts(*first).isEmpty() == opening.messages.isEmpty());

    // What was read is saved and reads back the same. A save may be refused
    // (text the file cannot carry); the file is then untouched.
    const SaveResult saved = SavePlayerFile(*first, name);
    if (!saved) {
        FUZZ_CHECK(!saved.failure.isEmpty());
        FUZZ_CHECK(readFile(pcd) == player.toByteArray());
        return;
    }
    // An empty file never becomes the backup.
    FUZZ_CHECK(readFile(bak) == player.toByteArray());
    FUZZ_CHECK(UnreadParts(*first).isEmpty());

    // Read back by a second program: the first lets go of the player.
    Data data = first->data;
    const QList<MasterEntry> stores = first->Stores.Entries();
    const QList<MasterEntry> machines = first->Machines.Entries();
    const States states = first->states;
    first.reset();
    SharedData second(platform, folder);
    FUZZ_CHECK(OpenPlayer(second, name).messages.isEmpty());
    FUZZ_CHECK(sameRecords(data, second.data));
    FUZZ_CHECK(stores == second.Stores.Entries());
    FUZZ_CHECK(machines == second.Machines.Entries());
    FUZZ_CHECK(states.Sound == second.states.Sound);
    FUZZ_CHECK(states.WakeKin == second.states.WakeKin);
}
