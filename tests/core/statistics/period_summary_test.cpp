// The summary table against tables worked out by hand (see summary_sample.h).

#include "core/statistics/period_summary.h"
#include "support/fake_platform.h"
#include "support/summary_sample.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
class PeriodSummaryTest : public ::testing::Test {
protected:
    void SetUp() override { FillSummarySample(shared); }

    PeriodSummary make(SummaryGrouping g, const SummaryFilter &f = {}, qint32 wakeKin = 1000)
    {
        return Summarize(shared.data, shared.Stores, shared.Machines, g, f, wakeKin);
    }

    static QList<QStringList> texts(const PeriodSummary &s)
    {
        QList<QStringList> table;
        for (const SummaryRow &row : s.Rows)
            table.append(SummaryTexts(row));
        table.append(SummaryTexts(s.Total));
        return table;
    }

    static QStringList labels(const QList<SummaryRow> &rows)
    {
        QStringList out;
        for (const SummaryRow &row : rows)
            out.append(row.Label);
        return out;
    }

    FakePlatform platform;
    SharedData shared{platform};
};

TEST_F(PeriodSummaryTest, ByMonthWithTheDrawThreshold)
{
    const QList<QStringList> expected = {
        {u"2025年12月"_s, u"1"_s, u"1"_s, u"0"_s, u"0"_s, u"100.0%"_s, u"\\10,000"_s, u"\\25,000"_s,
         u"\\15,000"_s, u"250.0%"_s, u"\\15,000"_s, u"\\15,000"_s, u"—"_s},
        // -500 is a draw under 1000; 22500 / 28000 = 80.36 %; -5500 / 3 = -1833.3
        {u"2026年01月"_s, u"3"_s, u"1"_s, u"1"_s, u"1"_s, u"33.3%"_s, u"\\28,000"_s, u"\\22,500"_s,
         u"-\\5,500"_s, u"80.4%"_s, u"-\\1,833"_s, u"\\3,000"_s, u"-\\8,000"_s},
        // A balance of 0 is neither a win nor a loss.
        {u"2026年02月"_s, u"1"_s, u"0"_s, u"0"_s, u"1"_s, u"0.0%"_s, u"\\5,000"_s, u"\\5,000"_s,
         u"\\0"_s, u"100.0%"_s, u"\\0"_s, u"—"_s, u"—"_s},
        {u"合計"_s, u"5"_s, u"2"_s, u"1"_s, u"2"_s, u"40.0%"_s, u"\\43,000"_s, u"\\52,500"_s,
         u"\\9,500"_s, u"122.1%"_s, u"\\1,900"_s, u"\\15,000"_s, u"-\\8,000"_s},
    };
    EXPECT_EQ(texts(make(SummaryGrouping::Month)), expected);

    // Threshold 0: the -500 visit is a loss.
    const PeriodSummary strict = make(SummaryGrouping::Month, {}, 0);
    EXPECT_EQ(SummaryTexts(strict.Rows[1]).mid(1, 5),
              (QStringList{u"3"_s, u"1"_s, u"2"_s, u"0"_s, u"33.3%"_s}));

    // The spreadsheet form of the same row: plain numbers, one decimal.
    EXPECT_EQ(SummaryValues(make(SummaryGrouping::Month).Rows[1]),
              (QStringList{u"2026年01月"_s, u"3"_s, u"1"_s, u"1"_s, u"1"_s, u"33.3"_s, u"28000"_s,
                           u"22500"_s, u"-5500"_s, u"80.4"_s, u"-1833"_s, u"3000"_s, u"-8000"_s}));
}

TEST_F(PeriodSummaryTest, ByStoreUnknownIdsAndNoInvestment)
{
    const QList<QStringList> t = texts(make(SummaryGrouping::Store));
    ASSERT_EQ(t.size(), 4);
    EXPECT_EQ(t[0], (QStringList{u"駅前"_s, u"2"_s, u"1"_s, u"0"_s, u"1"_s, u"50.0%"_s,
                                 u"\\30,000"_s, u"\\44,500"_s, u"\\14,500"_s, u"148.3%"_s,
                                 u"\\7,250"_s, u"\\15,000"_s, u"-\\500"_s}));
    // 投資 0: no payout ratio.
    EXPECT_EQ(t[1], (QStringList{u"銀河"_s, u"1"_s, u"1"_s, u"0"_s, u"0"_s, u"100.0%"_s, u"\\0"_s,
                                 u"\\3,000"_s, u"\\3,000"_s, u"—"_s, u"\\3,000"_s, u"\\3,000"_s,
                                 u"—"_s}));
    // IDs 7 and 9 have no entry: one "(不明)" row after the listed stores.
    EXPECT_EQ(t[2], (QStringList{u"(不明)"_s, u"2"_s, u"0"_s, u"1"_s, u"1"_s, u"0.0%"_s,
                                 u"\\13,000"_s, u"\\5,000"_s, u"-\\8,000"_s, u"38.5%"_s,
                                 u"-\\4,000"_s, u"—"_s, u"-\\8,000"_s}));

    EXPECT_EQ(labels(make(SummaryGrouping::StoreMachine).Rows),
              (QStringList{u"駅前 / ドラゴン"_s, u"駅前 / 海"_s, u"銀河 / ドラゴン"_s,
                           u"(不明) / ドラゴン"_s, u"(不明) / (不明)"_s}));
    EXPECT_EQ(labels(make(SummaryGrouping::Machine).Rows),
              (QStringList{u"ドラゴン"_s, u"海"_s, u"(不明)"_s}));
    EXPECT_EQ(labels(make(SummaryGrouping::Year).Rows), (QStringList{u"2025年"_s, u"2026年"_s}));
    const PeriodSummary days = make(SummaryGrouping::Weekday);
    EXPECT_EQ(labels(days.Rows), (QStringList{u"日曜日"_s, u"火曜日"_s, u"土曜日"_s}));
    EXPECT_EQ(days.Rows[0].Sum.Visits, 2);
}

