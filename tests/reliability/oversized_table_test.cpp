// A player file with more records than the table holds: the person is told
// once when it is opened, and no save drops the rest without agreement.

#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/test_files.h"
#include "ui/main_menu/main_form.h"
#include "ui/widgets/picture_button.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
// Player taro with n records, the i-th dated by its number so that order shows.
QByteArray playerWithRecords(int n)
{
    QByteArray bytes = Cp932Lines(u"<States>\n\"Sound\",0\n\"WakeKin\",0\n\n<StoreData>\n\n"
                                  "<MachineData>\n\n<Data>\n"_s);
    for (int i = 1; i <= n; ++i) {
        bytes += QByteArray::number(2000 + i / 1000) + ',' + QByteArray::number(1 + i % 12) +
                 ",1," + QByteArray::number(i) + ",0,0,0,\"\"\r\n";
    }
    return bytes + "\r\n";
}

const QString kOpenedText =
    u"このプレーヤーのファイルには、扱える上限を超える記録があります。\r\n"
    "最初の32,767件だけを読み込みました。残りの7,233件は表示も集計もされません。\r\n"
    "（記録は32,767件まで、収支の合計はプラス・マイナス約21億円までです）"_s;
const QString kSaveQuestion =
    u"読み込めなかった7,233件の記録は、保存するとファイルから失われます。\r\n"
    "保存前のファイルは、次に保存するまで taro.Bak に残ります。\r\n"
    "保存しますか？"_s;
} // namespace

class OversizedTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        original = playerWithRecords(40000);
        WriteBytes(dir.file(u"taro.pcd"_s), original);
        platform.settings[u"ledra3/Start/UserName"_s] = u"taro"_s;
        form.Form_Activate(); // the first activation opens the remembered player
    }

    TempDataFolder dir;
    FakePlatform platform;
    SharedData shared{platform, dir.folder()};
    MainForm form{shared};
    QByteArray original;
};

TEST_F(OversizedTableTest, ToldOnceWhenOpenedAndAskedBeforeEachSave)
{
    EXPECT_EQ(shared.data.ListCount(), 32767);
    EXPECT_EQ(shared.data.UnreadRecords(), 7233);
    EXPECT_EQ(shared.data.Record(32767).DToushi, 32767); // the first ones, in file order
    const QList<RecordedMessage> opened = {
        {kOpenedText, QString(), MsgButtons::Ok, MsgIcon::Exclamation}};
    EXPECT_EQ(platform.messages, opened);
    form.Form_Activate(); // back from another window
    EXPECT_EQ(platform.messages, opened);
    EXPECT_FALSE(shared.states.Corrected);

    platform.messages.clear();
    shared.states.Corrected = true; // the entry window stored the table
    platform.msgAnswers = {MsgResult::Cancel};
    form.MSave_Click();
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{
                  {kSaveQuestion, u"保存確認"_s, MsgButtons::OkCancel, MsgIcon::Exclamation}}));
    EXPECT_EQ(ReadBytes(dir.file(u"taro.pcd"_s)), original);
    EXPECT_FALSE(QFile::exists(dir.file(u"taro.Bak"_s)));
    EXPECT_TRUE(shared.states.Corrected);
    EXPECT_TRUE(form.MSave->isEnabled());

    // Exit asks to save; refusing to drop the records keeps the program running.
    platform.msgAnswers = {MsgResult::Yes, MsgResult::Cancel};
    form.MEnd_Click();
    EXPECT_FALSE(form.programHasEnded());
    EXPECT_EQ(ReadBytes(dir.file(u"taro.pcd"_s)), original);
}

TEST(OversizedTotal, RecordsBeyondThe32BitTotalAreCountedAsUnread)
{
    TempDataFolder dir;
    WriteBytes(dir.file(u"big.pcd"_s), Cp932Lines(u"<Data>\n2001,1,1,0,2000000000,0,0,\"\"\n"
                                                  "2001,1,2,0,2000000000,0,0,\"\"\n"
                                                  "2001,1,3,-2147483648,2147483647,0,0,\"\"\n"_s));
    FakePlatform platform;
    SharedData shared(platform, dir.folder());
    const PlayerOpening opening = OpenPlayer(shared, u"big"_s);
    EXPECT_EQ(shared.data.ListCount(), 1);
    EXPECT_EQ(shared.data.UnreadRecords(), 2);
    EXPECT_EQ(shared.states.Kingaku, 2000000000);
    ASSERT_EQ(opening.messages.size(), 1);
    EXPECT_TRUE(opening.messages[0].text.contains(u"残りの2件"_s));
}
