// The previous-version import as the person meets it: questions and messages.

#include "support/fake_platform.h"
#include "support/test_files.h"
#include "ui/main_menu/data_import_dialog.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
const QString kQuestion = u"るでらVer2のデータをインポートしますか？"_s;
} // namespace

class DataImportDialogTest : public ::testing::Test {
protected:
    TempDataFolder dir;
    FakePlatform platform;
    QString oldFolder = dir.path() + u"/old"_s;

    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(oldFolder));
        WriteBytes(oldFolder + u"/Data.Dat"_s, Cp932Lines(u"1,2001,1,1,0,0\n"_s));
    }
    void run(const QString &names)
    {
        if (!names.isNull())
            WriteBytes(oldFolder + u"/Name.Dat"_s, Cp932Lines(names));
        platform.inputAnswers = {u"old"_s}; // relative: from the data folder
        DataImport(platform, dir.folder());
    }
    QStringList messageTexts() const
    {
        QStringList out;
        for (const RecordedMessage &m : platform.messages)
            out.append(m.text);
        return out;
    }
};

TEST_F(DataImportDialogTest, AsksBeforeAnythingHappens)
{
    platform.msgAnswers = {MsgResult::Cancel};
    run(u"1,\"太郎\"\n2,\"\"\n3,\"\"\n4,\"\"\n5,\"\"\n"_s);
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{kQuestion, u"確認"_s, MsgButtons::OkCancel}}));
    EXPECT_TRUE(platform.inputs.isEmpty());

    platform.inputAnswers = {QString()}; // the folder question cancelled
    DataImport(platform, dir.folder());
    ASSERT_EQ(platform.inputs.size(), 1);
    EXPECT_EQ(
        platform.inputs[0].prompt,
        u"ファイル形式を変換します。\n\rるでらVer2をインストールしたフォルダを指定して下さい。"_s);
    EXPECT_EQ(platform.inputs[0].title, u"フォルダの指定"_s);
    EXPECT_EQ(platform.inputs[0].defaultText, u"C:\\Program Files\\ledra\\"_s);
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(QDir(dir.path()).entryList({u"*.pcd"_s}).isEmpty());
}

TEST_F(DataImportDialogTest, MessagesNameExistingAndSkippedPlayers)
{
    QDir(dir.path()).mkdir(u"e.pcd"_s); // "e" cannot be written
    run(u"1,\"a\"\n2,\"../b\"\n3,\"c\"\n4,\":d\"\n5,\"e\"\n"_s);
    WriteBytes(dir.file(u"c.pcd"_s), "edited since");
    run(QString());
    QFile::remove(oldFolder + u"/Data.Dat"_s);
    run(QString());
    QFile::remove(oldFolder + u"/Name.Dat"_s);
    run(QString());
    const QString finished =
        u"インポートが終了しました。\r\n次のプレーヤーは変換しませんでした。\r\n"
        "プレーヤー2「../b」：名前にファイル名として使えない文字があります\r\n"
        "プレーヤー4「:d」：名前にファイル名として使えない文字があります\r\n"
        "プレーヤー5「e」：ファイルを書き込めませんでした"_s;
    EXPECT_EQ(messageTexts(),
              (QStringList{kQuestion, finished, kQuestion,
                           u"aは既に存在しているのでインポート出来ません。"_s,
                           u"cは既に存在しているのでインポート出来ません。"_s, finished, kQuestion,
                           u"Data.Dat ファイルが見つかりませんでした。"_s, kQuestion,
                           u"Name.Dat ファイルが見つかりませんでした。"_s}));
    EXPECT_TRUE(platform.messages[1].title.isEmpty());
    EXPECT_EQ(ReadBytes(dir.file(u"c.pcd"_s)), "edited since");

    // Old files that cannot be read end the import without a word.
    platform.messages.clear();
    WriteBytes(oldFolder + u"/Data.Dat"_s, "1,2001,1,1,0,0\r\n");
    run(u"1,\"x\"\n"_s);
    EXPECT_EQ(messageTexts(), QStringList{kQuestion});
}
