// Saving when the disk is full, the folder is read-only or the player's file
// has become a folder: the previous file and the backup stay byte for byte,
// the person is told, and the data stay marked as modified.

#include "core/file/play_times_file.h"
#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "mounts.h"
#include "save_variants.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "support/test_files.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/main_menu/main_form.h"
#include "ui/master_editors/master_editor.h"
#include "ui/widgets/picture_button.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
const QString kDataFailure = u"データの書き込みに失敗しました"_s;
const QString kListFailure = u"店データの書き込みに失敗しました"_s;
const QString kBackupFailure = u"バックアップファイルの作成に失敗しました"_s;
const char kNoReadOnly[] = "root ignores permissions, and neither a read-only mount nor the "
                           "immutable attribute is available here";
} // namespace

class SaveFaultTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkdir(folder)); }
    QString at(const QString &name) const { return folder + u'/' + name; }

    // Player taro saved twice in folder (so that a backup exists), then changed
    // in memory as the entry window would change it.
    void preparePlayer(int records = 0)
    {
        WriteBytes(at(u"taro.pcd"_s), VariantBytes(0));
        OpenPlayer(shared, u"taro"_s);
        FillVariant(shared, 1);
        ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
        previousFile = ReadBytes(at(u"taro.pcd"_s));
        previousBackup = ReadBytes(at(u"taro.Bak"_s));
        ASSERT_EQ(previousBackup, VariantBytes(0));
        QList<PlayRecord> added;
        for (int i = 0; i < records; ++i)
            added.append({2010, 1, 1, i, 0, 1, 1, u"追加の記録です、長めのコメント"_s});
        added.append({2011, 2, 3, 100, 200, 1, 1, QString()});
        AddRecords(shared, added);
        shared.states.Corrected = true;
    }

    // Makes the data folder read-only (undone by the fixture); false where
    // this machine does not allow it.
    bool makeReadOnly()
    {
        if (geteuid() != 0)
            return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        readOnly = std::make_unique<ReadOnlyFolder>(folder);
        return readOnly->ok();
    }
    void TearDown() override
    {
        readOnly.reset();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Saves through the main window as the person would.
    void saveFromMainWindow()
    {
        platform.messages.clear();
        form->MSave_Click();
    }

    // The person is told, both files stay, no temporary file is left behind.
    void expectNothingLost(const QString &message, bool reasonVaries = false)
    {
        ASSERT_EQ(platform.messages.size(), 1);
        const QString &told = platform.messages[0].text;
        EXPECT_EQ(reasonVaries ? told.left(message.size()) : told, message);
        EXPECT_EQ(ReadBytes(at(u"taro.pcd"_s)), previousFile);
        EXPECT_EQ(ReadBytes(at(u"taro.Bak"_s)), previousBackup);
        EXPECT_TRUE(shared.states.Corrected);
        EXPECT_TRUE(form->MSave->isEnabled());
        QStringList stray = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        for (const QString &mine : {u"taro.pcd"_s, u"taro.Bak"_s, u"taro.times"_s,
                                    u"taro.times.Bak"_s, u"filler"_s, u".taro.pcd.lock"_s})
            stray.removeAll(mine);
        EXPECT_TRUE(stray.isEmpty()) << stray.join(u' ').toStdString();
    }

    TempDataFolder dir;
    QString folder = dir.file(u"disk"_s); // the data folder
    std::optional<TinyDisk> disk;         // unmounted after the player's lock is gone
    std::unique_ptr<ReadOnlyFolder> readOnly;
    FakePlatform platform;
    SharedData shared{platform, DataFolder(folder)};
    std::unique_ptr<MainForm> form = std::make_unique<MainForm>(shared);
    QByteArray previousFile, previousBackup;
};

TEST_F(SaveFaultTest, DiskFullWhileWritingTheNewFileOrTheBackup)
{
    // Without mounting, SaveSequenceTest.AFailedWriteKeepsBothFilesAndNamesTheSection
    // injects the same short writes.
    disk.emplace(folder, 1024 * 1024);
    if (!disk->ok())
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    preparePlayer(2000);
    QByteArray s[4];
    shared.states.SectionBytes(s[0]);
    shared.Stores.SectionBytes(u"<StoreData>"_s, s[1]);
    shared.Machines.SectionBytes(u"<MachineData>"_s, s[2]);
    shared.data.SectionBytes(s[3]);
    const QByteArray newContent = s[0] + s[1] + s[2] + s[3];
    ASSERT_GT(newContent.size(), previousFile.size());

    // Room for neither the new file: the data section cannot be written.
    WriteBytes(at(u"filler"_s), QByteArray(disk->freeBytes() - newContent.size() / 2, 'x'));
    saveFromMainWindow();
    expectNothingLost(kDataFailure + u"\r\ntaro.pcd：ディスクの空き容量が足りません"_s);

    // Room for the new file only: saved, for the backup is the previous file
    // itself; the day's copy is not kept, and the person is told why.
    QFile::remove(at(u"filler"_s));
    WriteBytes(at(u"filler"_s),
               QByteArray(disk->freeBytes() - newContent.size() -
                              PlayTimesBytes(shared.data).size() - previousFile.size() / 2,
                          'x'));
    saveFromMainWindow();
    EXPECT_EQ(platform.messages,
              QList<RecordedMessage>{
                  {u"保存しましたが、backup/taro に日付ごとの控えを残せませんでした（ディスクの"
                   u"空き容量が足りません）。\r\nフォルダに書き込めるか確かめて下さい。"_s}});
    EXPECT_FALSE(shared.states.Corrected);
    EXPECT_EQ(ReadBytes(at(u"taro.pcd"_s)), newContent);
    EXPECT_EQ(ReadBytes(at(u"taro.Bak"_s)), previousFile);
}

