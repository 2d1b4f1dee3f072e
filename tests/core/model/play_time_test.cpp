#include "core/model/data_change.h"
#include "core/model/play_time.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;

TEST(PlayTime, ClockTimesAsTyped)
{
    const std::pair<QString, qint16> times[] = {
        {u"1030"_s, 630}, {u"10:30"_s, 630}, {u"１０：３０"_s, 630}, {u"930"_s, 570},
        {u"9:05"_s, 545}, {u"0000"_s, 0},    {u"23:59"_s, 1439},     {u" "_s, kNoTime}};
    for (const auto &[text, minute] : times) {
        qint16 m = 7;
        EXPECT_TRUE(ReadClockTime(text, m)) << text.toStdString();
        EXPECT_EQ(m, minute) << text.toStdString();
    }
    for (const QString &text : {u"2400"_s, u"1060"_s, u"10:5"_s, u"10時"_s, u"-930"_s, u"12345"_s,
                                u"30"_s, u":30"_s, u"10:30:00"_s}) {
        qint16 m = 7;
        EXPECT_FALSE(ReadClockTime(text, m)) << text.toStdString();
        EXPECT_EQ(m, 7);
    }
    EXPECT_EQ(FormatClockTime(545), u"09:05"_s);
    EXPECT_EQ(FormatClockTime(kNoTime), QString());
}

TEST(PlayTime, MinutesAcrossMidnightAndTheHourlyResult)
{
    const auto minutes = [](qint16 start, qint16 end) {
        PlayRecord r;
        r.startMinute = start;
        r.endMinute = end;
        return PlayMinutes(r);
    };
    EXPECT_EQ(minutes(600, 810), 210);
    EXPECT_EQ(minutes(1320, 90), 210); // 22:00 to 1:30
    EXPECT_EQ(minutes(600, 600), 0);
    EXPECT_EQ(minutes(600, kNoTime), std::nullopt);
    EXPECT_EQ(minutes(kNoTime, 600), std::nullopt);
    EXPECT_EQ(FormatDuration(125), u"2:05"_s);
    EXPECT_EQ(FormatDuration(6000), u"100:00"_s);

    EXPECT_EQ(HourlyResult(10000, 210), 2857); // 2,857.14…
    EXPECT_EQ(HourlyResult(-1001, 120), -501); // a half rounds away from zero
    EXPECT_EQ(HourlyResult(1000, 0), std::nullopt);
    const qint64 most = qint64(std::numeric_limits<qint32>::max()) * 32767;
    EXPECT_EQ(HourlyResult(most, 60), most);
}

TEST(ChangePlayerData, AllOrNothingMarkedAndAnnounced)
{
    FakePlatform platform;
    SharedData shared(platform);
    QSignalSpy changed(&shared.notifier, &DataNotifier::changed);
    const PlayRecord win{2024, 5, 1, 1000, 5000, 1, 1, u"a"_s, 600, 700};
    const PlayRecord huge{2024, 5, 2, 0, std::numeric_limits<qint32>::max(), 1, 1, QString()};

    DataChange refused;
    refused.records = QList<PlayRecord>{huge, win};
    refused.stores = QList<MasterEntry>{{1, u"店"_s}};
    const ChangeOutcome no = ChangePlayerData(shared, refused);
    EXPECT_FALSE(no.applied);
    EXPECT_EQ(no.refusedRecord, 1); // the total would leave 32 bits
    EXPECT_EQ(shared.data.ListCount(), 0);
    EXPECT_EQ(shared.Stores.Count(), 0);
    EXPECT_FALSE(shared.states.Corrected);
    EXPECT_EQ(changed.count(), 0);

    DataChange taken;
    taken.records = QList<PlayRecord>{win, win};
    taken.machines = QList<MasterEntry>{{3, u"台"_s}};
    EXPECT_TRUE(ChangePlayerData(shared, taken).applied);
    EXPECT_EQ(shared.data.Record(2), win); // the play times travel with the record
    EXPECT_EQ(shared.Machines.SeekName(3), u"台"_s);
    EXPECT_TRUE(shared.states.Corrected);
    EXPECT_EQ(shared.states.Kachi, 2);
    EXPECT_EQ(shared.states.Kingaku, 8000);
    EXPECT_EQ(changed.count(), 1);
}
