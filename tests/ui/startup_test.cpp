#include "core/file/data_folder.h"
#include "ui/environment_check.h"

#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/test_files.h"
#include "ui/qt_platform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(KankyouCheck, WarnsForEachMissingComponentAndGoesOn)
{
    FakePlatform platform;
    KankyouCheckWith(platform, true, true);
    EXPECT_TRUE(platform.messages.isEmpty());

    KankyouCheckWith(platform, false, false);
    ASSERT_EQ(platform.messages.size(), 2);
    const QStringList converter = platform.messages[0].text.split(u"\r\n"_s);
    ASSERT_EQ(converter.size(), 2);
    EXPECT_TRUE(converter[0].endsWith(u"がシステムフォルダに見つかりません"_s));
    EXPECT_TRUE(converter[1].endsWith(u"をインストールして下さい"_s));
    const QStringList font = platform.messages[1].text.split(u"\r\n"_s);
    ASSERT_EQ(font.size(), 3);
    EXPECT_TRUE(font[0].endsWith(u"がシステムフォルダに見つかりません"_s));
    EXPECT_EQ(font[2], u"日本語が表示出来ない可能性があります"_s);
    for (const RecordedMessage &m : platform.messages) {
        EXPECT_EQ(m.buttons, MsgButtons::Ok);
        EXPECT_EQ(m.icon, MsgIcon::None);
        EXPECT_TRUE(m.title.isEmpty());
    }
}

TEST(KankyouCheck, ThisMachineHasWhatTheProgramNeeds)
{
    FakePlatform platform;
    KankyouCheck(platform);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.value(0).text.toStdString();
}

TEST(DataFolder, IsCreatedAndMadeAbsoluteAndTheCurrentFolderStays)
{
    const QString before = QDir::currentPath();
    QTemporaryDir tmp;
    const QString target = tmp.filePath(u"a/b/ledra3"_s);
    DataFolder folder;
    QString error;
    ASSERT_TRUE(PrepareDataFolder(target + u"/../ledra3/"_s, folder, error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_EQ(folder.PlayerFile(u"taro"_s), target + u"/taro.pcd"_s);
    EXPECT_EQ(DataFolder(u"rel/x"_s).Path(), before + u"/rel/x"_s);
    WriteBytes(tmp.filePath(u"file"_s), "x");
    EXPECT_FALSE(PrepareDataFolder(tmp.filePath(u"file/sub"_s), folder, error));
    EXPECT_EQ(error, tmp.filePath(u"file/sub"_s) + u" を作成できません"_s);
    EXPECT_EQ(folder.Path(), target);
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST(QtPlatformWait, ZeroReturnsAtOnceAndAWaitKeepsEventsFlowing)
{
    QtPlatform platform;
    QElapsedTimer t;
    t.start();
    platform.TimeWait(0);
    EXPECT_LT(t.elapsed(), 50);
    bool fired = false;
    QTimer::singleShot(10, [&] { fired = true; });
    platform.TimeWait(0.1);
    EXPECT_TRUE(fired);
    EXPECT_GE(t.elapsed(), 95);
}

TEST(QtPlatformSettings, StoresByApplicationSectionAndKey)
{
    QtPlatform platform; // the test runner keeps settings in a test-mode folder
    platform.SaveSetting(u"ledra3-test"_s, u"Start"_s, u"UserName"_s, u"太郎"_s);
    EXPECT_EQ(platform.GetSetting(u"ledra3-test"_s, u"Start"_s, u"UserName"_s), u"太郎"_s);
    EXPECT_EQ(platform.GetSetting(u"ledra3-test"_s, u"Start"_s, u"Missing"_s), QString());
    platform.SaveSetting(u"ledra3-test"_s, u"Start"_s, u"UserName"_s, QString());
}

// xdg-open reports by its exit status whether it found something to open with.
TEST(QtPlatformStartProgram, ReportsAFailedOpenerAndLeavesARunningOneRunning)
{
    QtPlatform platform;
    QString error;
    EXPECT_TRUE(platform.StartProgram(u"true"_s, {}, error));
    EXPECT_FALSE(platform.StartProgram(u"false"_s, {}, error));
    EXPECT_EQ(error, u"falseが失敗しました（終了コード 1）"_s);
    error.clear();
    EXPECT_FALSE(platform.StartProgram(u"/no/such/opener"_s, {}, error));
    EXPECT_FALSE(error.isEmpty());

    platform.openerWaitMs = 50;
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(platform.StartProgram(u"sleep"_s, {u"0.5"_s}, error));
    EXPECT_LT(t.elapsed(), 400);
}
