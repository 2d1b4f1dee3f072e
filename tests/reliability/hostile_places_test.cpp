// Where a player's file is not the program's alone: a second running copy on
// the same player (a lock left by a copy that died is taken over:
// save_kill_test), another program writing the file, a backup that is a link
// out of the data folder, a private file, a file cut to nothing, a pipe or a
// device in the file's place, a remembered player outside the folder, and a
// settings store that cannot be written.

#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "support/test_files.h"
#include "ui/main_menu/main_form.h"
#include "ui/player_select/player_select.h"
#include "ui/qt_platform.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QSettings>
#include <QSysInfo>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {
const QByteArray kPlayer = "<States>\r\n\"Sound\",0\r\n\"WakeKin\",0\r\n\r\n<StoreData>\r\n\r\n"
                           "<MachineData>\r\n\r\n<Data>\r\n2001,5,3,100,200,0,0,\"\"\r\n\r\n";

unsigned modeOf(const QString &fileName)
{
    struct stat st {};
    ::lstat(QFile::encodeName(fileName).constData(), &st);
    return st.st_mode & 0777;
}

// The data folder "data" beside a folder "outside".
class HostilePlaces : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkdir(data.Path()) && QDir().mkdir(outside));
        WriteBytes(at(u"taro.pcd"_s), kPlayer);
        OpenPlayer(shared, u"taro"_s);
    }
    SaveResult changeAndSave()
    {
        AddRecord(shared, 2001, 6, 1, 1, 2, 0, 0, QString());
        return SavePlayerFile(shared, u"taro"_s);
    }

    QString at(const QString &name) const { return data.File(name); }

    TempDataFolder dir;
    DataFolder data{dir.file(u"data"_s)};
    QString outside = dir.file(u"outside"_s);
    FakePlatform platform;
    SharedData shared{platform, data};
};
} // namespace

TEST_F(HostilePlaces, TheBackupIsAPrivateCopyInTheDataFolderAndNeverEmpty)
{
    WriteBytes(outside + u"/victim.txt"_s, "keep");
    ASSERT_TRUE(QFile::link(outside + u"/victim.txt"_s, at(u"taro.Bak"_s)));
    ASSERT_EQ(::chmod(QFile::encodeName(at(u"taro.pcd"_s)).constData(), 0600), 0);
    ASSERT_TRUE(changeAndSave());
    // The link is replaced, never written through.
    EXPECT_EQ(ReadBytes(outside + u"/victim.txt"_s), "keep");
    EXPECT_FALSE(QFileInfo(at(u"taro.Bak"_s)).isSymLink());
    EXPECT_EQ(ReadBytes(at(u"taro.Bak"_s)), kPlayer);
    EXPECT_EQ(modeOf(at(u"taro.Bak"_s)), 0600u);
    EXPECT_EQ(modeOf(at(u"taro.pcd"_s)), 0600u);

    QFile(at(u"taro.pcd"_s)).resize(0); // cut off by another program while open
    ASSERT_TRUE(changeAndSave());
    EXPECT_EQ(ReadBytes(at(u"taro.Bak"_s)), kPlayer);
}

TEST_F(HostilePlaces, PipesAndDevicesInThePlaceOfAPlayerFileAreNeitherReadNorWritten)
{
    ASSERT_TRUE(QFile::remove(at(u"taro.pcd"_s)));
    ASSERT_EQ(::mkfifo(QFile::encodeName(at(u"taro.pcd"_s)).constData(), 0600),
              0); // opening it would wait for a writer
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, at(u"zero.pcd"_s))); // reading it would never end
    const SaveResult result = changeAndSave();
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.failure, u"taro.pcd は通常のファイルではないため、保存できません。"_s);
    EXPECT_FALSE(QFileInfo(at(u"taro.pcd"_s)).isFile());
    for (const QString &name : {u"taro"_s, u"zero"_s}) {
        EXPECT_TRUE(OpenPlayer(shared, name).messages.isEmpty());
        EXPECT_EQ(shared.data.ListCount(), 0);
    }
}