TEST_F(SaveFaultTest, ReadOnlyFolder)
{
    preparePlayer();
    if (!makeReadOnly())
        GTEST_SKIP() << kNoReadOnly;
    saveFromMainWindow();
    // The new file cannot even be created: the first section's message, the
    // file and the system's reason (a read-only disk, or no permission).
    expectNothingLost(kListFailure + u"\r\ntaro.pcd："_s, true);
}

TEST_F(SaveFaultTest, AFolderThatCannotBeWrittenOpensThePlayerReadOnly)
{
    WriteBytes(at(u"taro.pcd"_s), VariantBytes(0));
    if (!makeReadOnly())
        GTEST_SKIP() << kNoReadOnly;
    platform.settings[u"ledra3/Start/UserName"_s] = u"taro"_s;
    form->Form_Activate();
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"データフォルダ（"_s + folder +
                                           u"）に書き込めないため、taro を読み取り専用で開きます。"
                                           u"\r\n成績は表示できますが、入力・変更・保存はでき"
                                           u"ません。"_s,
                                       QString(), MsgButtons::Ok, MsgIcon::Exclamation}}));
    EXPECT_EQ(form->windowTitle(), u"るでら３　[Main Menu]　（読み取り専用）"_s);
    shared.states.Corrected = true;
    form->Form_Activate();
    EXPECT_FALSE(form->MSave->isEnabled() || form->FSave->isEnabled() ||
                 form->FCsvImport->isEnabled());
    EXPECT_FALSE(Nyuuryoku(shared).ISave->isEnabled());
    EXPECT_FALSE(MasterEditor(shared, MasterEditor::Kind::DaiAdd)
                     .findChild<QPushButton *>(u"OK"_s)
                     ->isEnabled());
    EXPECT_EQ(SavePlayerFile(shared, u"taro"_s).failure,
              u"taro は読み取り専用で開いているため、保存できません。"_s);

    // A second copy opens it read-only too: neither can save over the other.
    FakePlatform elsewhere;
    SharedData second(elsewhere, DataFolder(folder));
    EXPECT_TRUE(OpenPlayer(second, u"taro"_s).opened);
    EXPECT_TRUE(second.file.ReadOnly());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{u"taro.pcd"_s});
}

TEST_F(SaveFaultTest, PlayerFileReplacedByAFolder)
{
    preparePlayer();
    previousFile.clear(); // a folder reads as nothing
    ASSERT_TRUE(QFile::remove(at(u"taro.pcd"_s)));
    ASSERT_TRUE(QDir(folder).mkdir(u"taro.pcd"_s));
    WriteBytes(at(u"taro.pcd/keep.txt"_s), "kept");

    saveFromMainWindow();
    // A folder is no player file: it is not touched.
    expectNothingLost(u"taro.pcd は通常のファイルではないため、保存できません。"_s);
    EXPECT_TRUE(QFileInfo(at(u"taro.pcd"_s)).isDir());
    EXPECT_EQ(ReadBytes(at(u"taro.pcd/keep.txt"_s)), "kept");

    // The same holds when the backup is the folder.
    ASSERT_TRUE(QDir(at(u"taro.pcd"_s)).removeRecursively());
    WriteBytes(at(u"taro.pcd"_s), VariantBytes(1));
    previousFile = VariantBytes(1);
    previousBackup.clear();
    ASSERT_TRUE(QFile::remove(at(u"taro.Bak"_s)));
    ASSERT_TRUE(QDir(folder).mkdir(u"taro.Bak"_s));
    saveFromMainWindow();
    expectNothingLost(kBackupFailure + u"\r\ntaro.Bak：同じ名前のフォルダがあります"_s);
    EXPECT_TRUE(QFileInfo(at(u"taro.Bak"_s)).isDir());
}
