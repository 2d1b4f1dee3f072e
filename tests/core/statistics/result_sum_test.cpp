#include "core/statistics/result_sum.h"

#include <gtest/gtest.h>

namespace {
PlayRecord visit(qint32 toushi, qint32 kaishuu)
{
    return {0, 0, 0, toushi, kaishuu, 0, 0, QString()};
}
} // namespace

TEST(ResultSumTest, CountsSumsExtremesAndRatios)
{
    ResultSum none;
    EXPECT_FALSE(none.PayoutRatio());
    EXPECT_FALSE(none.WinRate());
    EXPECT_FALSE(none.AverageBalance());

    // Threshold 500: +499 is a draw, -500 a loss, +20,000 a win, 0 a draw.
    ResultSum s;
    for (const PlayRecord &r :
         {visit(1000, 1499), visit(1000, 500), visit(10000, 30000), visit(0, 0)})
        s.Add(r, 500);
    EXPECT_EQ(s.Visits, 4);
    EXPECT_EQ(s.Kachi, 1);
    EXPECT_EQ(s.Make, 1);
    EXPECT_EQ(s.Wake, 2);
    EXPECT_EQ(s.Toushi, 12000);
    EXPECT_EQ(s.Kaishuu, 31999);
    EXPECT_EQ(s.Balance(), 19999);
    EXPECT_EQ(s.Best, 20000);
    EXPECT_EQ(s.Worst, -500);
    EXPECT_DOUBLE_EQ(*s.PayoutRatio(), 31999.0 / 12000.0);
    EXPECT_DOUBLE_EQ(*s.WinRate(), 0.25);
    EXPECT_DOUBLE_EQ(*s.AverageBalance(), 19999.0 / 4);

    // Only losses: the best visit is still negative.
    ResultSum losses;
    losses.Add(visit(3000, 1000), 0);
    losses.Add(visit(5000, 0), 0);
    EXPECT_EQ(losses.Best, -2000);
    EXPECT_EQ(losses.Worst, -5000);

    // Merging equals adding the visits one by one; an empty sum changes nothing.
    ResultSum merged = s;
    merged.Add(ResultSum());
    EXPECT_EQ(merged, s);
    merged.Add(losses);
    ResultSum direct = s;
    direct.Add(visit(3000, 1000), 500);
    direct.Add(visit(5000, 0), 500);
    EXPECT_EQ(merged, direct);
    ResultSum fromEmpty;
    fromEmpty.Add(losses);
    EXPECT_EQ(fromEmpty, losses);

    // Full 32-bit amounts do not wrap.
    ResultSum big;
    for (int i = 0; i < 3; ++i)
        big.Add(visit(2147483647, 0), 0);
    EXPECT_EQ(big.Toushi, 3LL * 2147483647);
}
