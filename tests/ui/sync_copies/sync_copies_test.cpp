// Two computers sharing the data folder through a sync program: a conflict
// copy offered at opening, merged, and moved away by the save that holds its
// visits; a file saved on the other computer while this one had the player
// open, merged or kept before this save.

#include "../main_menu/main_form_fixture.h"
#include "core/file/save_sequence.h"
#include "ui/player_select/player_select.h"
#include "ui/sync_copies/merge_dialog.h"
#include "ui/widgets/data_grid.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>

namespace {
const QString kCopy = u"taro.sync-conflict-20261207-120254-D7PSPKT"_s;

// The other computer: taro as saved there (TaroFile and these records), its
// files written into dir under the given stem. Written a minute into the
// future, as a sync program sets another computer's time.
void saveElsewhere(const TempDataFolder &dir, const QString &stem, const QList<PlayRecord> &added)
{
    TempDataFolder other;
    WriteBytes(other.file(u"taro.pcd"_s), TaroFile());
    FakePlatform platform;
    SharedData s(platform, other.folder());
    ASSERT_TRUE(OpenPlayer(s, u"taro"_s).opened);
    ASSERT_TRUE(AddRecords(s, added));
    ASSERT_TRUE(SavePlayerFile(s, u"taro"_s));
    for (const QString &ext : {u".pcd"_s, u".times"_s}) {
        WriteBytes(dir.file(stem + ext), ReadBytes(other.file(u"taro"_s + ext)));
        QFile file(dir.file(stem + ext));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                         QFileDevice::FileModificationTime);
    }
}

// Their visit, with times and every detail.
PlayRecord theirs()
{
    PlayRecord r{2001, 6, 2, 5000, 9000, 1, 1, u"向こう"_s, 600, 720};
    r.rate = {PlayRate::Kind::Pachinko, 100};
    r.spins = 350;
    r.jackpots = 2;
    r.tags = {u"イベント日"_s, u"新台"_s};
    return r;
}
const PlayRecord kTheirs = theirs();

class SyncCopiesTest : public MainFormTest {
protected:
    void SetUp() override
    {
        // Choice boxes are answered with the captions given, in order; previews
        // with previewAnswer. What they showed is kept.
        platform.onModal = [this](QObject &w) -> int {
            if (auto *box = qobject_cast<QMessageBox *>(&w)) {
                choices.append(box->text());
                const QString caption = press.isEmpty() ? QString() : press.takeFirst();
                for (QAbstractButton *b : box->buttons())
                    if (b->text() == caption)
                        b->click();
                return 0;
            }
            if (auto *preview = qobject_cast<MergePreviewDialog *>(&w)) {
                for (int r = 1; r < preview->MGrid->Rows(); ++r) {
                    QStringList cells;
                    for (int c = 0; c < preview->MGrid->Cols(); ++c)
                        cells.append(preview->MGrid->TextMatrix(r, c));
                    previewRows.append(cells.join(u'|'));
                }
                return previewAnswer;
            }
            return 0;
        };
    }

    void reopen()
    {
        shared.file.Unlock();
        choices.clear();
        ASSERT_TRUE(OpenPlayerAndTell(shared, u"taro"_s));
    }

    QStringList press;
    QStringList choices;
    QStringList previewRows;
    int previewAnswer = QDialog::Accepted;
};
} // namespace

