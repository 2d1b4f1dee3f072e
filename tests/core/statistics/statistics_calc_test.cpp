#include "support/rank_rows.h"

#include "core/model/master_list.h"
#include "core/model/record_table.h"
#include "core/statistics/forecast.h"
#include "core/statistics/graph_series.h"
#include "core/statistics/ranking.h"
#include "core/statistics/selection.h"
#include "core/statistics/totals_text.h"
#include "support/literal_ranking.h"

#include <QRandomGenerator>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {
PlayRecord visit(qint16 y, qint16 m, qint16 d, qint32 toushi, qint32 kaishuu, qint16 store = 1,
                 qint16 machine = 1)
{
    return {y, m, d, toushi, kaishuu, store, machine, QString()};
}

// A visit on 2001-03-04 (a Sunday) with the given balance.
PlayRecord balance(qint32 b, qint16 store = 1, qint16 machine = 1)
{
    return visit(2001, 3, 4, b < 0 ? -b : 0, b > 0 ? b : 0, store, machine);
}

RankRow empty()
{
    return row(0, kEmptyRank, 0, 0, 0);
}

GraphSeries series(const QList<qint32> &balances)
{
    QList<PlayRecord> records;
    for (qint32 b : balances)
        records.append(balance(b));
    GraphSeries g;
    Calc_Graph(records, g);
    return g;
}
} // namespace

class SelectionTest : public ::testing::Test {
protected:
    void add(const PlayRecord &r) { ASSERT_TRUE(data.DataWrite(r)); }
    Selection read(qint32 wakeKin, qint16 y = 0, qint16 m = 0, qint16 s = 0, qint16 mid = 0)
    {
        data.JoukenSet(y, m, s, mid);
        Selection sel;
        EXPECT_TRUE(DataRead(data, wakeKin, sel));
        return sel;
    }
    Data data;
};

TEST_F(SelectionTest, PeriodText)
{
    EXPECT_EQ(read(0).Kikan, u"0/0/0"_s);
    add(visit(2001, 3, 5, 1000, 0));
    EXPECT_EQ(read(0).Kikan, u"2001/3/5 ～ 2001/3/5"_s);
    add(visit(2001, 7, 1, 1000, 0));
    add(visit(2001, 12, 24, 1000, 0));
    EXPECT_EQ(read(0).Kikan, u"2001/3/5 ～ 2001/12/24"_s);
    // Nothing matching is not an error: the zero date again.
    const Selection none = read(0, 2002);
    EXPECT_EQ(none.Kikan, u"0/0/0"_s);
    EXPECT_EQ(none.Count(), 0);
}

TEST_F(SelectionTest, DrawThresholdAndTotals)
{
    // Threshold 1000 (neither 0 nor the usual 500): 999 and 0 are draws.
    for (qint32 b : {999, -1000, 0, 12345})
        add(balance(b));
    const Selection s = read(1000);
    EXPECT_EQ(s.TKachi, 1);
    EXPECT_EQ(s.TMake, 1);
    EXPECT_EQ(s.TWake, 2);
    EXPECT_EQ(s.TKachiKin, 12344);
    EXPECT_EQ(s.TToushi, 1000);
    EXPECT_EQ(s.TKaishuu, 999 + 12345);
    EXPECT_EQ(s.Count(), 4);
}

TEST_F(SelectionTest, TotalsThatWouldWrapGiveAMessageAndNothing)
{
    // Each balance is 0, but the investments together leave 32 bits.
    add(visit(2001, 1, 1, 2000000000, 2000000000));
    add(visit(2001, 1, 2, 2000000000, 2000000000));
    data.JoukenSet(0, 0, 0, 0);
    Selection sel;
    sel.TKachi = 7;
    EXPECT_FALSE(DataRead(data, 0, sel));
    EXPECT_EQ(sel.Count(), 0);
    EXPECT_EQ(sel.Kikan, u"0/0/0"_s);
    EXPECT_EQ(sel.TKachi, 0);
    EXPECT_EQ(sel.TToushi, 0);
}

TEST(TotalsText, AveragesRoundHalvesAwayFromZero)
{
    // 1,001 / 3 = 333.67, -5 / 2 = -2.5; no visit is ¥0.
    const std::tuple<qint32, qint32, QString> cases[] = {{1001, 3, u"\\334"_s},
                                                         {-1001, 3, u"-\\334"_s},
                                                         {5, 2, u"\\3"_s},
                                                         {-5, 2, u"-\\3"_s},
                                                         {5, 0, u"\\0"_s}};
    for (const auto &[total, visits, text] : cases)
        EXPECT_EQ(AverageYen(total, visits), text) << total << " / " << visits;
}

