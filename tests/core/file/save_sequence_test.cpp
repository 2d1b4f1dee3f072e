#include "core/file/save_sequence.h"

#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class SaveSequenceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteBytes(u"taro.pcd"_s,
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

    TempWorkDir dir;
    FakePlatform platform;
    SharedData shared{platform};
    int writes = 0;
};

TEST_F(SaveSequenceTest, WritesTheFormatAndKeepsThePreviousFileAsBackup)
{
    const QByteArray original = ReadBytes(u"taro.pcd"_s);
    shared.Stores.WriteData({1, 0}, {u"駅前店"_s, QString()});
    shared.data.DataWrite(2001, 5, 3, 10000, 15000, 1, 0, u"初回"_s);
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    const QByteArray first = ReadBytes(u"taro.pcd"_s);
    EXPECT_EQ(first, Cp932Lines(u"<States>\n\"Sound\",1\n\"WakeKin\",0\n\n<StoreData>\n"
                                u"1,\"駅前店\"\n\n<MachineData>\n\n<Data>\n"
                                u"2001,5,3,10000,15000,1,0,\"初回\"\n\n"_s));
    EXPECT_EQ(ReadBytes(u"taro.Bak"_s), original);

    shared.data.DataWrite(2001, 5, 4, 1, 2, 1, 0, QString());
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    EXPECT_EQ(ReadBytes(u"taro.Bak"_s), first); // the state of the first save
    EXPECT_TRUE(platform.messages.isEmpty());
    // No temporary files are left behind.
    EXPECT_EQ(QDir().entryList(QDir::Files).size(), 2);
}

TEST_F(SaveSequenceTest, AFailedWriteKeepsBothFilesAndNamesTheSection)
{
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s)); // make a backup to protect
    shared.data.DataWrite(2001, 5, 4, 1, 2, 1, 0, QString());
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    const QByteArray pcd = ReadBytes(u"taro.pcd"_s);
    const QByteArray bak = ReadBytes(u"taro.Bak"_s);
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
        platform.messages.clear();
        EXPECT_FALSE(SavePlayerFile(shared, u"taro"_s, failingAt(c.failingWrite)));
        ASSERT_EQ(platform.messages.size(), 1);
        EXPECT_EQ(platform.messages[0].text, c.message);
        EXPECT_EQ(ReadBytes(u"taro.pcd"_s), pcd);
        EXPECT_EQ(ReadBytes(u"taro.Bak"_s), bak);
        EXPECT_EQ(QDir().entryList(QDir::Files).size(), 2);
    }
}

TEST_F(SaveSequenceTest, UnwritableTextFailsBeforeAnythingIsTouched)
{
    const QByteArray pcd = ReadBytes(u"taro.pcd"_s);
    shared.Machines.WriteData({1, 0}, {u"\"quoted\""_s, QString()});
    EXPECT_FALSE(SavePlayerFile(shared, u"taro"_s));
    EXPECT_EQ(platform.messages.value(0).text, u"店データの書き込みに失敗しました"_s);
    EXPECT_EQ(ReadBytes(u"taro.pcd"_s), pcd);
    EXPECT_FALSE(QFile::exists(u"taro.Bak"_s));
}

TEST_F(SaveSequenceTest, ReadOnlyFolderAndFolderInThePlaceOfTheFile)
{
    if (geteuid() != 0) { // root writes anyway
        const QByteArray pcd = ReadBytes(u"taro.pcd"_s);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_FALSE(SavePlayerFile(shared, u"taro"_s));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(ReadBytes(u"taro.pcd"_s), pcd);
        EXPECT_FALSE(platform.messages.isEmpty());
    }
    platform.messages.clear();
    ASSERT_TRUE(QDir().mkdir(u"hanako.pcd"_s));
    EXPECT_FALSE(SavePlayerFile(shared, u"hanako"_s));
    EXPECT_FALSE(platform.messages.isEmpty());
    EXPECT_TRUE(QFileInfo(u"hanako.pcd"_s).isDir());
}

TEST_F(SaveSequenceTest, PlayerWhoseFileWasDeletedIsSavedWithoutBackup)
{
    QFile::remove(u"taro.pcd"_s);
    shared.data.DataWrite(2001, 5, 4, 1, 2, 1, 0, QString());
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    EXPECT_FALSE(QFile::exists(u"taro.Bak"_s));
    OpenPlayer(shared, u"taro"_s);
    EXPECT_EQ(shared.data.ListCount(), 1);
}
