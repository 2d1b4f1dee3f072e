#include "core/file/data_import.h"

#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

class DataImportTest : public ::testing::Test {
protected:
    TempWorkDir dir;
    FakePlatform platform;
    QString oldFolder = dir.path() + u"/old ver2"_s;

    void SetUp() override { ASSERT_TRUE(QDir().mkpath(oldFolder)); }

    void writeOld(const QString &names, const QString &records)
    {
        if (!names.isNull())
            WriteBytes(oldFolder + u"/Name.Dat"_s, Cp932Lines(names));
        if (!records.isNull())
            WriteBytes(oldFolder + u"/Data.Dat"_s, Cp932Lines(records));
    }
    void run(const QString &typedFolder)
    {
        platform.inputAnswers = {typedFolder};
        DataImport(platform);
    }
    QStringList messageTexts() const
    {
        QStringList out;
        for (const RecordedMessage &m : platform.messages)
            out.append(m.text);
        return out;
    }
    static QStringList playerFiles() { return QDir().entryList({u"*.pcd"_s}, QDir::Files); }

    static QString twoPlayers() { return u"1,\"太郎\"\n2,\"花子\"\n3,\"\"\n4,\"\"\n5,\"\"\n"_s; }
    static QString interleaved()
    {
        return u"1,2000,12,24,30000,41000\n2,2001,1,2,5000,0\n"
               u"1,2001,1,3,-100,20\n2,2001,1,5,1000,1000\n\n"_s;
    }
    static QString header()
    {
        return u"<States>\n\"Sound\",1\n\"WakeKin\",0\n<StoreData>\n\n<MachineData>\n\n<Data>\n"_s;
    }
};

TEST_F(DataImportTest, AsksBeforeAnythingHappens)
{
    writeOld(twoPlayers(), interleaved());
    platform.msgAnswers = {MsgResult::Cancel};
    run(oldFolder);
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"るでらVer2のデータをインポートしますか？"_s, u"確認"_s,
                                       MsgButtons::OkCancel}}));
    EXPECT_TRUE(platform.inputs.isEmpty());

    run(QString()); // the folder question cancelled
    ASSERT_EQ(platform.inputs.size(), 1);
    EXPECT_EQ(
        platform.inputs[0].prompt,
        u"ファイル形式を変換します。\n\rるでらVer2をインストールしたフォルダを指定して下さい。"_s);
    EXPECT_EQ(platform.inputs[0].title, u"フォルダの指定"_s);
    EXPECT_EQ(platform.inputs[0].defaultText, u"C:\\Program Files\\ledra\\"_s);
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(playerFiles().isEmpty());
}

TEST_F(DataImportTest, ConvertsEachPlayerWithRecordsInTheirOrder)
{
    writeOld(twoPlayers(), interleaved());
    run(oldFolder); // no final separator
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{
                  {u"るでらVer2のデータをインポートしますか？"_s, u"確認"_s, MsgButtons::OkCancel},
                  {u"インポートが終了しました。"_s}}));

    // Empty slots make no file.
    EXPECT_EQ(playerFiles(), (QStringList{u"太郎.pcd"_s, u"花子.pcd"_s}));
    EXPECT_EQ(ReadBytes(u"太郎.pcd"_s), Cp932Lines(header() + u"2000,12,24,30000,41000,0,0,\"\"\n"
                                                              u"2001,1,3,-100,20,0,0,\"\"\n\n"_s));
    EXPECT_EQ(ReadBytes(u"花子.pcd"_s),
              Cp932Lines(header() + u"2001,1,2,5000,0,0,0,\"\"\n"
                                    u"2001,1,5,1000,1000,0,0,\"\"\n\n"_s));
}

TEST_F(DataImportTest, PlayerWithoutRecordsGetsAnEmptyDataSection)
{
    writeOld(u"x,\"\"\nx,\"\"\nx,\"三郎\"\nx,\"\"\nx,\"\"\n"_s, interleaved());
    run(oldFolder + u'/');
    EXPECT_EQ(ReadBytes(u"三郎.pcd"_s), Cp932Lines(header() + u"\n"_s));
}

