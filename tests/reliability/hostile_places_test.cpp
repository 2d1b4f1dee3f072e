// Where a player's file is not the program's alone: a second running copy on
// the same player (a lock left by a copy that died is taken over:
// save_kill_test), another program writing the file, a backup that is a link
// out of the data folder, a private file, a file cut to nothing, a pipe or a
// device in the file's place, a times file that cannot be read, a data folder
// that cannot be read, a remembered player outside the folder, and a
// settings store that cannot be written.

#include "core/file/player_file.h"
#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "mounts.h"
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
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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

    // A pipe in the place of the backup or of the day's copy is replaced,
    // never opened: that would wait for a writer.
    const QString copy = data.GenerationFolder(u"taro"_s) + u'/' +
                         platform.today.toString(u"yyyy-MM-dd"_s) + u".pcd"_s;
    for (const QString &pipe : {at(u"taro.Bak"_s), copy}) {
        ASSERT_TRUE(QFile::remove(pipe));
        ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    }
    const QByteArray previous = ReadBytes(at(u"taro.pcd"_s));
    ASSERT_TRUE(changeAndSave());
    ASSERT_TRUE(QFileInfo(at(u"taro.Bak"_s)).isFile() && QFileInfo(copy).isFile());
    EXPECT_EQ(ReadBytes(at(u"taro.Bak"_s)), previous);
    EXPECT_EQ(ReadBytes(copy), ReadBytes(at(u"taro.pcd"_s)));
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