TEST_F(PeriodSummaryTest, PeriodStoreAndMachineFilters)
{
    // From, to, store, machine. Both ends count: records on each end, and a one-day period.
    PeriodSummary s = make(SummaryGrouping::Store, {QDate(2026, 1, 4), QDate(2026, 1, 10), 0, 0});
    EXPECT_EQ(labels(s.Rows), (QStringList{u"駅前"_s, u"銀河"_s, u"(不明)"_s}));
    EXPECT_EQ(s.Total.Sum.Visits, 3);
    s = make(SummaryGrouping::Store, {QDate(2026, 1, 10), QDate(2026, 1, 10), 0, 0});
    EXPECT_EQ(labels(s.Rows), (QStringList{u"銀河"_s, u"(不明)"_s}));

    s = make(SummaryGrouping::Month, {{}, {}, 1, 2});
    EXPECT_EQ(labels(s.Rows), QStringList{u"2026年01月"_s});
    EXPECT_EQ(s.Total.Sum.Balance(), -500);

    // Nothing selected: no group rows, and a totals row of zeros and dashes.
    s = make(SummaryGrouping::Month, {QDate(2027, 1, 1), {}, 0, 0});
    EXPECT_TRUE(s.Rows.isEmpty());
    EXPECT_EQ(SummaryTexts(s.Total),
              (QStringList{u"合計"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"—"_s, u"\\0"_s, u"\\0"_s,
                           u"\\0"_s, u"—"_s, u"—"_s, u"—"_s, u"—"_s}));
    EXPECT_EQ(SummaryValues(s.Total).mid(9),
              (QStringList{QString(), QString(), QString(), QString()}));
}

TEST_F(PeriodSummaryTest, SortsNumbersAsNumbersStablyWithDashesLast)
{
    QList<SummaryRow> months = make(SummaryGrouping::Month).Rows;
    // As texts "\10,000" < "\28,000" < "\5,000"; as numbers 5000 < 10000 < 28000.
    SortSummaryRows(months, ColToushi, false);
    EXPECT_EQ(labels(months), (QStringList{u"2026年02月"_s, u"2025年12月"_s, u"2026年01月"_s}));
    SortSummaryRows(months, ColBalance, true);
    EXPECT_EQ(labels(months), (QStringList{u"2025年12月"_s, u"2026年02月"_s, u"2026年01月"_s}));
    SortSummaryRows(months, ColGroup, true);
    EXPECT_EQ(labels(months), (QStringList{u"2026年02月"_s, u"2026年01月"_s, u"2025年12月"_s}));

    // Ties keep the natural order in both directions: 駅前 and (不明) both have 2 visits.
    const QList<SummaryRow> stores = make(SummaryGrouping::Store).Rows;
    QList<SummaryRow> sorted = stores;
    SortSummaryRows(sorted, ColVisits, false);
    EXPECT_EQ(labels(sorted), (QStringList{u"銀河"_s, u"駅前"_s, u"(不明)"_s}));
    sorted = stores;
    SortSummaryRows(sorted, ColVisits, true);
    EXPECT_EQ(labels(sorted), (QStringList{u"駅前"_s, u"(不明)"_s, u"銀河"_s}));

    // "—" (銀河 put nothing in) goes last either way.
    sorted = stores;
    SortSummaryRows(sorted, ColPayoutRatio, false);
    EXPECT_EQ(labels(sorted), (QStringList{u"(不明)"_s, u"駅前"_s, u"銀河"_s}));
    SortSummaryRows(sorted, ColPayoutRatio, true);
    EXPECT_EQ(labels(sorted), (QStringList{u"駅前"_s, u"(不明)"_s, u"銀河"_s}));
    sorted = stores;
    SortSummaryRows(sorted, ColBest, true);
    EXPECT_EQ(labels(sorted), (QStringList{u"駅前"_s, u"銀河"_s, u"(不明)"_s}));
}
} // namespace
