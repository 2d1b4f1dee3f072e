#include "core/util/numbers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

using namespace Qt::StringLiterals;

TEST(Val, ReadsTheLeadingNumberIgnoringBlanksAnywhere)
{
    EXPECT_DOUBLE_EQ(Val(u"123"_s), 123);
    EXPECT_DOUBLE_EQ(Val(u" 1 2\t3\n"_s), 123);
    EXPECT_DOUBLE_EQ(Val(u"-1,500"_s), -1); // a comma ends the number
    EXPECT_DOUBLE_EQ(Val(u"+42abc"_s), 42);
    EXPECT_DOUBLE_EQ(Val(u"12.75"_s), 12.75);
    EXPECT_DOUBLE_EQ(Val(u".5"_s), 0.5);
    EXPECT_DOUBLE_EQ(Val(u"1e3"_s), 1000);
    EXPECT_DOUBLE_EQ(Val(u"1D3"_s), 1000);
    EXPECT_DOUBLE_EQ(Val(u"2e"_s), 2); // a dangling exponent is not taken
    EXPECT_DOUBLE_EQ(Val(u"3.e2x"_s), 300);
    EXPECT_DOUBLE_EQ(Val(u"- 7"_s), -7);
    // what an input method types: full-width digits, signs and spaces
    EXPECT_DOUBLE_EQ(Val(u"１０００"_s), 1000);
    EXPECT_DOUBLE_EQ(Val(u"－１２．５"_s), -12.5);
    EXPECT_DOUBLE_EQ(Val(u"２　０"_s), 20);
    EXPECT_DOUBLE_EQ(Val(u"１，５００"_s), 1); // a full-width comma ends it like a comma
}

TEST(ReadTypedNumber, TheWholeTextOrNothing)
{
    const std::pair<QString, double> numbers[] = {{u""_s, 0},
                                                  {u"  "_s, 0},
                                                  {u"1500"_s, 1500},
                                                  {u"１５００"_s, 1500},
                                                  {u"1,500"_s, 1500},
                                                  {u"１，５００"_s, 1500},
                                                  {u"-1,234,567"_s, -1234567},
                                                  {u"¥500"_s, 500},
                                                  {u"-¥500"_s, -500},
                                                  {u"￥－５００"_s, -500},
                                                  {u"\\1,000"_s, 1000},
                                                  {u"500円"_s, 500},
                                                  {u"ー５００"_s, -500},
                                                  {u"＋３"_s, 3},
                                                  {u" 12.5 "_s, 12.5},
                                                  {u"1e3"_s, 1000},
                                                  {u"2,000.5"_s, 2000.5}};
    for (const auto &[text, value] : numbers) {
        const std::optional<double> read = ReadTypedNumber(text);
        ASSERT_TRUE(read.has_value()) << text.toStdString();
        EXPECT_DOUBLE_EQ(*read, value) << text.toStdString();
    }
    for (const QString &text :
         {u"12a"_s, u"1.2.3"_s, u"1,00"_s, u"1,0000"_s, u",100"_s, u"1,"_s, u"-"_s, u"¥"_s, u"2e"_s,
          u"--5"_s, u"¥¥5"_s, u"５００円円"_s, u"(不明)"_s, u"1 2a"_s})
        EXPECT_FALSE(ReadTypedNumber(text).has_value()) << text.toStdString();
}

TEST(Val, TextWithoutLeadingDigitsIsZero)
{
    for (const QString &t : {u""_s, u"abc"_s, u"-"_s, u"."_s, u"e5"_s, u"(不明)"_s})
        EXPECT_DOUBLE_EQ(Val(t), 0) << t.toStdString();
}

TEST(Val, HugeExponentsAreInfiniteOrZeroNotGarbage)
{
    EXPECT_TRUE(std::isinf(Val(u"1e999"_s)));
    EXPECT_LT(Val(u"-1e999"_s), 0);
    EXPECT_DOUBLE_EQ(Val(u"1e-999"_s), 0);
}

TEST(WholeNumbers, HalvesToEvenAndOutOfRangeReportedNotWrapped)
{
    // value, taken or not, the result (7: left untouched); 32767.5 rounds to 32768
    const std::tuple<double, bool, qint16> shorts[] = {
        {2.5, true, 2},      {3.5, true, 4},         {-2.5, true, -2},
        {2.6, true, 3},      {32767.0, true, 32767}, {-32768.0, true, -32768},
        {32767.5, false, 7}, {-32769.0, false, 7}};
    for (const auto &[value, ok, expected] : shorts) {
        qint16 s = 7;
        EXPECT_EQ(ToInt16(value, s), ok) << value;
        EXPECT_EQ(s, expected) << value;
    }
    const std::tuple<double, bool, qint32> longs[] = {
        {1000.5, true, 1000},
        {-2147483648.0, true, std::numeric_limits<qint32>::min()},
        {2147483648.0, false, 7},
        {std::numeric_limits<double>::infinity(), false, 7},
        {std::nan(""), false, 7}};
    for (const auto &[value, ok, expected] : longs) {
        qint32 l = 7;
        EXPECT_EQ(ToInt32(value, l), ok) << value;
        EXPECT_EQ(l, expected) << value;
    }
}