TEST_F(HostilePlaces, ARememberedPlayerOutsideTheDataFolderIsNotOpened)
{
    WriteBytes(outside + u"/hanako.pcd"_s, kPlayer);
    for (const QString &remembered : QStringList{u"../outside/hanako"_s, outside + u"/hanako"_s}) {
        FakePlatform fresh;
        fresh.settings[u"ledra3/Start/UserName"_s] = remembered;
        SharedData s(fresh, data);
        MainForm form(s);
        form.Form_Activate();
        EXPECT_EQ(fresh.modalWindows, QStringList{u"PSelect"_s}) << remembered.toStdString();
        EXPECT_TRUE(s.states.UserName.isEmpty());
    }
    EXPECT_EQ(QDir(outside).entryList(QDir::Files | QDir::Hidden), QStringList{u"hanako.pcd"_s});
}

TEST_F(HostilePlaces, ASettingsStoreThatCannotBeWrittenIsToldOnce)
{
    // The real store, with a folder in the place of its file.
    const QString app = u"ledra3-unwritable-test"_s;
    const QString ini = QSettings(QSettings::IniFormat, QSettings::UserScope, app, app).fileName();
    ASSERT_TRUE(QDir(dir.path()).mkpath(ini));
    QtPlatform qt;
    EXPECT_FALSE(qt.SaveSetting(app, u"Start"_s, u"UserName"_s, u"taro"_s));
    QDir(dir.path()).rmdir(ini);

    platform.settingsWritable = false;
    for (int i = 0; i < 2; ++i) {
        PSelect select(shared);
        select.PList->setCurrentRow(0);
        select.PSentaku_Click();
        EXPECT_EQ(select.result(), QDialog::Accepted);
    }
    EXPECT_EQ(platform.messages,
              QList<RecordedMessage>{{u"自動起動の設定を保存できませんでした。\r\n"
                                      "設定ファイルに書き込めるか確かめて下さい。"_s}});
}

TEST(TwoCopies, APlayerOpenElsewhereIsRefusedAndTheSelectionStays)
{
    TempDataFolder dir;
    WriteBytes(dir.file(u"jiro.pcd"_s), kPlayer);
    WriteBytes(dir.file(u"taro.pcd"_s), kPlayer);
    FakePlatform elsewhere;
    SharedData other(elsewhere, dir.folder()); // the other copy, in the same folder
    ASSERT_TRUE(OpenPlayer(other, u"taro"_s).opened);

    FakePlatform platform;
    platform.settings[u"ledra3/Start/UserName"_s] = u"taro"_s;
    SharedData shared(platform, dir.folder());
    MainForm form(shared);
    form.Form_Activate(); // the remembered player: told, then the selection opens
    const QList<RecordedMessage> inUse = {
        {u"taro は、別に起動しているるでら３で使用中のため開けません。\r\n"
         "そちらを終了してから、もう一度選んで下さい。"_s}};
    EXPECT_EQ(platform.messages, inUse);
    EXPECT_EQ(platform.modalWindows, QStringList{u"PSelect"_s});
    EXPECT_TRUE(shared.states.UserName.isEmpty());

    PSelect select(shared);
    select.KidouCheck->setChecked(false);
    select.PList->setCurrentRow(1); // taro
    select.PSentaku_Click();        // told; the selection stays and remembers nothing
    EXPECT_EQ(platform.messages, inUse + inUse);
    EXPECT_NE(select.result(), QDialog::Accepted);
    EXPECT_EQ(platform.settings[u"ledra3/Start/UserName"_s], u"taro"_s);

    // The other copy changes player: taro is free, jiro is held.
    ASSERT_TRUE(OpenPlayer(other, u"jiro"_s).opened);
    select.PSentaku_Click();
    EXPECT_EQ(select.result(), QDialog::Accepted);
    EXPECT_FALSE(OpenPlayer(shared, u"jiro"_s).opened);
    EXPECT_EQ(shared.states.UserName, u"taro"_s); // refused: taro stays open
}