TEST_F(HostilePlaces, ATimesFileThatCannotBeReadIsToldAndNeverReplaced)
{
    PermissionsBind permissions;
    if (!permissions.ok())
        GTEST_SKIP() << "root is not kept to file permissions here";
    const QString times = at(u"taro.times"_s), timesBak = at(u"taro.times.Bak"_s);
    const QByteArray path = QFile::encodeName(times);
    const auto privateFile = [&](uid_t owner, gid_t group) {
        WriteBytes(times, "ledra3 play times 1\r\n2001,5,3,100,200,0,0,1,1,10:00,11:00,\r\n");
        return ::chown(path.constData(), owner, group) == 0 && ::chmod(path.constData(), 0) == 0;
    };
    const struct {
        const char *what;
        std::function<bool()> make;
        QString reason;
    } cases[] = {
        {"no permission", [&] { return privateFile(::geteuid(), ::getegid()); },
         u"読む権限がありません"_s},
        {"another account's", [&] { return ::geteuid() != 0 || privateFile(65534, 65534); },
         u"読む権限がありません"_s},
        {"a folder", [&] { return QDir().mkdir(times); }, u"同じ名前のフォルダがあります"_s},
        {"a named pipe", [&] { return ::mkfifo(path.constData(), 0600) == 0; },
         u"通常のファイルではありません"_s},
        {"a link to a device", [&] { return QFile::link(u"/dev/zero"_s, times); },
         u"通常のファイルではありません"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(at(u"taro.pcd"_s), kPlayer);
        WriteBytes(timesBak, "kept");
        ASSERT_TRUE(c.make());
        if (!QFileInfo(times).isSymLink() && !QFileInfo(times).exists())
            continue; // no other account to be had
        struct stat before {};
        ::lstat(path.constData(), &before);
        const PlayerOpening opening = OpenPlayer(shared, u"taro"_s);
        ASSERT_EQ(opening.messages.size(), 1);
        EXPECT_EQ(opening.messages[0].text,
                  u"稼働時間などのファイル（taro.times）を読み込めません（"_s + c.reason +
                      u"）。\r\n稼働時間などは表示も集計もされません。保存しても、このファイルは"
                      u"そのまま残します。\r\nファイルを直してから、もう一度このプレーヤーを"
                      u"選んで下さい。"_s);
        // Asked before every save; the records are saved, the times files
        // stay as they were, however often.
        for (int save = 0; save < 3; ++save) {
            const QList<MessageBoxText> questions = SaveQuestions(shared, u"taro"_s);
            ASSERT_EQ(questions.size(), 1);
            EXPECT_EQ(questions[0].text,
                      u"稼働時間などのファイル（taro.times）を読み込めないため（"_s + c.reason +
                          u"）、稼働時間などは保存できません。\r\n成績だけを保存し、taro.times "
                          u"と taro.times.Bak はそのまま残します。\r\n保存しますか？"_s);
            EXPECT_EQ(questions[0].buttons, MsgButtons::OkCancel);
            EXPECT_TRUE(changeAndSave());
        }
        EXPECT_EQ(ReadBytes(at(u"taro.pcd"_s)).count("2001,6,1,"), 3);
        struct stat after {};
        ::lstat(path.constData(), &after);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(ReadBytes(timesBak), "kept");
        EXPECT_FALSE(QFile::exists(dir.file(u"data/backup/taro/2026-12-06.times"_s)));
        if (!QDir().rmdir(times))
            QFile::remove(times);
    }
}

TEST_F(HostilePlaces, ADataFolderThatCannotBeReadIsSaidAtStartAndInTheSelection)
{
    PermissionsBind permissions;
    if (!permissions.ok())
        GTEST_SKIP() << "root is not kept to file permissions here";
    const QByteArray path = QFile::encodeName(data.Path());
    for (const mode_t mode : {0300, 0600}) { // nothing listed; nothing opened
        ASSERT_EQ(::chmod(path.constData(), mode), 0);
        const QString said =
            u"データフォルダ（"_s + data.Path() + u"）を読み込めません（読む権限がありません）。"_s;
        DataFolder prepared;
        QString error;
        EXPECT_FALSE(PrepareDataFolder(data.Path(), prepared, error));
        EXPECT_EQ(error, said);
        platform.messages.clear();
        PSelect select(shared);
        EXPECT_EQ(platform.messages,
                  QList<RecordedMessage>({{said + u"\r\nプレーヤーの一覧を表示できません。"_s,
                                           QString(), MsgButtons::Ok, MsgIcon::Exclamation}}));
    }
    ::chmod(path.constData(), 0700);
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

// Two copies take the locks of the same players in the same order: each
// gets ahead where it wins and falls back where it loses, so they keep
// starting on each player at nearly the same instant.
TEST(TwoCopies, OfTwoStartingAtTheSameInstantExactlyOneOpensThePlayer)
{
    // In memory where there is such a folder: a round then costs no disk.
    QTemporaryDir dir(QFileInfo(u"/dev/shm"_s).isWritable()
                          ? u"/dev/shm/ledra-XXXXXX"_s
                          : QDir::tempPath() + u"/ledra-XXXXXX"_s);
    ASSERT_TRUE(dir.isValid());
    const DataFolder folder(dir.path());
    constexpr int kPlayers = 500;
    for (int batch = 0; batch < 20; ++batch) {
        PlayerFile copies[2][kPlayers];
        PlayerFile::LockState states[2][kPlayers];
        const auto start = [&](int copy) {
            for (int p = 0; p < kPlayers; ++p)
                states[copy][p] =
                    copies[copy][p].Lock(folder, QString::number(batch * kPlayers + p)).state;
        };
        std::thread first(start, 0), second(start, 1);
        first.join();
        second.join();
        for (int p = 0; p < kPlayers; ++p)
            ASSERT_EQ((states[0][p] == PlayerFile::LockState::Taken) +
                          (states[1][p] == PlayerFile::LockState::Taken),
                      1)
                << "player " << batch * kPlayers + p;
    }
}

TEST(SaveLeftovers, GoWhenNoRunningCopyHoldsThePlayerAndNothingElseDoes)
{
    TempDataFolder dir;
    WriteBytes(dir.file(u"taro.pcd"_s), kPlayer);
    FakePlatform elsewhere;
    SharedData other(elsewhere, dir.folder());
    ASSERT_TRUE(OpenPlayer(other, u"taro"_s).opened);
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"backup/taro"_s));
    // What saves cut short leave (earlier versions' names were shorter), and
    // what others make.
    const QStringList ours = {u".taro.pcd.0123456789abc"_s,
                              u".taro.times.zz00000000000"_s,
                              u".taro.Bak.9k2j3h4g5f"_s,
                              u".taro.times.Bak.00000abcdefgh"_s,
                              u"..taro.pcd.lock.1a2b3c4d5e6f7"_s,
                              u"backup/taro/.2026-12-06.pcd.k3j4h5g6f7d8s"_s,
                              u"backup/taro/.2026-12-06.times.0000000000001"_s};
    const QStringList theirs = {
        u".syncthing.taro.pcd.tmp"_s, u".taro.pcd.swp"_s,
        u".taro.pcd.Gh3kQz"_s,        u".taro.pcd.sync-conflict-20261207-120254-ABCDEFG.lock"_s,
        u".jiro.pcd.0123456789abc"_s, u"backup/taro/2026-12-06.pcd"_s};
    for (const QString &name : ours + theirs)
        WriteBytes(dir.file(name), "x");
    const auto remaining = [&] {
        QStringList left;
        for (const QString &name : ours + theirs)
            if (QFile::exists(dir.file(name)))
                left.append(name);
        return left;
    };

    FakePlatform platform;
    SharedData shared(platform, dir.folder());
    EXPECT_FALSE(OpenPlayer(shared, u"taro"_s).opened); // the other copy may be saving
    EXPECT_EQ(remaining(), ours + theirs);
    other.file.Unlock();
    EXPECT_TRUE(OpenPlayer(shared, u"taro"_s).opened);
    EXPECT_EQ(remaining(), theirs);
    EXPECT_TRUE(QFile::exists(dir.file(u".taro.pcd.lock"_s)));
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
