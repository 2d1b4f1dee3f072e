#include "sample_player.h"

#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"

#include <QDate>
#include <QList>
#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace {
QList<MasterEntry> sampleList(int count, const QString &prefix)
{
    QList<MasterEntry> entries;
    for (int i = 1; i <= count; ++i)
        entries.append({qint16(i), prefix + QString::number(i)});
    return entries;
}
} // namespace

void FillSamplePlayer(SharedData &shared, int records)
{
    shared.states.UserName = u"bench"_s;
    shared.states.WakeKin = 1000;
    shared.states.Sound = false;
    DataChange change{QList<PlayRecord>(), sampleList(kSampleStores, u"パーラー"_s),
                      sampleList(kSampleMachines, u"ＣＲ機種"_s)};
    QRandomGenerator rng(32767);
    QDate day(1990, 1, 1);
    for (int i = 0; i < records; ++i) {
        if (rng.bounded(4) != 0)
            day = day.addDays(1);
        const qint32 toushi = 500 * qint32(rng.bounded(1, 80));
        const qint32 kaishuu = 500 * qint32(rng.bounded(0, 120));
        const QString comment = i % 3 == 0 ? u"よく回った %1"_s.arg(i) : QString();
        change.records->append({qint16(day.year()), qint16(day.month()), qint16(day.day()), toushi,
                                kaishuu, qint16(rng.bounded(1, kSampleStores + 1)),
                                qint16(rng.bounded(1, kSampleMachines + 1)), comment});
    }
    ChangePlayerData(shared, change); // sets the modified flag
}

bool WriteSamplePlayer(const QString &dir, const QString &name, int records)
{
    QuietPlatform platform;
    SharedData shared(platform, DataFolder(dir));
    FillSamplePlayer(shared, records);
    shared.states.UserName = name;
    return SavePlayerFile(shared, name).saved && shared.data.ListCount() == records;
}
