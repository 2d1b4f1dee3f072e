#include "core/file/data_import.h"

#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <tuple>

using namespace Qt::StringLiterals;

using SlotOutcome = ImportedSlot::Outcome;
using End = ImportFindings::End;

class DataImportTest : public ::testing::Test {
protected:
    TempDataFolder dir;
    QString oldFolder = dir.path() + u"/old ver2"_s;

    void SetUp() override { ASSERT_TRUE(QDir(dir.path()).mkpath(oldFolder)); }

    void writeOld(const QString &names, const QString &records)
    {
        if (!names.isNull())
            WriteBytes(oldFolder + u"/Name.Dat"_s, Cp932Lines(names));
        if (!records.isNull())
            WriteBytes(oldFolder + u"/Data.Dat"_s, Cp932Lines(records));
    }
    // The slots the conversion reports.
    using Slot = std::tuple<int, QString, SlotOutcome>;
    static QList<Slot> reported(const ImportFindings &f)
    {
        QList<Slot> out;
        for (const ImportedSlot &s : f.players)
            out.append({s.slot, s.name, s.outcome});
        return out;
    }
    QStringList playerFiles() const { return dir.folder().PlayerFileNames(); }
};

namespace {
const QString kHeader =
    u"<States>\n\"Sound\",1\n\"WakeKin\",0\n<StoreData>\n\n<MachineData>\n\n<Data>\n"_s;
} // namespace

TEST_F(DataImportTest, ConvertsEachPlayerWithRecordsInTheirOrder)
{
    writeOld(u"1,\"太郎\"\n2,\"花子\"\n3,\"\"\n4,\"三郎\"\n5,\"\"\n"_s,
             u"1,2000,12,24,30000,41000\n2,2001,1,2,5000,0\n"
             u"1,2001,1,3,-100,20\n2,2001,1,5,1000,1000\n\n"_s);
    QString windowsStyle = oldFolder; // no final separator, "\" between folders
    windowsStyle.replace(u'/', u'\\');
    const ImportFindings f = ImportOldData(dir.folder(), windowsStyle);
    EXPECT_EQ(f.end, End::Finished);
    // Empty slots make no file and are not reported.
    EXPECT_EQ(reported(f), (QList<Slot>{{1, u"太郎"_s, SlotOutcome::Converted},
                                        {2, u"花子"_s, SlotOutcome::Converted},
                                        {4, u"三郎"_s, SlotOutcome::Converted}}));
    EXPECT_EQ(ReadBytes(dir.file(u"太郎.pcd"_s)),
              Cp932Lines(kHeader + u"2000,12,24,30000,41000,0,0,\"\"\n"
                                   u"2001,1,3,-100,20,0,0,\"\"\n\n"_s));
    EXPECT_EQ(ReadBytes(dir.file(u"花子.pcd"_s)),
              Cp932Lines(kHeader + u"2001,1,2,5000,0,0,0,\"\"\n"
                                   u"2001,1,5,1000,1000,0,0,\"\"\n\n"_s));
    EXPECT_EQ(ReadBytes(dir.file(u"三郎.pcd"_s)), Cp932Lines(kHeader + u"\n"_s)); // no records
    FakePlatform platform;
    SharedData shared(platform, dir.folder());
    EXPECT_TRUE(OpenPlayer(shared, u"太郎"_s).messages.isEmpty()); // opens whole
    EXPECT_EQ(shared.data.ListCount(), 2);
}

TEST_F(DataImportTest, AnUnusableNameOrAnUnwritableFileSkipsOnlyItsSlot)
{
    // "../b" would leave the folder, ":c" names Qt's resources, "d.e" would be
    // listed as "d"; a folder in the place of "f.pcd" takes no file.
    writeOld(u"1,\"a\"\n2,\"../b\"\n3,\":c\"\n4,\"d.e\"\n5,\"f\"\n"_s,
             u"1,2001,1,1,1,1\n5,2001,1,5,5,5\n"_s);
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"f.pcd"_s));
    const ImportFindings f = ImportOldData(dir.folder(), oldFolder);
    EXPECT_EQ(f.end, End::Finished);
    EXPECT_EQ(reported(f), (QList<Slot>{{1, u"a"_s, SlotOutcome::Converted},
                                        {2, u"../b"_s, SlotOutcome::UnusableName},
                                        {3, u":c"_s, SlotOutcome::UnusableName},
                                        {4, u"d.e"_s, SlotOutcome::UnusableName},
                                        {5, u"f"_s, SlotOutcome::NotWritten}}));
    EXPECT_EQ(playerFiles(), QStringList{u"a.pcd"_s});
    EXPECT_FALSE(QFile::exists(dir.path() + u"/../b.pcd"_s));
    EXPECT_TRUE(QDir(dir.file(u"f.pcd"_s)).isEmpty());

    // A value too large for its field stops the conversion: no half file.
    QFile::remove(dir.file(u"a.pcd"_s));
    writeOld(u"1,\"太郎\"\n2,\"花子\"\n3,\"\"\n4,\"\"\n5,\"\"\n"_s,
             u"1,2000,1,1,0,0\n2,99999,1,1,0,0\n"_s);
    EXPECT_EQ(ImportOldData(dir.folder(), oldFolder).end, End::Unreadable);
    EXPECT_TRUE(playerFiles().isEmpty());
}
