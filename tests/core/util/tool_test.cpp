#include "core/util/tool.h"

#include "core/model/player_settings.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <QDate>
#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(YoubiGet, AgreesWithTheCalendarOnEveryDayOfItsRange)
{
    const QString names[] = {u"月"_s, u"火"_s, u"水"_s, u"木"_s, u"金"_s, u"土"_s, u"日"_s};
    for (QDate d(1949, 12, 31); d <= QDate(2101, 1, 1); d = d.addDays(1)) {
        QString youbi;
        const bool ok = YoubiGet(youbi, qint16(d.year()), qint16(d.month()), qint16(d.day()));
        const bool inRange = d.year() >= 1950 && d.year() <= 2100;
        ASSERT_EQ(ok, inRange) << d.toString(Qt::ISODate).toStdString();
        ASSERT_EQ(youbi, inRange ? names[d.dayOfWeek() - 1] : u"--"_s);
    }
}

TEST(YoubiGet, ImpossibleDates)
{
    const qint16 bad[][3] = {{2001, 2, 29}, {2100, 2, 29}, {2001, 2, 30}, {2001, 13, 1},
                             {2001, 4, 0},  {2001, 4, 31}, {2001, 0, 1},  {0, 0, 0},
                             {2001, -1, 5}, {2001, 1, 32}};
    for (const auto &d : bad) {
        QString y = u"月"_s; // what the last good date left
        EXPECT_FALSE(YoubiGet(y, d[0], d[1], d[2])) << d[0] << "/" << d[1] << "/" << d[2];
        EXPECT_EQ(y, u"--"_s);
    }
}

TEST(FileCheck, OnlyExistingFilesWithoutWildcards)
{
    TempDataFolder dir;
    WriteBytes(dir.file(u"a.pcd"_s), "x");
    QDir().mkdir(dir.file(u"folder"_s));
    EXPECT_TRUE(FileCheck(dir.file(u"a.pcd"_s)));
    EXPECT_FALSE(FileCheck(QString()));
    EXPECT_FALSE(FileCheck(dir.file(u"*.pcd"_s)));
    EXPECT_FALSE(FileCheck(dir.file(u"a.pc?"_s)));
    EXPECT_FALSE(FileCheck(dir.file(u"folder"_s)));
    EXPECT_FALSE(FileCheck(dir.file(u"missing.pcd"_s)));
    EXPECT_FALSE(FileCheck(u"/no/such/drive/a.pcd"_s));
}

TEST(SoundPlay, FollowsTheSoundSettingIncludingTheBeep)
{
    FakePlatform platform;
    States states;
    states.Sound = false;
    for (qint16 n : {1, 2, 3})
        SoundPlay(platform, states, n);
    EXPECT_TRUE(platform.sounds.isEmpty());
    states.Sound = true;
    for (qint16 n : {0, 1, 2, 3, 4})
        SoundPlay(platform, states, n);
    EXPECT_EQ(platform.sounds, (QStringList{u"sentaku.wav"_s, u"supura.wav"_s, u"beep"_s}));
}
