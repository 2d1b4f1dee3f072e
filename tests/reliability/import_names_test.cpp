// A previous-version player whose name starts with ":" names one of Qt's
// resources rather than a file: the import must not make a player file that
// opens empty (and whose next save would replace it with nothing).

#include "core/file/data_import.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(ImportNames, ANameReadAsAResourcePathIsNotConverted)
{
    TempWorkDir dir;
    ASSERT_TRUE(QDir().mkdir(u"old"_s));
    WriteBytes(u"old/Name.Dat"_s,
               Cp932Lines(u"1,\"花子\"\n2,\":太郎\"\n3,\"\"\n4,\"\"\n5,\"\"\n"_s));
    WriteBytes(u"old/Data.Dat"_s, Cp932Lines(u"1,2001,1,2,100,200\n2,2001,1,3,100,0\n"_s));
    FakePlatform platform;
    platform.inputAnswers = {dir.file(u"old"_s)};
    DataImport(platform);
    EXPECT_EQ(QDir().entryList({u"*.pcd"_s}, QDir::Files), QStringList{u"花子.pcd"_s});
    // The routine ends there without a message, as for any unusable name.
    EXPECT_EQ(platform.messages.size(), 1); // only the opening question
}
