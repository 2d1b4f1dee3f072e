#include "core/file/item_reader.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
QStringList allItems(const QString &text)
{
    ItemReader reader;
    reader.SetText(text);
    QStringList items;
    QString item;
    while (reader.Next(item))
        items << item;
    return items;
}
} // namespace

TEST(ItemReader, SplitsOnSeparatorsKeepsQuotedCommasAndTrims)
{
    EXPECT_EQ(allItems(u"1,2\r\n3\r\n"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    EXPECT_EQ(allItems(u"1,2\n3\r4"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
    // A blank line is one empty item.
    EXPECT_EQ(allItems(u"a\r\n\r\nb\r\n"_s), (QStringList{u"a"_s, u""_s, u"b"_s}));
    EXPECT_EQ(allItems(u"\r\n\r\n"_s), (QStringList{u""_s, u""_s}));
    // A quoted item keeps its commas; what follows its quote is skipped.
    EXPECT_EQ(allItems(u"\"a,b\",2\r\n"_s), (QStringList{u"a,b"_s, u"2"_s}));
    EXPECT_EQ(allItems(u"\"abc\"junk,5\r\n"_s), (QStringList{u"abc"_s, u"5"_s}));
    EXPECT_EQ(allItems(u"\"\"\r\n"_s), (QStringList{u""_s}));
    EXPECT_EQ(allItems(u"  \"x\"  \r\n"_s), (QStringList{u"x"_s}));
    EXPECT_EQ(allItems(u"\"open"_s), (QStringList{u"open"_s})); // unterminated: to the end
    EXPECT_EQ(allItems(u"  12  , -3 \r\n"_s), (QStringList{u"12"_s, u"-3"_s}));
}

TEST(ItemReader, NumbersFromEmptyOrTextAreZeroAndOverflowFails)
{
    ItemReader reader;
    reader.SetText(u",abc,12x,70000,-40000\r\n"_s);
    qint16 v = 99;
    ASSERT_TRUE(reader.NextInt16(v));
    EXPECT_EQ(v, 0);
    ASSERT_TRUE(reader.NextInt16(v));
    EXPECT_EQ(v, 0);
    ASSERT_TRUE(reader.NextInt16(v));
    EXPECT_EQ(v, 12);
    qint32 w = 0;
    ASSERT_TRUE(reader.NextInt32(w));
    EXPECT_EQ(w, 70000);
    EXPECT_FALSE(reader.NextInt16(v)); // -40000 does not fit 16 bits
    EXPECT_EQ(v, 12);
    EXPECT_FALSE(reader.NextInt16(v)); // end of file
}

TEST(ItemReader, MarkerSearchSkipsOtherItemsAndNeedsAnExactMatch)
{
    ItemReader reader;
    reader.SetText(u"\"<Data>x\",<Dat>\r\n<Data>\r\n7\r\n"_s);
    ASSERT_TRUE(reader.SeekMarker(u"<Data>"_s));
    qint16 v = 0;
    ASSERT_TRUE(reader.NextInt16(v));
    EXPECT_EQ(v, 7);
    EXPECT_FALSE(reader.SeekMarker(u"<States>"_s));
}