TEST(LockLeftovers, AreTakenOverUnlessTheyMayBeLiveAndAnotherComputerIsAsked)
{
    TempDataFolder dir;
    WriteBytes(dir.file(u"taro.pcd"_s), kPlayer);
    const QString lock = dir.file(u".taro.pcd.lock"_s);
    const QByteArray here = QSysInfo::machineHostName().toUtf8();
    const QByteArray mine = QByteArray::number(QCoreApplication::applicationPid()) + "\nledra3\n";
    const auto leave = [&](const QByteArray &content, const QDateTime &made) {
        WriteBytes(lock, content);
        QFile file(lock);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(made, QFileDevice::FileModificationTime));
    };
    const QDateTime now = QDateTime::currentDateTime();
    const struct {
        const char *what;
        QByteArray content;
        int secondsAgo;
        bool opens;
    } cases[] = {
        {"empty, from a power cut", "", 60, true},
        {"unreadable", QByteArray("\0\x01garbage", 9), 60, true},
        {"empty, being written just now", "", 0, false},
        {"this computer, its program gone", "999999\nledra3\n" + here + "\n", 0, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        leave(c.content, now.addSecs(-c.secondsAgo));
        FakePlatform platform;
        SharedData shared(platform, dir.folder());
        EXPECT_EQ(OpenPlayer(shared, u"taro"_s).opened, c.opens);
        if (c.opens) {
            EXPECT_EQ(ReadBytes(lock), mine + here + "\n");
        }
    }

    // Another computer's: asked, with its name and time; いいえ (the default)
    // leaves it, はい takes it over.
    leave("4242\nledra3\nother-pc\n", QDateTime(QDate(2026, 12, 5), QTime(21, 30)));
    FakePlatform platform;
    SharedData shared(platform, dir.folder());
    EXPECT_FALSE(OpenPlayerAndTell(shared, u"taro"_s));
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{
                  {u"taro は、別のコンピューター（other-pc）のるでら３で 2026/12/05 21:30 から"
                   u"使用中になっています。\r\nそのコンピューターでるでら３を終了せずに止めた"
                   u"（電源が切れた、持ち出した）ときは、その跡が残っているだけです。\r\n"
                   u"そのコンピューターでまだ使っているときに開くと、どちらかの変更が失われます。"
                   u"\r\n\r\nこのコンピューターで引き継いで開きますか？"_s,
                   u"使用中の確認"_s, MsgButtons::YesNoDefaultNo, MsgIcon::Exclamation}}));
    EXPECT_EQ(ReadBytes(lock), "4242\nledra3\nother-pc\n");
    platform.msgAnswers = {MsgResult::Yes};
    EXPECT_TRUE(OpenPlayerAndTell(shared, u"taro"_s));
    EXPECT_EQ(ReadBytes(lock), mine + here + "\n");
}

TEST(ChangedOnDisk, ASaveOverAFileAnotherProgramChangedAsksFirst)
{
    TempDataFolder dir;
    WriteBytes(dir.file(u"taro.pcd"_s), kPlayer);
    FakePlatform platform;
    platform.settings[u"ledra3/Start/UserName"_s] = u"taro"_s;
    SharedData shared(platform, dir.folder());
    MainForm form(shared);
    form.Form_Activate();
    // Another program writes the file; its time changes.
    const auto saveOver = [&](const QByteArray &theirs, int minutes) {
        WriteBytes(dir.file(u"taro.pcd"_s), theirs);
        QFile file(dir.file(u"taro.pcd"_s));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::currentDateTime().addSecs(60 * minutes),
                         QFileDevice::FileModificationTime);
        AddRecord(shared, 2001, 6, minutes, 1, 0, 0, 0, QString());
        shared.states.Corrected = true;
        platform.messages.clear();
        form.MSave_Click();
    };

    saveOver(kPlayer, 1); // only touched: no question
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_FALSE(shared.states.Corrected);

    // Rewritten with the same length: asked (sync_copies_test); a box closed
    // unanswered saves nothing and keeps their file.
    const QByteArray theirs = QByteArray(kPlayer).replace("\"Sound\",0", "\"Sound\",1");
    saveOver(theirs, 2);
    EXPECT_EQ(platform.modalWindows, QStringList{u"QMessageBox"_s});
    EXPECT_EQ(ReadBytes(dir.file(u"taro.pcd"_s)), theirs);
    EXPECT_TRUE(shared.states.Corrected);
}
