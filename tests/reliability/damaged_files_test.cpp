// Player files damaged by hand or by other programs: what the readers cannot
// take is counted, the person is told once on opening, and every save asks
// before dropping it (oversized_table_test follows the questions through the
// main window).

#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
QByteArray playerFile(const QString &settings, const QString &stores, const QString &records)
{
    return Cp932Lines(u"<States>\n"_s + settings + u"\n<StoreData>\n"_s + stores +
                      u"\n<MachineData>\n\n<Data>\n"_s + records + u"\n"_s);
}
const QString kSettings = u"\"Sound\",1\n\"WakeKin\",500\n"_s;
const QString kStores = u"1,\"駅前店\"\n2,\"本店\"\n"_s;
// Three records; the second one replaced by line.
QString records(const QString &line = u"2001,5,4,1,2,1,0,\"b\""_s)
{
    return u"2001,5,3,1,2,1,0,\"a\"\n"_s + line + u"\n2001,5,5,1,2,1,0,\"c\"\n"_s;
}
} // namespace

TEST(DamagedFiles, WhatTheReadersStopOnIsCountedToldAndAskedFor)
{
    const struct {
        const char *what;
        QString settings, stores, records;
        int read;
        QString unread;
    } cases[] = {
        {"store ID 99999", kSettings, kStores, records(u"2001,5,4,1,2,99999,0,\"b\""_s), 1,
         u"2件の記録"_s},
        {"year 65535", kSettings, kStores, records(u"65535,5,4,1,2,1,0,\"b\""_s), 1,
         u"2件の記録"_s},
        {"month 1000000", kSettings, kStores, records(u"2001,1000000,4,1,2,1,0,\"b\""_s), 1,
         u"2件の記録"_s},
        {"unclosed quote", kSettings, kStores, records(u"2001,5,4,1,2,1,0,\"b"_s), 1,
         u"2件の記録"_s},
        {"seven items", kSettings, kStores, records(u"2001,5,4,1,2,1,0"_s), 1, u"2件の記録"_s},
        // The stray item and the line after it.
        {"nine items", kSettings, kStores, records(u"2001,5,4,1,2,1,0,\"b\",9"_s), 2,
         u"2件の記録"_s},
        {"NUL line among the stores", kSettings, u"1,\"駅前店\"\n\0\0\0\n2,\"本店\"\n"_s, records(),
         3, u"2件の店"_s},
        {"setting too large", u"\"Sound\",1\n\"WakeKin\",99999999999\n"_s, kStores, records(), 3,
         u"1行の設定"_s},
        {"NUL line in the settings", u"\"Sound\",1\n\0\0\n\"WakeKin\",500\n"_s, kStores, records(),
         3, u"2行の設定"_s},
        {"nothing wrong", kSettings, kStores, records(), 3, QString()},
        {"a stop in every section", u"\"Sound\",1\n\"WakeKin\",99999999999\n"_s,
         u"1,\"駅前店\"\n0,\"本店\"\n"_s, records(u"2001,5,4,1,2,99999,0,\"b\""_s), 1,
         u"2件の記録、1件の店、1行の設定"_s},
    };
    TempDataFolder dir;
    FakePlatform platform;
    SharedData shared(platform, dir.folder());
    PlayerOpening opening;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(dir.file(u"taro.pcd"_s), playerFile(c.settings, c.stores, c.records));
        opening = OpenPlayer(shared, u"taro"_s);
        EXPECT_EQ(shared.data.ListCount(), c.read);
        EXPECT_EQ(UnreadParts(shared), c.unread);
        EXPECT_EQ(opening.messages.size(), c.unread.isEmpty() ? 0 : 1);
        EXPECT_EQ(SaveQuestions(shared, u"taro"_s).size(), c.unread.isEmpty() ? 0 : 1);
    }
    // The words of the last case.
    ASSERT_EQ(opening.messages.size(), 1);
    EXPECT_EQ(opening.messages[0].text,
              u"このプレーヤーのファイルには、読み込めない部分があります。\r\n読み込めなかった"
              "2件の記録、1件の店、1行の設定は、表示も集計もされません。\r\n保存すると、これらは"
              "ファイルから失われます（保存する前に確認します）。"_s);
    EXPECT_EQ(opening.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(SaveQuestions(shared, u"taro"_s).value(0).text,
              u"読み込めなかった2件の記録、1件の店、1行の設定は、保存するとファイルから失われます。"
              "\r\n保存前のファイルは、次に保存するまで taro.Bak に残ります。\r\n保存しますか？"_s);
    // Once the person agreed and it was saved, nothing is asked any more.
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    EXPECT_TRUE(SaveQuestions(shared, u"taro"_s).isEmpty());
}

TEST(DamagedFiles, ALongStoreListAndAByteOrderMark)
{
    TempDataFolder dir;
    QString stores;
    for (int id = 1; id <= 40000; ++id)
        stores += QString::number(id % 30000 + 1) + u",\"店\"\n"_s;
    WriteBytes(dir.file(u"big.pcd"_s), playerFile(kSettings, stores, records()));
    // An editor that saves as UTF-8 may put a byte order mark before "<States>".
    WriteBytes(dir.file(u"bom.pcd"_s), "\xEF\xBB\xBF" + playerFile(kSettings, kStores, records()));
    FakePlatform platform;
    SharedData shared(platform, dir.folder());
    OpenPlayer(shared, u"big"_s);
    EXPECT_EQ(shared.Stores.Count(), 32767);
    EXPECT_EQ(UnreadParts(shared), u"7,233件の店"_s);
    EXPECT_TRUE(OpenPlayer(shared, u"bom"_s).messages.isEmpty());
    EXPECT_TRUE(shared.states.Sound);
    EXPECT_EQ(shared.states.WakeKin, 500);
}