TEST_F(SyncCopiesTest, ACopyIsOfferedAtOpeningMergedAndMovedOnlyByTheSaveThatHoldsIt)
{
    WriteBytes(dir.file(u"taro.pcd"_s), TaroFile());
    saveElsewhere(dir, kCopy, {kTheirs});
    // 後で: nothing changes, and the offer comes again.
    press = {u"後で"_s};
    startWithTaro();
    ASSERT_EQ(choices.size(), 1);
    EXPECT_EQ(choices[0],
              u"taro には、別のパソコンで保存された成績の競合コピーがあります。\n同期ソフトが、"
              u"両方で保存されたファイルの片方を別の名前で残したものです。\n\n"
              u"・taro.sync-conflict-20261207-120254-D7PSPKT.pcd\n"
              u"　2026/12/07 12:02:54、Syncthing（機器ID D7PSPKT）\n"
              u"　このプレーヤーにない成績 1件\n\n"
              u"「取り込む」：内容を確かめてから、ない成績をこのプレーヤーに加えます。"
              u"今の成績は何も消しません。\n"
              u"「後で」：今は何もしません。次に開いたときに、もう一度お知らせします。"_s);
    EXPECT_FALSE(shared.states.Corrected);
    EXPECT_EQ(shared.data.ListCount(), 4);

    // 取り込む: the preview shows the visit with its times and details;
    // merged into the data, the copy stays until a save holds it.
    press = {u"取り込む"_s};
    reopen();
    EXPECT_EQ(previewRows, QStringList{u"2001/06/02|5,000|9,000|駅前店|海物語|向こう|10:00|12:00|"
                                       u"1円パチンコ|350|2|イベント日、新台"_s});
    EXPECT_TRUE(shared.states.Corrected);
    EXPECT_EQ(shared.data.Record(5), kTheirs);
    EXPECT_TRUE(QFile::exists(dir.file(kCopy + u".pcd"_s)));
    // Ended without saving: the copy is offered again.
    press = {u"後で"_s};
    reopen();
    EXPECT_EQ(choices.size(), 1);

    press = {u"取り込む"_s};
    reopen();
    form.MSave_Click();
    EXPECT_FALSE(shared.states.Corrected);
    for (const QString &ext : {u".pcd"_s, u".times"_s}) {
        EXPECT_FALSE(QFile::exists(dir.file(kCopy + ext)));
        EXPECT_TRUE(QFile::exists(dir.file(u"backup/taro/"_s + kCopy + ext)));
    }
    reopen();
    EXPECT_TRUE(choices.isEmpty());
    EXPECT_EQ(shared.data.Record(5), kTheirs);

    // A times file that cannot be read is left as it was by the save: the
    // times a copy brings are then in no file of the player, so it stays.
    const QString later = u"taro.sync-conflict-20261208-090000-D7PSPKT"_s;
    saveElsewhere(dir, later, {kTheirs, {2001, 6, 9, 100, 0, 1, 1, u""_s, 660, 700}});
    QFile::remove(dir.file(u"taro.times"_s));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"taro.times"_s));
    press = {u"取り込む"_s};
    reopen();
    ASSERT_EQ(shared.data.ListCount(), 6);
    form.MSave_Click();
    EXPECT_FALSE(shared.states.Corrected);
    EXPECT_TRUE(QFile::exists(dir.file(later + u".times"_s)));
}

TEST_F(SyncCopiesTest, AFileSavedElsewhereMeanwhileIsMergedOrKeptBeforeThisSave)
{
    startWithTaro();
    const QString pcd = dir.file(u"taro.pcd"_s);
    // Taken over from the other computer, both save: theirs first.
    modify();
    saveElsewhere(dir, u"taro"_s, {kTheirs});
    press = {u"取り込んでから保存"_s};
    form.MSave_Click();
    ASSERT_EQ(choices.size(), 1);
    EXPECT_TRUE(choices[0].startsWith(u"このプレーヤーのファイル（taro.pcd）は、読み込んだ後に、"
                                      u"ほかのパソコンかほかのプログラムで保存されています。"_s));
    EXPECT_EQ(previewRows.size(), 1);
    EXPECT_FALSE(shared.states.Corrected);
    ASSERT_TRUE(OpenPlayer(shared, u"taro"_s).opened); // read back
    ASSERT_EQ(shared.data.ListCount(), 6);             // both sides' visits, their times too
    EXPECT_EQ(shared.data.Record(6), kTheirs);

    // A preview cancelled, or キャンセル: nothing saved.
    choices.clear();
    modify();
    saveElsewhere(dir, u"taro"_s, {{2001, 6, 3, 100, 0, 1, 1, u""_s}});
    const QByteArray theirs = ReadBytes(pcd);
    previewAnswer = QDialog::Rejected;
    press = {u"取り込んでから保存"_s, u"キャンセル"_s};
    form.MSave_Click();
    form.MSave_Click();
    EXPECT_EQ(ReadBytes(pcd), theirs);
    EXPECT_TRUE(shared.states.Corrected);

    // 上書き: their file is kept under a name no save replaces.
    press = {u"上書き"_s};
    form.MSave_Click();
    EXPECT_FALSE(shared.states.Corrected);
    const QStringList kept =
        QDir(dir.file(u"backup/taro"_s)).entryList({u"taro 上書き前 *.pcd"_s}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(ReadBytes(dir.file(u"backup/taro/"_s + kept[0])), theirs);
    EXPECT_NE(ReadBytes(pcd), theirs);
    choices.clear();
    modify();
    form.MSave_Click(); // no question now; the kept copy stays as it was
    EXPECT_TRUE(choices.isEmpty());
    EXPECT_EQ(ReadBytes(dir.file(u"backup/taro/"_s + kept[0])), theirs);
}
