#include "core/file/save_sequence.h"

#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

class SaveSequenceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteBytes(dir.file(u"taro.pcd"_s),
                   Cp932Lines(UserDataFile::NewPlayerFileText().replace(u"\r\n"_s, u"\n"_s)));
        OpenPlayer(shared, u"taro"_s);
    }

    // Section writes go through the hook: fail the n-th one (1-based).
    SaveWriteFn failingAt(int n)
    {
        return [this, n](QIODevice &device, const QByteArray &bytes) -> qint64 {
            if (++writes == n)
                return bytes.isEmpty() ? -1 : device.write(bytes.left(bytes.size() / 2));
            return device.write(bytes);
        };
    }

    TempDataFolder dir;
    FakePlatform platform;
    SharedData shared{platform, dir.folder()};
    int writes = 0;
};

TEST_F(SaveSequenceTest, WritesTheFormatAndKeepsThePreviousFileAsBackup)
{
    const QByteArray original = ReadBytes(dir.file(u"taro.pcd"_s));
    SetStores(shared, {{1, u"駅前店"_s}});
    AddRecord(shared, 2001, 5, 3, 10000, 15000, 1, 0, u"初回"_s);
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    const QByteArray first = ReadBytes(dir.file(u"taro.pcd"_s));
    EXPECT_EQ(first, Cp932Lines(u"<States>\n\"Sound\",1\n\"WakeKin\",0\n\n<StoreData>\n"
                                u"1,\"駅前店\"\n\n<MachineData>\n\n<Data>\n"
                                u"2001,5,3,10000,15000,1,0,\"初回\"\n\n"_s));
    EXPECT_EQ(ReadBytes(dir.file(u"taro.Bak"_s)), original);

    AddRecord(shared, 2001, 5, 4, 1, 2, 1, 0, QString());
    const SaveResult second = SavePlayerFile(shared, u"taro"_s);
    EXPECT_TRUE(second.saved);
    EXPECT_TRUE(second.failure.isEmpty() && second.notice.isEmpty());
    EXPECT_EQ(ReadBytes(dir.file(u"taro.Bak"_s)), first); // the state of the first save
    // No temporary files are left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(SaveSequenceTest, EachDayKeepsItsLastSaveAndNoLinkIsWrittenThrough)
{
    const QString pcd = dir.file(u"taro.pcd"_s);
    ::chmod(QFile::encodeName(pcd).constData(), 0600);
    const auto saveOn = [&](const QDate &day) {
        platform.today = day;
        AddRecord(shared, 2026, 1, 1, 1, 0, 0, 0, day.toString());
        ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    };
    // Three saves on each of two days: each day's copy restores its last one.
    QList<QByteArray> lastOfDay;
    for (const QDate &day : {QDate(2026, 1, 1), QDate(2026, 1, 2)}) {
        for (int save = 0; save < 3; ++save)
            saveOn(day);
        lastOfDay.append(ReadBytes(pcd));
    }
    for (int i = 0; i < 2; ++i) {
        const QString copy = dir.file(u"backup/taro/2026-01-0%1.pcd"_s.arg(i + 1));
        ASSERT_TRUE(QFile::remove(pcd) && QFile::copy(copy, pcd));
        OpenPlayer(shared, u"taro"_s);
        EXPECT_EQ(shared.data.ListCount(), 3 * (i + 1));
        EXPECT_EQ(ReadBytes(pcd), lastOfDay[i]);
    }
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.file(u"backup/taro/2026-01-01.pcd"_s)).constData(), &st),
              0);
    EXPECT_EQ(st.st_mode & 0777, 0600u); // private like the player's file

    // The last 30 days of saving are kept.
    for (int i = 0; i < 33; ++i)
        saveOn(QDate(2026, 2, 1).addDays(i));
    const QStringList copies = QDir(dir.file(u"backup/taro"_s)).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(copies.size(), 30);
    EXPECT_EQ(copies.first(), u"2026-02-04.pcd"_s);
    EXPECT_EQ(copies.last(), u"2026-03-05.pcd"_s);

    // A link in a copy's place is replaced; "backup" as a link is refused and
    // said, as is a file in its place. None fails the save.
    QTemporaryDir outside;
    WriteBytes(outside.filePath(u"victim"_s), "keep");
    QFile::remove(dir.file(u"backup/taro/2026-03-05.pcd"_s));
    ASSERT_TRUE(
        QFile::link(outside.filePath(u"victim"_s), dir.file(u"backup/taro/2026-03-05.pcd"_s)));
    saveOn(QDate(2026, 3, 5));
    EXPECT_EQ(ReadBytes(outside.filePath(u"victim"_s)), "keep");
    EXPECT_EQ(ReadBytes(dir.file(u"backup/taro/2026-03-05.pcd"_s)), ReadBytes(pcd));
    const struct {
        bool link;
        QString notice;
    } refused[] = {
        {true, u"保存しましたが、backup がほかの場所へのリンクのため、日付ごとの控えを残しません"
               u"でした。\r\nリンクを取り除くと、次の保存から控えを残します。"_s},
        {false, u"保存しましたが、backup/taro に日付ごとの控えを残せませんでした。\r\n"
                u"フォルダに書き込めるか確かめて下さい。"_s},
    };
    for (const auto &r : refused) {
        QFile::remove(dir.file(u"backup"_s));
        QDir(dir.file(u"backup"_s)).removeRecursively();
        if (r.link)
            ASSERT_TRUE(QFile::link(outside.path(), dir.file(u"backup"_s)));
        else
            WriteBytes(dir.file(u"backup"_s), "a file in the folder's place");
        const SaveResult result = SavePlayerFile(shared, u"taro"_s);
        EXPECT_TRUE(result.saved);
        EXPECT_EQ(result.notice, r.notice);
    }
    EXPECT_EQ(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{u"victim"_s});
}