TEST_F(DataImportTest, ImportedFileOpensAsAPlayer)
{
    writeOld(twoPlayers(), interleaved());
    run(oldFolder);
    FakePlatform other;
    SharedData shared(other);
    OpenPlayer(shared, u"太郎"_s);
    EXPECT_TRUE(shared.states.Sound);
    EXPECT_EQ(shared.states.WakeKin, 0);
    ASSERT_EQ(shared.data.ListCount(), 2);
    const PlayRecord r = shared.data.Record(2);
    EXPECT_EQ(r.DToushi, -100);
    EXPECT_EQ(r.DKaishuu, 20);
    EXPECT_EQ(shared.Stores.SeekName(r.DSId), u"(不明)"_s);
    EXPECT_EQ(shared.Machines.SeekName(r.DMId), u"(不明)"_s);
    EXPECT_EQ(shared.states.Kingaku, 11000 + 120);
}

TEST_F(DataImportTest, SecondImportReportsEveryPlayerAndChangesNothing)
{
    writeOld(twoPlayers(), interleaved());
    run(oldFolder);
    WriteBytes(u"花子.pcd"_s, QByteArray("edited since\r\n"));
    const QByteArray taro = ReadBytes(u"太郎.pcd"_s);
    platform.messages.clear();
    run(oldFolder);
    EXPECT_EQ(messageTexts(), (QStringList{u"るでらVer2のデータをインポートしますか？"_s,
                                           u"太郎は既に存在しているのでインポート出来ません。"_s,
                                           u"花子は既に存在しているのでインポート出来ません。"_s,
                                           u"インポートが終了しました。"_s}));
    EXPECT_EQ(ReadBytes(u"太郎.pcd"_s), taro);
    EXPECT_EQ(ReadBytes(u"花子.pcd"_s), QByteArray("edited since\r\n"));
}

TEST_F(DataImportTest, MissingOldFilesAreReported)
{
    writeOld(QString(), interleaved());
    run(oldFolder);
    writeOld(twoPlayers(), QString());
    QFile::remove(oldFolder + u"/Data.Dat"_s);
    run(oldFolder);
    run(u"C:\\Program Files\\ledra\\"_s);
    EXPECT_EQ(messageTexts(), (QStringList{u"るでらVer2のデータをインポートしますか？"_s,
                                           u"Name.Dat ファイルが見つかりませんでした。"_s,
                                           u"るでらVer2のデータをインポートしますか？"_s,
                                           u"Data.Dat ファイルが見つかりませんでした。"_s,
                                           u"るでらVer2のデータをインポートしますか？"_s,
                                           u"Name.Dat ファイルが見つかりませんでした。"_s}));
    EXPECT_TRUE(platform.messages[1].title.isEmpty());
    EXPECT_EQ(platform.messages[3].buttons, MsgButtons::Ok);
    EXPECT_TRUE(playerFiles().isEmpty());
}

TEST_F(DataImportTest, WindowsStyleFolderIsAccepted)
{
    writeOld(twoPlayers(), interleaved());
    QString typed = oldFolder;
    typed.replace(u'/', u'\\');
    run(typed);
    EXPECT_EQ(playerFiles().size(), 2);
    EXPECT_EQ(platform.messages.last().text, u"インポートが終了しました。"_s);
}

TEST_F(DataImportTest, FailuresEndQuietlyWithoutHalfFiles)
{
    // Fewer than five entries: nothing at all.
    writeOld(u"1,\"太郎\"\n2,\"花子\"\n3,\"\"\n"_s, interleaved());
    run(oldFolder);
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(playerFiles().isEmpty());

    // A name that is no file name of this folder stops the import there.
    writeOld(u"1,\"a\"\n2,\"../b\"\n3,\"c\"\n4,\"\"\n5,\"\"\n"_s, QString());
    run(oldFolder);
    EXPECT_EQ(messageTexts().last(), u"るでらVer2のデータをインポートしますか？"_s);
    EXPECT_EQ(playerFiles(), QStringList{u"a.pcd"_s});
    EXPECT_FALSE(QFile::exists(dir.path() + u"/../b.pcd"_s));

    // A value too large for its field: the file being converted is not written.
    QFile::remove(u"a.pcd"_s);
    writeOld(twoPlayers(), u"1,2000,1,1,0,0\n2,99999,1,1,0,0\n"_s);
    run(oldFolder);
    EXPECT_EQ(messageTexts().last(), u"るでらVer2のデータをインポートしますか？"_s);
    EXPECT_TRUE(playerFiles().isEmpty());
}
