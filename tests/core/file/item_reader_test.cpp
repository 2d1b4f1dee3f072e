#include "core/file/item_reader.h"

#include "core/file/cp932.h"

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

// The reader decodes a file in pieces; a piece once cut a character in two.
TEST(ItemReader, PiecewiseDecodingGivesTheSameTextWhereverThePiecesAreCut)
{
    // Two-byte characters (trail bytes in the ASCII range too), control codes
    // the converter maps elsewhere, runs of plain bytes read eight at a time,
    // a half-width kana, a lead byte without trail at the end, stray bytes.
    const QByteArray bytes = QByteArray("\x82\xa0\x82\xa2,abc\r\n\x81\x5c\x95\x5c\xff\x80"
                                        "\x1a\x1c\x7f\t2001,12,31,100000,\r\n\xb1\x81",
                                        40);
    const QString whole = DecodeCp932(bytes);
    for (qsizetype step = 1; step <= bytes.size(); ++step) {
        Cp932Decoder decoder;
        QString text;
        for (qsizetype i = 0; i < bytes.size(); i += step)
            text += decoder.decode(bytes.mid(i, step));
        text += decoder.finish();
        EXPECT_EQ(text, whole) << "pieces of " << step;
    }
    EXPECT_TRUE(whole.startsWith(u"あい,abc\r\n―表"_s));
}