TEST_F(SaveSequenceTest, AFailedWriteKeepsBothFilesAndNamesTheFileAndWhy)
{
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s)); // make a backup to protect
    AddRecord(shared, 2001, 5, 4, 1, 2, 1, 0, QString());
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    const QByteArray pcd = ReadBytes(dir.file(u"taro.pcd"_s));
    const QByteArray bak = ReadBytes(dir.file(u"taro.Bak"_s));
    AddRecord(shared, 2001, 5, 5, 1, 2, 1, 0, QString());
    const auto expectBothKept = [&] {
        EXPECT_EQ(ReadBytes(dir.file(u"taro.pcd"_s)), pcd);
        EXPECT_EQ(ReadBytes(dir.file(u"taro.Bak"_s)), bak);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3); // and the lock
    };

    const QString cut = u"\r\ntaro.pcd：最後まで書き込めませんでした"_s;
    const struct {
        int failingWrite;
        QString message;
    } cases[] = {
        {1, u"店データの書き込みに失敗しました"_s + cut}, // <States>
        {3, u"店データの書き込みに失敗しました"_s + cut}, // <MachineData>
        {4, u"データの書き込みに失敗しました"_s + cut},   // <Data>
    };
    for (const auto &c : cases) {
        writes = 0;
        const SaveResult result = SavePlayerFile(shared, u"taro"_s, failingAt(c.failingWrite));
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(result.failure, c.message);
        expectBothKept();
    }

    // Text the file cannot hold fails before anything is written, and is named.
    AddRecord(shared, 2001, 5, 6, 1, 2, 1, 0, u"a\uFFFDb"_s);
    SetMachines(shared, {{1, u"\"quoted\""_s}});
    const SaveResult result = SavePlayerFile(shared, u"taro"_s);
    EXPECT_EQ(
        result.failure,
        u"3行目（2001/05/06 の記録）のコメントに、ファイルに書けない文字「\uFFFD」（U+FFFD）が"
        u"あります。\r\nほかに1か所のコメントや名前にも、書けない文字があります。\r\n"
        u"このままでは保存できません。"_s);
    ASSERT_TRUE(result.uncarried);
    EXPECT_EQ(result.uncarried->number, 3);
    expectBothKept();
    ASSERT_TRUE(ChangePlayerData(shared, ReplaceUncarriedText(shared)));
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    EXPECT_EQ(shared.data.Record(3).DComment, u"a？b"_s);
    EXPECT_EQ(shared.Machines.SeekName(1), u"？quoted？"_s);
}
