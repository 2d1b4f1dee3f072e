#include "core/file/save_sequence.h"

#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
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
    shared.Stores.WriteData({1, 0}, {u"駅前店"_s, QString()});
    shared.data.DataWrite(2001, 5, 3, 10000, 15000, 1, 0, u"初回"_s);
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    const QByteArray first = ReadBytes(dir.file(u"taro.pcd"_s));
    EXPECT_EQ(first, Cp932Lines(u"<States>\n\"Sound\",1\n\"WakeKin\",0\n\n<StoreData>\n"
                                u"1,\"駅前店\"\n\n<MachineData>\n\n<Data>\n"
                                u"2001,5,3,10000,15000,1,0,\"初回\"\n\n"_s));
    EXPECT_EQ(ReadBytes(dir.file(u"taro.Bak"_s)), original);

    shared.data.DataWrite(2001, 5, 4, 1, 2, 1, 0, QString());
    const SaveResult second = SavePlayerFile(shared, u"taro"_s);
    EXPECT_TRUE(second.saved);
    EXPECT_TRUE(second.failure.isEmpty() && second.notice.isEmpty());
    EXPECT_EQ(ReadBytes(dir.file(u"taro.Bak"_s)), first); // the state of the first save
    // No temporary files are left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(SaveSequenceTest, EachDayOfSavingLeavesADatedCopyAndTheLast30AreKept)
{
    // The file's time tells the day it was saved; the first save of a later
    // day keeps it under that day.
    const auto savedOn = [this](const QDate &day) {
        QFile file(dir.file(u"taro.pcd"_s));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(QDateTime(day, QTime(21, 0)), QFileDevice::FileModificationTime));
    };
    ::chmod(QFile::encodeName(dir.file(u"taro.pcd"_s)).constData(), 0600);
    savedOn(QDate(2025, 12, 31));
    QList<QByteArray> lastOfDay;
    for (int i = 0; i < 35; ++i) {
        for (int save = 0; save < (i == 0 ? 2 : 1); ++save) { // twice on the first day
            shared.data.DataWrite(2026, 1, 1, i, save, 0, 0, QString());
            ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
            savedOn(QDate(2026, 1, 1).addDays(i));
        }
        lastOfDay.append(ReadBytes(dir.file(u"taro.pcd"_s)));
    }
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s)); // keeps the 35th day

    QDir backup(dir.file(u"backup/taro"_s));
    const QStringList copies = backup.entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(copies.size(), 30);
    EXPECT_EQ(copies.first(), u"2026-01-06.pcd"_s);
    EXPECT_EQ(copies.last(), u"2026-02-04.pcd"_s);
    for (int i = 5; i < 35; ++i)
        EXPECT_EQ(ReadBytes(backup.filePath(copies[i - 5])), lastOfDay[i]) << i;
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(backup.filePath(copies[0])).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u); // private like the player's file

    // A copy that cannot be kept does not fail the save; it is said.
    ASSERT_TRUE(QDir(dir.file(u"backup"_s)).removeRecursively());
    WriteBytes(dir.file(u"backup"_s), "a file in the folder's place");
    const SaveResult result = SavePlayerFile(shared, u"taro"_s);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.notice, u"保存しましたが、backup/taro に日付ごとの控えを残せませんでした。\r\n"
                             u"フォルダに書き込めるか確かめて下さい。"_s);
}

TEST_F(SaveSequenceTest, AFailedWriteKeepsBothFilesAndNamesTheSection)
{
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s)); // make a backup to protect
    shared.data.DataWrite(2001, 5, 4, 1, 2, 1, 0, QString());
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    const QByteArray pcd = ReadBytes(dir.file(u"taro.pcd"_s));
    const QByteArray bak = ReadBytes(dir.file(u"taro.Bak"_s));
    shared.data.DataWrite(2001, 5, 5, 1, 2, 1, 0, QString());

    const struct {
        int failingWrite;
        QString message;
    } cases[] = {
        {1, u"店データの書き込みに失敗しました"_s}, // <States>
        {3, u"店データの書き込みに失敗しました"_s}, // <MachineData>
        {4, u"データの書き込みに失敗しました"_s},   // <Data>
        {5, u"バックアップファイルの作成に失敗しました"_s},
    };
    for (const auto &c : cases) {
        writes = 0;
        const SaveResult result = SavePlayerFile(shared, u"taro"_s, failingAt(c.failingWrite));
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(result.failure, c.message);
        EXPECT_EQ(ReadBytes(dir.file(u"taro.pcd"_s)), pcd);
        EXPECT_EQ(ReadBytes(dir.file(u"taro.Bak"_s)), bak);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3); // and the lock
    }

    // Text the file cannot carry fails before anything is written.
    shared.Machines.WriteData({1, 0}, {u"\"quoted\""_s, QString()});
    EXPECT_EQ(SavePlayerFile(shared, u"taro"_s).failure, u"店データの書き込みに失敗しました"_s);
    EXPECT_EQ(ReadBytes(dir.file(u"taro.pcd"_s)), pcd);
    EXPECT_EQ(ReadBytes(dir.file(u"taro.Bak"_s)), bak);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}
