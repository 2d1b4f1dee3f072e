// The user data file read and written back byte for byte.

#include "core/file/cp932.h"
#include "core/file/save_sequence.h"
#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "support/test_files.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
// Commas, negative amounts and IDs, half-width kana, NEC and IBM characters,
// and names and comments spelled like the section markers (once taken for them).
const QString kExample = u"<States>\n\"Sound\",1\n\"WakeKin\",-500\n\n"
                         u"<StoreData>\n3,\"ﾊﾟﾁﾝｺ,屋\"\n-7,\"㈱①～\\\"\n2,\"<Data>\"\n\n"
                         u"<MachineData>\n1,\"<States>\"\n\n"
                         u"<Data>\n2001,5,3,-10000,-1,3,-7,\"a,b,c ﾊﾟﾁﾝｺ ～① ㈱\"\n"
                         u"2001,5,6,20000,4000,2,1,\"<StoreData>\"\n\n"_s;

// Opens player in and saves its data as player out, who has no file yet.
QByteArray roundTrip(SharedData &s, const QString &in, const QString &out)
{
    OpenPlayer(s, in);
    EXPECT_TRUE(SavePlayerFile(s, out));
    EXPECT_FALSE(QFile::exists(s.folder.BackupFile(out))); // nothing to back up
    return ReadBytes(s.folder.PlayerFile(out));
}
} // namespace

class UserDataFileTest : public ::testing::Test {
protected:
    TempDataFolder dir;
    FakePlatform platform;
    SharedData shared{platform, dir.folder()};
};

TEST_F(UserDataFileTest, SavedFileReadsAndWritesBackByteForByte)
{
    const QByteArray bytes = Cp932Lines(kExample);
    ASSERT_TRUE(bytes.contains(QByteArray("\x81\x60", 2))); // ～ is 0x8160
    WriteBytes(dir.file(u"in.pcd"_s), bytes);
    EXPECT_EQ(roundTrip(shared, u"in"_s, u"out"_s), bytes);
    EXPECT_TRUE(shared.states.Sound);
    EXPECT_EQ(shared.states.WakeKin, -500);
    EXPECT_EQ(shared.Stores.SeekName(3), u"ﾊﾟﾁﾝｺ,屋"_s);
    EXPECT_EQ(shared.Stores.SeekName(-7), u"㈱①～\\"_s);
    ASSERT_EQ(shared.data.ListCount(), 2);
    EXPECT_EQ(shared.data.Record(1),
              (PlayRecord{2001, 5, 3, -10000, -1, 3, -7, u"a,b,c ﾊﾟﾁﾝｺ ～① ㈱"_s}));
    EXPECT_EQ(shared.Stores.SeekName(2), u"<Data>"_s);
    EXPECT_EQ(shared.Machines.SeekName(1), u"<States>"_s);
    EXPECT_EQ(shared.data.Record(2).DComment, u"<StoreData>"_s);
    EXPECT_TRUE(platform.messages.isEmpty());
}

// The file read on a second thread while the program starts is taken only
// for its own player, and only while the file is as it was read.
TEST_F(UserDataFileTest, AFileReadAheadIsTakenOnlyWhileItIsUnchanged)
{
    const QByteArray bytes = Cp932Lines(kExample);
    WriteBytes(dir.file(u"in.pcd"_s), bytes);
    ReadPlayerAhead(shared, u"in"_s);
    EXPECT_EQ(roundTrip(shared, u"in"_s, u"out"_s), bytes);
    EXPECT_FALSE(shared.readAhead.valid()); // taken

    QString changed = kExample;
    changed.chop(1);
    changed += u"2003,1,1,5,0,0,0,\"\"\n\n"_s;
    ReadPlayerAhead(shared, u"in"_s);
    shared.readAhead.wait();
    WriteBytes(dir.file(u"in.pcd"_s), Cp932Lines(changed));
    OpenPlayer(shared, u"in"_s);
    ASSERT_EQ(shared.data.ListCount(), 3);
    EXPECT_EQ(shared.data.Record(3).DYear, 2003);
    // So is the times file beside it.
    ReadPlayerAhead(shared, u"in"_s);
    shared.readAhead.wait();
    WriteBytes(dir.file(u"in.times"_s),
               "ledra3 play times 1\r\n2003,1,1,5,0,0,0,1,1,10:00,11:00,\r\n");
    OpenPlayer(shared, u"in"_s);
    EXPECT_EQ(shared.data.Record(3).startMinute, 600);

    ReadPlayerAhead(shared, u"out"_s);
    OpenPlayer(shared, u"in"_s);
    EXPECT_EQ(shared.data.ListCount(), 3);
    EXPECT_FALSE(shared.readAhead.valid());
    EXPECT_EQ(shared.Stores.SeekName(3), u"ﾊﾟﾁﾝｺ,屋"_s);
}

