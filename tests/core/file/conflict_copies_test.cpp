// The sync programs' conflict copies: names recognised, never players, merged
// visit by visit with their times and details, leftovers removed only where
// nothing is lost.

#include "core/file/conflict_merge.h"
#include "core/file/data_folder.h"
#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
const QString kSt = u".sync-conflict-20261207-120254-D7PSPKT"_s;

// A player saved by the program in a folder of its own ("the other computer"),
// its files then copied into dir under the names a sync program gives them.
void placeCopy(const QString &dir, const QString &pcdName, const QString &timesName,
               const QList<MasterEntry> &stores, const QList<MasterEntry> &machines,
               const QList<PlayRecord> &records)
{
    TempDataFolder other;
    WriteBytes(other.file(u"taro.pcd"_s), Cp932Lines(u"<States>\n\n<StoreData>\n\n"
                                                     u"<MachineData>\n\n<Data>\n\n"_s));
    FakePlatform platform;
    SharedData s(platform, other.folder());
    ASSERT_TRUE(OpenPlayer(s, u"taro"_s).opened);
    ASSERT_TRUE(ChangePlayerData(s, DataChange{records, stores, machines}));
    ASSERT_TRUE(SavePlayerFile(s, u"taro"_s));
    WriteBytes(dir + u'/' + pcdName, ReadBytes(other.file(u"taro.pcd"_s)));
    if (!timesName.isEmpty())
        WriteBytes(dir + u'/' + timesName, ReadBytes(other.file(u"taro.times"_s)));
}

PlayRecord visit(int day, qint32 toushi, qint16 store, qint16 machine, const QString &comment = {},
                 qint16 start = kNoTime, qint16 end = kNoTime)
{
    return {2026, 12, qint16(day), toushi, 5000, store, machine, comment, start, end};
}
} // namespace

TEST(ConflictCopies, EachSyncProgramsNamesAreRecognisedAndNoCopyIsAPlayer)
{
    const struct {
        QString name, original, computer, when;
        SyncProgram program;
    } copies[] = {
        {u"taro"_s + kSt + u".pcd"_s, u"taro.pcd"_s, u"D7PSPKT"_s, u"2026-12-07 12:02:54"_s,
         SyncProgram::Syncthing},
        {u".taro.pcd"_s + kSt + u".lock"_s, u".taro.pcd.lock"_s, u"D7PSPKT"_s,
         u"2026-12-07 12:02:54"_s, SyncProgram::Syncthing},
        {u"2026-12-07"_s + kSt + u".pcd"_s, u"2026-12-07.pcd"_s, u"D7PSPKT"_s,
         u"2026-12-07 12:02:54"_s, SyncProgram::Syncthing},
        {u"taro (NOTE-PC's conflicted copy 2026-12-07).pcd"_s, u"taro.pcd"_s, u"NOTE-PC"_s,
         u"2026-12-07 00:00:00"_s, SyncProgram::Dropbox},
        {u"taro (1) (NOTE-PC's Conflicted Copy 2026-12-07 (2)).times"_s, u"taro (1).times"_s,
         u"NOTE-PC"_s, u"2026-12-07 00:00:00"_s, SyncProgram::Dropbox},
        {u"taro (NOTE-PC の競合コピー 2026-12-07).pcd"_s, u"taro.pcd"_s, u"NOTE-PC"_s,
         u"2026-12-07 00:00:00"_s, SyncProgram::Dropbox},
        {u"taro (conflicted copy 2026-12-07 120254).pcd"_s, u"taro.pcd"_s, QString(),
         u"2026-12-07 12:02:54"_s, SyncProgram::Nextcloud},
        {u"taro (conflicted copy hanako 2026-12-07 120254).times"_s, u"taro.times"_s, u"hanako"_s,
         u"2026-12-07 12:02:54"_s, SyncProgram::Nextcloud},
    };
    TempDataFolder dir;
    WriteBytes(dir.file(u"taro.pcd"_s), "");
    for (const auto &c : copies) {
        SCOPED_TRACE(c.name.toStdString());
        const std::optional<ConflictName> n = ReadConflictName(c.name);
        ASSERT_TRUE(n.has_value());
        EXPECT_EQ(n->original, c.original);
        EXPECT_EQ(n->computer, c.computer);
        EXPECT_EQ(n->when.toString(u"yyyy-MM-dd HH:mm:ss"_s), c.when);
        EXPECT_EQ(n->program, c.program);
        WriteBytes(dir.file(c.name), "");
    }
    // Names a person could give stay players: Google Drive's, OneDrive's, a
    // marker with no real date.
    for (const QString &name : {u"taro (1).pcd"_s, u"taro-NOTE-PC.pcd"_s,
                                u"taro.sync-conflict-20261399-120254-D7PSPKT.pcd"_s}) {
        EXPECT_FALSE(ReadConflictName(name).has_value()) << name.toStdString();
        WriteBytes(dir.file(name), "");
    }
    QStringList players = dir.folder().PlayerFileNames();
    players.sort();
    EXPECT_EQ(players, (QStringList{u"taro (1).pcd"_s, u"taro-NOTE-PC.pcd"_s, u"taro.pcd"_s,
                                    u"taro.sync-conflict-20261399-120254-D7PSPKT.pcd"_s}));
}

