#include "core/file/item_reader.h"
#include "core/file/user_data_file.h"
#include "core/model/master_list.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

class MasterListTest : public ::testing::Test {
protected:
    SMData list;
};

TEST_F(MasterListTest, SearchesFindTheFirstEntryOrNothing)
{
    EXPECT_EQ(list.SeekName(0), u"(不明)"_s);
    EXPECT_EQ(list.SeekJunban(3), 0);
    list.WriteData({3, 5, 3, 0}, {u"A"_s, u"B"_s, u"C"_s, QString()});
    EXPECT_EQ(list.SeekName(3), u"A"_s);
    EXPECT_EQ(list.SeekName(4), u"(不明)"_s);
    EXPECT_EQ(list.SeekJunban(3), 1);
    EXPECT_EQ(list.SeekJunban(5), 2);
    EXPECT_EQ(list.SeekJunban(65536 + 5), 0); // compared as numbers, not truncated
}

TEST_F(MasterListTest, ArraysKeepTheirSpareElement)
{
    QList<qint16> ids{0};
    QList<QString> names{QString()};
    list.ReadData(ids, names);
    EXPECT_EQ(ids.size(), 1);

    list.WriteData({7, 2, 0}, {u"x"_s, u"y"_s, QString()});
    list.ReadData(ids, names);
    EXPECT_EQ(ids, (QList<qint16>{7, 2, 0}));
    EXPECT_EQ(names, (QList<QString>{u"x"_s, u"y"_s, QString()}));

    list.WriteData({0}, {QString()}); // only the spare: empties the list
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(MasterListTest, EmptyListIsTheMarkerAndABlankLine)
{
    QByteArray bytes;
    ASSERT_TRUE(list.SectionBytes(UserDataFile::MachineMarker(), bytes));
    EXPECT_EQ(bytes, QByteArray("<MachineData>\r\n\r\n"));
    TempDataFolder dir;
    WriteBytes(dir.file(u"m.pcd"_s), bytes);
    list.WriteData({1, 0}, {u"x"_s, QString()});
    ItemReader reader;
    reader.Open(dir.file(u"m.pcd"_s));
    list.ReadFileData(reader, UserDataFile::MachineMarker());
    EXPECT_EQ(list.Count(), 0);
}