TEST(Patterns, WholeNumberPatterns)
{
    EXPECT_EQ(FormatPlain(-5), u"-5"_s);
    EXPECT_EQ(FormatBlankZero(2001), u"2001"_s);
    EXPECT_EQ(FormatBlankZero(0), QString());
    EXPECT_EQ(FormatBlankZero(0.4), QString());
    EXPECT_EQ(FormatAtLeastOne(0), u"0"_s);
    EXPECT_EQ(FormatZeroPad(99, 4), u"0099"_s);
    EXPECT_EQ(FormatZeroPad(3, 2), u"03"_s);
    EXPECT_EQ(FormatZeroPad(123, 2), u"123"_s);
}

TEST(Patterns, GroupedAndYenTexts)
{
    EXPECT_EQ(FormatGrouped(1234567), u"1,234,567"_s);
    EXPECT_EQ(FormatGrouped(-5000), u"-5,000"_s);
    EXPECT_EQ(FormatGrouped(0), u"0"_s);
    EXPECT_EQ(FormatGrouped(999), u"999"_s);
    EXPECT_EQ(FormatGrouped(-2147483648.0), u"-2,147,483,648"_s);
    EXPECT_EQ(FormatYen(12345), u"\\12,345"_s);
    EXPECT_EQ(FormatYen(-12345), u"-\\12,345"_s);
    EXPECT_EQ(FormatYen(0), u"\\0"_s);
    EXPECT_EQ(YenForDisplay(u"-\\5,000"_s), u"-¥5,000"_s);
    // In 万 and 億, halves away from zero; 億 where 万 would reach 10,000.
    const std::pair<qint64, QString> shortAmounts[] = {{0, u"0"_s},
                                                       {4999, u"+0.5万"_s},
                                                       {123450, u"+12.3万"_s},
                                                       {-125000, u"-12.5万"_s},
                                                       {99999499, u"+9,999.9万"_s},
                                                       {99999500, u"+1.0億"_s},
                                                       {-2147483647, u"-21.5億"_s}};
    for (const auto &[value, text] : shortAmounts)
        EXPECT_EQ(FormatShortAmount(value), text);
}

TEST(Patterns, RealsRoundHalvesAwayFromZero)
{
    EXPECT_EQ(FormatYen(10000.0 / 3), u"\\3,333"_s);
    EXPECT_EQ(FormatYen(1001.0 / 2), u"\\501"_s);
    EXPECT_EQ(FormatYen(-1001.0 / 2), u"-\\501"_s);
    EXPECT_EQ(FormatGrouped(2.5), u"3"_s);
    EXPECT_EQ(FormatAtLeastOne(-0.4), u"0"_s); // no "-0"
}

TEST(Patterns, PercentTexts)
{
    EXPECT_EQ(FormatPercent(std::nullopt), u"—"_s);
    EXPECT_EQ(FormatPercent(0.87345), u"87.3%"_s);
    EXPECT_EQ(FormatPercent(0.00005), u"0.0%"_s);
    EXPECT_EQ(FormatPercent(0.0025), u"0.3%"_s); // halves away from zero
    EXPECT_EQ(FormatPercent(12.5), u"1,250.0%"_s);
    EXPECT_EQ(FormatPercent(-0.5), u"-50.0%"_s);
    EXPECT_EQ(FormatPercent(1001.0 / 2000), u"50.1%"_s); // 0.50049999… in binary

    // From whole numbers: exact decimal halves go up, away from zero.
    const struct {
        qint64 numerator, denominator;
        QString text;
    } exact[] = {
        {1001, 2000, u"50.1%"_s}, {-1001, 2000, u"-50.1%"_s},
        {1, 16, u"6.3%"_s},       {1, 1600, u"0.1%"_s},
        {1, 3, u"33.3%"_s},       {2, 3, u"66.7%"_s},
        {25, 2, u"1,250.0%"_s},   {5, 0, u"—"_s},
        {0, 7, u"0.0%"_s},        {Q_INT64_C(70368744177664), 1, u"7,036,874,417,766,400.0%"_s}};
    for (const auto &c : exact)
        EXPECT_EQ(FormatPercent(c.numerator, c.denominator), c.text) << c.numerator;
}