TEST(ConflictCopies, CopiesOfOneSyncArePairedAndThoseMovedAfterMergingAreNotFoundAgain)
{
    TempDataFolder dir;
    QDir().mkpath(dir.file(u"backup/taro"_s));
    for (const QString &name :
         {u"taro.sync-conflict-20261207-120254-D7PSPKT.pcd"_s,
          u"taro.sync-conflict-20261207-120255-D7PSPKT.times"_s, // a second later
          u"taro.sync-conflict-20261208-090000-ABCDEFG.times"_s, // only the times conflicted
          u"jiro.sync-conflict-20261207-120254-D7PSPKT.pcd"_s,
          u"backup/taro/2026-12-07.sync-conflict-20261207-120256-D7PSPKT.pcd"_s,
          u"backup/taro/taro.sync-conflict-20261101-100000-D7PSPKT.pcd"_s}) // merged earlier
        WriteBytes(dir.file(name), "");
    const QList<ConflictCopy> found = FindConflictCopies(dir.folder(), u"taro"_s);
    ASSERT_EQ(found.size(), 3);
    EXPECT_EQ(found[0].Files(),
              (QStringList{dir.file(u"taro.sync-conflict-20261207-120254-D7PSPKT.pcd"_s),
                           dir.file(u"taro.sync-conflict-20261207-120255-D7PSPKT.times"_s)}));
    EXPECT_EQ(found[0].basePath, dir.file(u"taro.pcd"_s));
    EXPECT_TRUE(found[1].dated);
    EXPECT_EQ(found[1].basePath, dir.file(u"backup/taro/2026-12-07.pcd"_s));
    EXPECT_TRUE(found[2].path.isEmpty());
    EXPECT_EQ(found[2].basePath, dir.file(u"taro.pcd"_s));

    // Moving never replaces a file of the same name with other content.
    QString failure;
    EXPECT_TRUE(MoveIntoBackup(dir.folder(), u"taro"_s, found[0].Files(), failure));
    EXPECT_TRUE(QFile::exists(dir.file(u"backup/taro/taro"_s + kSt + u".pcd"_s)));
    WriteBytes(dir.file(u"taro"_s + kSt + u".pcd"_s), "other");
    EXPECT_FALSE(
        MoveIntoBackup(dir.folder(), u"taro"_s, {dir.file(u"taro"_s + kSt + u".pcd"_s)}, failure));
    EXPECT_EQ(ReadBytes(dir.file(u"taro"_s + kSt + u".pcd"_s)), "other");
    EXPECT_EQ(FindConflictCopies(dir.folder(), u"taro"_s).size(), 3);
}