TEST_F(UserDataFileTest, NewPlayerFileReadsAsSoundOnThresholdZeroAndEmptyLists)
{
    // Its bytes: PSelectTest.NewPlayerGetsNewPlayerFile.
    QByteArray bytes;
    ASSERT_TRUE(EncodeCp932(UserDataFile::NewPlayerFileText(), bytes));
    WriteBytes(dir.file(u"new.pcd"_s), bytes);
    shared.states.WakeKin = 3000;
    AddRecord(shared, 2001, 1, 1, 1, 2, 3, 4, u"x"_s);
    // Its settings run on into the next section: nothing is "unread".
    EXPECT_TRUE(OpenPlayer(shared, u"new"_s).messages.isEmpty());
    EXPECT_TRUE(shared.states.Sound);
    EXPECT_EQ(shared.states.WakeKin, 0);
    EXPECT_EQ(shared.data.ListCount(), 0);
    EXPECT_EQ(shared.states.UserName, u"new"_s);
}

TEST_F(UserDataFileTest, EmptyPlayerIsFourMarkersEachWithABlankLine)
{
    shared.states.Sound = true;
    shared.states.WakeKin = 3000;
    // Reading a missing file leaves all empty and the settings as they were.
    EXPECT_EQ(roundTrip(shared, u"missing"_s, u"empty"_s),
              QByteArray("<States>\r\n\"Sound\",1\r\n\"WakeKin\",3000\r\n\r\n<StoreData>\r\n\r\n"
                         "<MachineData>\r\n\r\n<Data>\r\n\r\n"));
}

TEST_F(UserDataFileTest, RecordLinesWithFewerThanEightItemsTakeTheRestFromTheNextLine)
{
    WriteBytes(dir.file(u"p.pcd"_s),
               Cp932Lines(u"<Data>\n2001,5,3,10000\n15000,1,1,\"c\"\n2002,1,2,3,4,5,6,\"\"\n\n"_s));
    OpenPlayer(shared, u"p"_s);
    ASSERT_EQ(shared.data.ListCount(), 2);
    EXPECT_EQ(shared.data.Record(1), (PlayRecord{2001, 5, 3, 10000, 15000, 1, 1, u"c"_s}));
    EXPECT_EQ(shared.data.Record(2).DMId, 6);
}

TEST_F(UserDataFileTest, ReadersNeverFail)
{
    // A missing file: EmptyPlayerIsFourMarkersEachWithABlankLine.
    // "Sound",2 is off; a missing WakeKin keeps the previous threshold; a store
    // ID 0 ends the list; no <Data> marker gives an empty table.
    shared.states.Sound = true;
    shared.states.WakeKin = 500;
    WriteBytes(dir.file(u"odd.pcd"_s), Cp932Lines(u"<States>\n\"Sound\",2\n\n<StoreData>\n1,\"A\"\n"
                                                  u"0,\"Z\"\n2,\"B\"\n\n<MachineData>\n"_s));
    OpenPlayer(shared, u"odd"_s);
    EXPECT_FALSE(shared.states.Sound);
    EXPECT_EQ(shared.states.WakeKin, 500);
    EXPECT_EQ(shared.Stores.Count(), 1);
    EXPECT_EQ(shared.Machines.Count(), 0);
    EXPECT_EQ(shared.data.ListCount(), 0);

    // Stray bytes decode to substitutes and do not swallow separators.
    QByteArray stray = Cp932Lines(u"<StoreData>\n1,\"A"_s);
    stray += QByteArray("\x81\x7f\xff\x80", 4);
    stray += Cp932Lines(u"\"\n2,\"B\"\n\n<Data>\n2001,1,1,1,2,1,2,\""_s);
    stray += QByteArray("\x82", 1);
    stray += Cp932Lines(u"\"\n\n"_s);
    WriteBytes(dir.file(u"stray.pcd"_s), stray);
    OpenPlayer(shared, u"stray"_s);
    EXPECT_EQ(shared.Stores.Count(), 2);
    EXPECT_EQ(shared.Stores.SeekName(2), u"B"_s);
    EXPECT_EQ(shared.data.ListCount(), 1);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(UserDataFileTest, TextTheFileCannotCarryIsAFailedWrite)
{
    AddRecord(shared, 2001, 1, 1, 1, 2, 0, 0, u"emoji 😀"_s);
    QByteArray bytes;
    EXPECT_FALSE(shared.data.SectionBytes(bytes));
    // A quote in a name: SaveSequenceTest.AFailedWriteKeepsBothFilesAndNamesTheSection.
}

TEST_F(UserDataFileTest, InputMethodFormsAreStoredAsTheirCodePageTwins)
{
    AddRecord(shared, 2001, 1, 1, 1, 2, 0, 0, u"1〜2 −3 ¥4"_s); // ¥: the yen key, 0x5C
    ASSERT_TRUE(SavePlayerFile(shared, u"y"_s));
    OpenPlayer(shared, u"y"_s);
    EXPECT_EQ(shared.data.Record(1).DComment, u"1～2 －3 \\4"_s);
}
