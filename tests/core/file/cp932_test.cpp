#include "core/file/cp932.h"
#include "core/file/user_data_file.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The yen key gives U+00A5; the file holds yen as 0x5C, the code Japanese
// fonts show as ¥.
TEST(Cp932, YenSignIsStoredAs5CAndUncarriedCharactersAreNamed)
{
    QByteArray bytes;
    ASSERT_TRUE(EncodeCp932(u"¥500〜"_s, bytes));
    EXPECT_EQ(bytes, QByteArray("\x5C"
                                "500\x81\x60"));
    EXPECT_EQ(DecodeCp932(bytes), u"\\500～"_s);

    EXPECT_EQ(FirstUnencodableCp932(u"¥〜−abc"_s), QString());
    EXPECT_EQ(FirstUnencodableCp932(u"a😀b한"_s), u"😀"_s); // a surrogate pair whole
    EXPECT_EQ(UserDataFile::FirstUncarried(u"¥1,000"_s), QString());
    EXPECT_EQ(UserDataFile::FirstUncarried(u"say \"한\""_s), u"\""_s);
    EXPECT_EQ(UserDataFile::FirstUncarried(u"한 \""_s), u"한"_s);
}
