#include "save_variants.h"

#include "core/file/play_times_file.h"
#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/player_data.h"

using namespace Qt::StringLiterals;

void FillVariant(SharedData &shared, int variant)
{
    const int records = variant == 0 ? 300 : 1200;
    shared.states.Sound = variant == 0;
    shared.states.WakeKin = variant == 0 ? 500 : 1000;
    SetStores(shared, {{1, u"駅前店"_s}, {2, variant == 0 ? u"本店"_s : u"新館"_s}});
    SetMachines(shared, {{1, u"海物語"_s}});
    QList<PlayRecord> list;
    for (int i = 0; i < records; ++i) {
        // State 1 has play times, so that its saves write both files.
        const qint16 start = variant == 0 ? kNoTime : qint16(i % 1440);
        list.append(PlayRecord{static_cast<qint16>(2000 + i % 20), static_cast<qint16>(1 + i % 12),
                               static_cast<qint16>(1 + i % 28), 1000 * (i % 30), 700 * (i % 41),
                               static_cast<qint16>(1 + i % 2), 1,
                               variant == 0 ? u"旧"_s : u"新しい記録、その"_s + QString::number(i),
                               start, start});
    }
    SetRecords(shared, list);
}

QByteArray VariantBytes(int variant)
{
    FakePlatform platform;
    SharedData shared(platform);
    FillVariant(shared, variant);
    QByteArray states, stores, machines, data;
    shared.states.SectionBytes(states);
    shared.Stores.SectionBytes(UserDataFile::StoreMarker(), stores);
    shared.Machines.SectionBytes(UserDataFile::MachineMarker(), machines);
    shared.data.SectionBytes(data);
    return states + stores + machines + data;
}

QByteArray VariantTimes(int variant)
{
    FakePlatform platform;
    SharedData shared(platform);
    FillVariant(shared, variant);
    return PlayTimesBytes(shared.data);
}