TEST(ConflictMerge, AddsWhatThePlayerLacksWithDetailsMatchingNamesAndCounts)
{
    TempDataFolder dir;
    WriteBytes(dir.file(u"taro.pcd"_s), Cp932Lines(u"<States>\n\n<StoreData>\n\n"
                                                   u"<MachineData>\n\n<Data>\n\n"_s));
    FakePlatform platform;
    SharedData shared(platform, dir.folder());
    ASSERT_TRUE(OpenPlayer(shared, u"taro"_s).opened);
    // Here: store 7 is 新台館; there, ID 7 went to another new store.
    SetStores(shared, {{1, u"駅前"_s}, {7, u"新台館"_s}});
    SetMachines(shared, {{1, u"海物語"_s}});
    // The 1st visit has a jackpot count here; the copy has it with others,
    // times and tags, which it takes, and another count, which it does not.
    PlayRecord mine = visit(1, 1000, 1, 1), theirs = visit(1, 1000, 1, 3, {}, 600, 720);
    mine.jackpots = 3;
    theirs.jackpots = 5;
    theirs.spins = 420;
    theirs.tags = {u"イベント日"_s};
    PlayRecord fresh = visit(4, 4000, 7, 5, {}, 1320, 90);
    fresh.rate = {PlayRate::Kind::Slot, 500};
    ASSERT_TRUE(SetRecords(
        shared, {mine, visit(2, 2000, 1, 1), visit(2, 2000, 1, 1), visit(3, 3000, 7, 1, u"夜"_s)}));
    placeCopy(dir.path(), u"taro"_s + kSt + u".pcd"_s, u"taro"_s + kSt + u".times"_s,
              {{1, u"駅前"_s}, {7, u"北口ホール"_s}}, {{3, u"海物語"_s}, {5, u"新機種"_s}},
              {theirs, visit(2, 2000, 1, 3), visit(2, 2000, 1, 3), // the same two
               visit(2, 2000, 1, 3),                               // and a third
               visit(3, 3000, 7, 3, u"夜"_s),                      // another store, same ID
               visit(3, 3000, 1, 3, u"朝"_s, 540, 600),            // another comment
               fresh});                                            // new store and machine
    const QList<ConflictCopy> copies = FindConflictCopies(dir.folder(), u"taro"_s);
    ASSERT_EQ(copies.size(), 1);
    const ConflictMerge merge = PreviewConflictMerge(shared, copies);
    const CopyMerge &c = merge.copies[0];
    EXPECT_EQ(c.added.Present, 3);
    EXPECT_EQ(c.detailsTaken, 1);
    EXPECT_EQ(c.unread, 0);
    // 北口ホール gets a free ID (8); 新機種 keeps its own (5), free here.
    ASSERT_EQ(c.added.NewStores.size(), 1);
    EXPECT_EQ(c.added.NewStores[0].ID, 8);
    EXPECT_EQ(c.added.NewStores[0].Name, u"北口ホール"_s);
    ASSERT_EQ(c.added.NewMachines.size(), 1);
    EXPECT_EQ(c.added.NewMachines[0].ID, 5);
    QList<PlayRecord> added;
    for (const CsvExchange::ImportRow &row : c.added.NewRows)
        added.append(row.Record);
    fresh.DSId = 8;
    EXPECT_EQ(added, (QList<PlayRecord>{visit(2, 2000, 1, 1), visit(3, 3000, 8, 1, u"夜"_s),
                                        visit(3, 3000, 1, 1, u"朝"_s, 540, 600), fresh}));
    EXPECT_EQ(c.added.NewNameRowCount, 2);

    // Applied through the one routine that changes records; nothing of the
    // player is gone, the copy stays where it was.
    shared.states.Corrected = false;
    ASSERT_TRUE(ApplyConflictMerge(shared, merge));
    EXPECT_TRUE(shared.states.Corrected);
    EXPECT_EQ(shared.data.ListCount(), 8);
    theirs.DMId = 1;
    theirs.jackpots = 3;
    EXPECT_EQ(shared.data.Record(1), theirs);
    EXPECT_EQ(shared.Stores.SeekName(8), u"北口ホール"_s);
    EXPECT_EQ(shared.Stores.SeekName(7), u"新台館"_s);
    EXPECT_TRUE(QFile::exists(copies[0].path));
    // Saved and merged again: nothing more to add.
    ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    EXPECT_FALSE(PreviewConflictMerge(shared, copies).HasNews());
}

TEST(ConflictCopies, LeftoversGoOnlyWhereNothingIsLost)
{
    TempDataFolder dir;
    const QString backup = dir.file(u"backup/taro/"_s);
    QDir().mkpath(backup);
    const QDate first(2026, 10, 1);
    for (int d = 0; d < 31; ++d)
        WriteBytes(backup + first.addDays(d).toString(u"yyyy-MM-dd"_s) + u".pcd"_s, "x");
    // The 30 days kept begin on 10-02: copies of 10-01 go once offered.
    const QString old = backup + u"2026-10-01"_s + kSt + u".pcd"_s;
    const QString oldUnoffered = backup + u"2026-10-01.sync-conflict-20261001-090000-ABCDEFG.pcd"_s;
    const QString kept = backup + u"2026-10-02"_s + kSt + u".pcd"_s;
    const QString merged = backup + u"taro.sync-conflict-20260901-100000-D7PSPKT.pcd"_s;
    for (const QString &f : {old, oldUnoffered, kept, merged})
        WriteBytes(f, "x");
    PruneDatedConflictCopies(dir.folder(), u"taro"_s, {old, kept});
    EXPECT_FALSE(QFile::exists(old));
    for (const QString &f : {oldUnoffered, kept, merged})
        EXPECT_TRUE(QFile::exists(f)) << f.toStdString();

    // Copies of the lock go when old enough and held by nobody; the sync
    // program's own temporary files stay.
    const QString lockCopy = dir.file(u".taro.pcd"_s + kSt + u".lock"_s);
    const QString fresh = dir.file(u".taro.pcd.sync-conflict-20261207-120255-D7PSPKT.lock"_s);
    const QString temp = dir.file(u".syncthing.taro.pcd.tmp"_s);
    for (const QString &f : {lockCopy, fresh, temp})
        WriteBytes(f, "1\nledra3\nother-pc\n");
    QFile aged(lockCopy);
    ASSERT_TRUE(aged.open(QIODevice::ReadWrite));
    aged.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
    aged.close();
    RemoveLockConflictCopies(dir.folder(), u"taro"_s);
    EXPECT_FALSE(QFile::exists(lockCopy));
    EXPECT_TRUE(QFile::exists(fresh));
    EXPECT_TRUE(QFile::exists(temp));
}