class RankingTest : public ::testing::Test {
protected:
    void rank(const QList<PlayRecord> &records, qint32 wakeKin = 0)
    {
        messages = CalcRank(records, wakeKin, graph, ranks);
    }
    QStringList messages;
    GraphSeries graph;
    Rankings ranks;
};

TEST_F(RankingTest, EmptySelection)
{
    rank({});
    for (const RankTable *t : {&ranks.RStore, &ranks.RStoreW, &ranks.RMachine, &ranks.RMachineW,
                               &ranks.RShouhai, &ranks.RShouhaiW})
        EXPECT_EQ(*t, RankTable(5, empty()));
    EXPECT_EQ(ranks.StoreCount, 0);
    EXPECT_EQ(ranks.MachineCount, 0);
    ASSERT_EQ(ranks.RYoubi.size(), 7);
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(ranks.RYoubi[r], row(r + 1, 0, 0, 0, 0));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(RankingTest, GroupOrderTiesAndSharedTables)
{
    // Stores 5 and 3 tie at 1,000; store 4, seen last, leads. The selection
    // sort swaps 4 into the place of 5, so 3 comes before 5 (a stable sort
    // would keep 5 first); the worst table reads the order from the bottom.
    // Store 0 is no store. Machine 2 breaks even: a draw even at WakeKin 0.
    rank({balance(1000, 5, 2), balance(-2000, 9, 1), balance(1000, 3, 1), balance(400, 0, 1),
          balance(-1000, 9, 2), visit(2001, 3, 4, 300, 300, 3, 2), balance(2000, 4, 1)});
    EXPECT_EQ(ranks.RStore, (RankTable{row(4, 2000, 1, 0, 0), row(3, 1000, 1, 0, 1),
                                       row(5, 1000, 1, 0, 0), row(9, -3000, 0, 2, 0), empty()}));
    EXPECT_EQ(ranks.RStoreW, (RankTable{row(9, -3000, 0, 2, 0), row(5, 1000, 1, 0, 0),
                                        row(3, 1000, 1, 0, 1), row(4, 2000, 1, 0, 0), empty()}));
    EXPECT_EQ(ranks.StoreCount, 4);
    EXPECT_EQ(ranks.RMachine[0], row(1, 1400, 3, 1, 0));
    EXPECT_EQ(ranks.RMachine[1], row(2, 0, 1, 1, 1));
    EXPECT_EQ(ranks.RMachineW[0], row(2, 0, 1, 1, 1));
    EXPECT_EQ(ranks.MachineCount, 2);
    // The storeless visit still counts for the weekday (all on a Sunday).
    EXPECT_EQ(ranks.RYoubi[0], row(1, 1400, 4, 2, 1));
}

TEST_F(RankingTest, WeekdaysOrderedByBalanceThenDay)
{
    // 2001-03-03 is a Saturday, 03-05 a Monday, 03-07 a Wednesday.
    rank({visit(2001, 3, 3, 0, 5000), visit(2001, 3, 5, 3000, 0), visit(2001, 3, 7, 0, 5000),
          visit(2001, 3, 7, 1000, 0), visit(2001, 3, 7, 0, 1000)},
         0);
    QList<qint32> order;
    for (const RankRow &r : ranks.RYoubi)
        order << r[1];
    EXPECT_EQ(order, (QList<qint32>{4, 7, 1, 3, 5, 6, 2}));
    EXPECT_EQ(ranks.RYoubi[0], row(4, 5000, 2, 1, 0));
    EXPECT_EQ(ranks.RYoubi[6], row(2, -3000, 0, 1, 0));
}

TEST_F(RankingTest, SingleVisits)
{
    // Visits 1 and 2 tie; the selection sort leaves 2 before 1.
    QList<PlayRecord> records;
    for (qint32 b : {3000, 3000, 5000, 1000, 2000, -500})
        records.append(balance(b));
    records[5].DDay = 10;
    rank(records);
    QList<qint32> best, worst;
    for (int r = 0; r < 5; ++r) {
        best << ranks.RShouhai[r][1];
        worst << ranks.RShouhaiW[r][1];
    }
    EXPECT_EQ(best, (QList<qint32>{3, 2, 1, 5, 4}));
    EXPECT_EQ(worst, (QList<qint32>{6, 4, 5, 1, 2}));
    EXPECT_EQ(ranks.RShouhai[0], row(3, 5000, 2001, 3, 4));
    EXPECT_EQ(ranks.RShouhaiW[0], row(6, -500, 2001, 3, 10));
}

TEST_F(RankingTest, BadDateLeavesWeekdaysAsTheyWere)
{
    rank({visit(2001, 3, 3, 0, 5000)});
    const RankTable before = ranks.RYoubi;
    rank({balance(100), visit(2001, 2, 29, 0, 1000), visit(2001, 2, 30, 0, 1000)});
    EXPECT_EQ(messages, QStringList{u"日付データにエラーがあります"_s});
    EXPECT_EQ(ranks.RYoubi, before);
    // The other rankings are computed normally.
    EXPECT_EQ(ranks.RShouhai[0][2], 1000);
    EXPECT_EQ(ranks.RStore[0], row(1, 2100, 3, 0, 0));
}

TEST_F(RankingTest, IdsOutsideTheIndexEmptyTheirRankingWithOneMessage)
{
    rank({balance(100, 1, 2)});
    rank({balance(100, 1000, 2), balance(200, -3, 1000)});
    EXPECT_EQ(messages, QStringList{RankOutOfRangeMessage()});
    EXPECT_EQ(ranks.RStore, RankTable(5, empty())); // the old store 1 is gone, every field
    EXPECT_EQ(ranks.RMachine, RankTable(5, empty()));
    EXPECT_EQ(ranks.StoreCount, 0);
    EXPECT_EQ(ranks.RShouhai[0][2], 200);
    EXPECT_EQ(ranks.RYoubi[0][2], 300);
}

TEST_F(RankingTest, GroupSumsBeyond32BitsEmptyTheirRanking)
{
    // Each visit fits, but store 1 and the weekday together would pass 2^31.
    rank({balance(2000000000, 1, 1), balance(2000000000, 1, 2)});
    EXPECT_EQ(messages, QStringList{RankOutOfRangeMessage()});
    EXPECT_EQ(ranks.RStore[0], empty());
    EXPECT_EQ(ranks.RYoubi[0], empty());
    EXPECT_EQ(ranks.RMachine[0], row(1, 2000000000, 1, 0, 0));
    EXPECT_EQ(ranks.RShouhai[1], row(2, 2000000000, 2001, 3, 4));
}

TEST(RankingOrder, FastOrderEqualsTheLiteralLoops)
{
    // Few distinct balances make many ties, where the swaps matter; every third
    // round takes balances at both ends of what a rank row can hold.
    const qint32 extremes[] = {2147483647, 2147483646, kEmptyRank + 1, kEmptyRank + 2, 0, -1, 1};
    QRandomGenerator rng(20011224);
    for (int round = 0; round < 600; ++round) {
        const bool extreme = round % 3 == 2;
        const int n = round < 50 ? round : int(rng.bounded(1, 700));
        const int spread = int(rng.bounded(1, 8));
        QList<RankRow> rows;
        for (int i = 1; i <= n; ++i) {
            const qint32 balance = extreme ? extremes[rng.bounded(int(std::size(extremes)))]
                                           : (int(rng.bounded(spread)) - spread / 2) * 1000;
            rows.append(
                row(i, balance, int(rng.bounded(5)), int(rng.bounded(5)), int(rng.bounded(5))));
        }
        QList<RankRow> expected = rows;
        LiteralSortGroups(expected);
        SortGroups(rows);
        ASSERT_EQ(rows, expected) << "round " << round << " n " << n;
    }
}

TEST(Graph, RunningTotals)
{
    const GraphSeries none = series({});
    EXPECT_EQ(none.GData, (QList<qint32>{0, 0}));
    EXPECT_EQ(none.GMax, 0);
    EXPECT_EQ(none.GMin, 0);
    EXPECT_EQ(none.Count(), 0);

    const GraphSeries g = series({2000, -5000, 1000});
    EXPECT_EQ(g.GData, (QList<qint32>{0, 2000, -3000, -2000, 0}));
    EXPECT_EQ(g.GMax, 2000);
    EXPECT_EQ(g.GMin, -3000);
    EXPECT_EQ(g.Count(), 3);

    const GraphSeries wins = series({100, 200});
    EXPECT_EQ(wins.GMin, 0);
    EXPECT_EQ(wins.GMax, 300);
    const GraphSeries losses = series({-100});
    EXPECT_EQ(losses.GMax, 0);
}

namespace {
qint32 fit(const QList<double> &x, const QList<double> &y, qint16 at)
{
    qint32 result = 0;
    Saishou2jouhou(x, y, qint16(x.size()), at, result);
    return result;
}
} // namespace

TEST(Forecast, FitThroughFewPoints)
{
    EXPECT_EQ(fit({0}, {0}, 1), 0);
    EXPECT_EQ(fit({0}, {1234}, 5), 1234);                      // one point: the constant
    EXPECT_EQ(fit({0, 1}, {0, 1000}, 2), 2000);                // two points: the line
    EXPECT_EQ(fit({0, 1, 2, 3}, {0, 1000, 0, 1000}, 4), 8000); // the cubic through four
    // Halves go to the even neighbour: the line through (0, 0.5), (1, 1.5) at x = 2 is 2.5.
    EXPECT_EQ(fit({0, 1}, {0.5, 1.5}, 2), 2);
    EXPECT_EQ(fit({0, 1}, {0.5, 1.5}, 1), 2);
}

TEST(Forecast, CubicFitIgnoresWhatNoCubicFollows)
{
    // A random cubic plus random multiples of the fourth difference (1, -4, 6,
    // -4, 1) at every place: no cubic follows those, so the least-squares
    // cubic is the one we started from, whatever the noise.
    QRandomGenerator rng(4711);
    for (int round = 0; round < 200; ++round) {
        const int m = int(rng.bounded(4, 21));
        // Whole coefficients; running totals of up to a few million yen.
        double c[4];
        for (int k = 0; k < 4; ++k)
            c[k] = std::round(rng.bounded(-1000000, 1000000) / std::pow(m, k));
        const auto cubic = [&](double t) { return c[0] + t * (c[1] + t * (c[2] + t * c[3])); };
        QList<double> x, y;
        for (int i = 0; i < m; ++i) {
            x.append(i);
            y.append(cubic(i));
        }
        for (int j = 0; j + 4 < m; ++j) {
            const int z = rng.bounded(-50000, 50000);
            for (int k = 0; k < 5; ++k)
                y[j + k] += z * std::array{1, -4, 6, -4, 1}[size_t(k)];
        }
        EXPECT_EQ(fit(x, y, qint16(m)), cubic(m)) << "round " << round;
    }
}

TEST(Forecast, NextVisit)
{
    EXPECT_EQ(ForecastNext(series({})), 0);
    EXPECT_EQ(ForecastNext(series({1000})), 200);
    EXPECT_EQ(ForecastNext(series({1000, -1000, 1000})), 1700);
    // With one visit the forecast step is the visit's balance, then a quarter
    // of it, down to the hundred not above.
    EXPECT_EQ(ForecastNext(series({-6048})), -1600); // -1512
    EXPECT_EQ(ForecastNext(series({-200})), -100);   // -50
    EXPECT_EQ(ForecastNext(series({200})), 0);       // 50
    EXPECT_EQ(ForecastNext(series({7000})), 1700);   // 1750
}

TEST(Forecast, UsesExactlyTheLastTwentyTotals)
{
    // Totals 6..25 lie on a line rising 400 a visit; total 5 does not.
    QList<qint32> balances{30000, -42000, 17000, 9000, -51000, 26000};
    for (int i = 0; i < 19; ++i)
        balances.append(400);
    EXPECT_EQ(ForecastNext(series(balances)), 100);
    // Now the first of the twenty is off the line of the other nineteen.
    balances[6] = 30000;
    EXPECT_NE(ForecastNext(series(balances)), 100);
}

TEST(Advice, RotationAndLines)
{
    EXPECT_EQ(NextAdviceNo(0), 1);
    EXPECT_EQ(NextAdviceNo(1), 2);
    EXPECT_EQ(NextAdviceNo(3), 4);
    EXPECT_EQ(NextAdviceNo(4), 1);

    SMData stores, machines;
    stores.WriteData({4, 0}, {u"駅前店"_s, QString()});
    machines.WriteData({2, 0}, {u"海物語"_s, QString()});
    GraphSeries graph;
    Rankings ranks;
    CalcRank({}, 0, graph, ranks);

    EXPECT_EQ(AdviceLines(1, graph, ranks, stores, machines),
              (QStringList{u"グラフから推測すると次は、"_s, u"\\0円"_s, u"勝つと思うわ。"_s,
                           u"（最小２乗法で予測）"_s}));
    // A forecast loss: the amount with its sign, and the other verdict.
    EXPECT_EQ(AdviceLines(1, series({-6048}), ranks, stores, machines).mid(1, 2),
              (QStringList{u"-\\1,600円"_s, u"負けると思うわ。"_s}));
    EXPECT_EQ(AdviceLines(2, graph, ranks, stores, machines),
              (QStringList{QString(), u"これからも「るでら」を"_s, u"応援してね。"_s, QString()}));
    // Without stores or machines the combination names "(不明)", not a stale entry.
    EXPECT_EQ(AdviceLines(3, graph, ranks, stores, machines),
              (QStringList{u"　・日曜日"_s, u"　・(不明)"_s, u"　・(不明)"_s,
                           u"が最高の組み合わせよ。"_s}));

    CalcRank({visit(2001, 3, 3, 0, 5000, 4, 2), visit(2001, 3, 5, 3000, 0, 4, 2)}, 0, graph, ranks);
    EXPECT_EQ(AdviceLines(3, graph, ranks, stores, machines),
              (QStringList{u"　・土曜日"_s, u"　・駅前店"_s, u"　・海物語"_s,
                           u"が最高の組み合わせよ。"_s}));
    EXPECT_EQ(AdviceLines(4, graph, ranks, stores, machines),
              (QStringList{u"　・月曜日"_s, u"　・駅前店"_s, u"　・海物語"_s,
                           u"が最低の組み合わせよ。"_s}));
}
