#include "core/statistics/calendar_sums.h"

#include "core/model/record_table.h"

using namespace Qt::StringLiterals;

#include <gtest/gtest.h>

namespace {
class CalendarSumsTest : public ::testing::Test {
protected:
    void add(qint16 y, qint16 m, qint16 d, qint32 toushi, qint32 kaishuu)
    {
        ASSERT_TRUE(data.DataWrite(y, m, d, toushi, kaishuu, 1, 1, QString()));
    }

    Data data;
    CalendarSums sums;
};
} // namespace

TEST(MonthGridTest, FirstWeekdayLengthAndWeeks)
{
    struct Case {
        qint32 year, month, first, days, weeks;
    };
    const Case cases[] = {
        {2024, 2, 4, 29, 5},  // leap year: Thursday the 1st
        {2023, 2, 3, 28, 5},  // common year
        {1900, 2, 4, 28, 5},  // divisible by 100: no leap day
        {2000, 2, 2, 29, 5},  // divisible by 400: leap day
        {2015, 2, 0, 28, 4},  // starts on a Sunday and fills four weeks exactly
        {2026, 8, 6, 31, 6},  // starts on a Saturday: six weeks
        {2026, 12, 2, 31, 5}, // December
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.year * 100 + c.month);
        const MonthGrid g = MakeMonthGrid(c.year, c.month);
        EXPECT_EQ(g.FirstWeekday, c.first);
        EXPECT_EQ(g.Days, c.days);
        EXPECT_EQ(g.Weeks(), c.weeks);
        EXPECT_EQ(g.DayAt(g.CellOf(1)), 1);
        EXPECT_EQ(g.DayAt(g.CellOf(c.days)), c.days);
        EXPECT_EQ(g.DayAt(g.CellOf(1) - 1), 0);
        EXPECT_EQ(g.DayAt(g.CellOf(c.days) + 1), 0);
    }
    for (auto [y, m] : {std::pair{2024, 0}, {2024, 13}, {0, 5}, {-3, 5}})
        EXPECT_EQ(MakeMonthGrid(y, m).Days, 0);
}

TEST_F(CalendarSumsTest, DaysMonthsAndUndatedRecords)
{
    add(2024, 3, 10, 10000, 25000); // 1: a win
    add(2024, 1, 31, 5000, 0);      // 2: last day of January
    add(2024, 2, 29, 3000, 3500);   // 3: leap day, a draw under 1000
    add(2024, 3, 10, 8000, 2000);   // 4: same day as record 1
    add(2023, 2, 29, 1000, 9000);   // 5: no such day
    add(0, 0, 0, 2000, 0);          // 6: no date
    add(2024, 2, 1, 4000, 9000);    // 7: first day of February
    add(2024, 3, 10, 1000, 1000);   // 8: third visit of the 10th
    add(1900, 2, 29, 1000, 0);      // 9: 1900 had no leap day
    add(2000, 2, 29, 1000, 3000);   // 10: 2000 had one
    add(-5, 3, 1, 1000, 0);         // 11: a year before 1
    add(2024, 3, 32, 1000, 0);      // 12: day 32
    sums.Calc(data, 1000);

    EXPECT_EQ(sums.Undated(), 5);
    EXPECT_EQ(sums.Dated(), 7);

    // Several visits on one day: summed, listed in table order.
    const DaySum *tenth = sums.Day(QDate(2024, 3, 10));
    ASSERT_NE(tenth, nullptr);
    EXPECT_EQ(tenth->Records, (QList<qint32>{1, 4, 8}));
    EXPECT_EQ(tenth->Sum.Visits, 3);
    EXPECT_EQ(tenth->Sum.Balance(), 15000 - 6000);

    // Month ends stay in their own months.
    EXPECT_EQ(sums.Month(2024, 1).Balance(), -5000);
    const ResultSum feb = sums.Month(2024, 2);
    EXPECT_EQ(feb.Visits, 2);
    EXPECT_EQ(feb.Balance(), 500 + 5000);
    const QList<DaySum> febDays = sums.DaysOf(2024, 2);
    ASSERT_EQ(febDays.size(), 2);
    EXPECT_EQ(febDays[0].Date, QDate(2024, 2, 1));
    EXPECT_EQ(febDays[1].Date, QDate(2024, 2, 29));
    EXPECT_EQ(febDays[1].Sum.Wake, 1);
    EXPECT_EQ(sums.DaysOf(2024, 1).size(), 1);
    EXPECT_EQ(sums.Month(2000, 2).Visits, 1);

    // Empty days and months; nonsense months.
    EXPECT_EQ(sums.Day(QDate(2024, 3, 11)), nullptr);
    EXPECT_EQ(sums.Day(QDate(2030, 1, 1)), nullptr);
    EXPECT_EQ(sums.Month(2024, 5), ResultSum());
    EXPECT_TRUE(sums.DaysOf(2024, 5).isEmpty());
    EXPECT_EQ(sums.Month(2024, 13), ResultSum());
    EXPECT_TRUE(sums.DaysOf(2024, 0).isEmpty());
    EXPECT_EQ(sums.Years(), (QList<qint32>{2000, 2024}));

    // A new threshold reclassifies; an emptied table leaves nothing behind.
    sums.Calc(data, 0);
    EXPECT_EQ(sums.Day(QDate(2024, 2, 29))->Sum.Kachi, 1);
    data.DataClear();
    sums.Calc(data, 1000);
    EXPECT_EQ(sums.Undated(), 0);
    EXPECT_EQ(sums.Day(QDate(2024, 3, 10)), nullptr);
    EXPECT_TRUE(sums.Years().isEmpty());
    EXPECT_TRUE(sums.MonthlySeries(0).isEmpty());
}

TEST_F(CalendarSumsTest, RunningTotals)
{
    add(2025, 11, 20, 20000, 0);     // -20,000
    add(2026, 4, 1, 5000, 5000);     // April: three visits, balance 0
    add(2026, 4, 15, 5000, 5999);    // +999
    add(2026, 4, 30, 5000, 4001);    // -999
    add(2026, 7, 4, 10000, 60000);   // +50,000
    add(2026, 12, 31, 30000, 10000); // -20,000
    sums.Calc(data, 1000);

    // One year: twelve months, the running total from 0 in January.
    const QList<MonthPoint> year = sums.MonthlySeries(2026);
    ASSERT_EQ(year.size(), 12);
    EXPECT_EQ(year[0].Month, 1);
    EXPECT_EQ(year[0].Running, 0);
    EXPECT_EQ(year[3].Sum.Visits, 3);
    EXPECT_EQ(year[6].Sum.Balance(), 50000);
    EXPECT_EQ(year[6].Running, 50000);
    EXPECT_EQ(year[10].Running, 50000); // empty months carry it on
    EXPECT_EQ(year[11].Running, 30000);
    EXPECT_EQ(year[11].Year, 2026);
    EXPECT_EQ(sums.MonthlySeries(2024).size(), 12);
    EXPECT_EQ(sums.MonthlySeries(2024).last().Running, 0);

    // All years: from the first month with visits to the last, across the
    // turn of the year.
    const QList<MonthPoint> all = sums.MonthlySeries(0);
    ASSERT_EQ(all.size(), 14);
    EXPECT_EQ(all.first().Year, 2025);
    EXPECT_EQ(all.first().Month, 11);
    EXPECT_EQ(all.first().Running, -20000);
    EXPECT_EQ(all[2].Year, 2026);
    EXPECT_EQ(all[2].Month, 1);
    EXPECT_EQ(all.last().Running, 10000);
}

// Play time counts the visits with both times, on the date of their record.
TEST_F(CalendarSumsTest, PlayTimeAndHourlyResult)
{
    struct Visit {
        qint16 month, day;
        qint32 balance;
        qint16 start, end;
    };
    const Visit visits[] = {
        {3, 1, 11000, 600, 930},        // 10:00–15:30: 330 minutes
        {3, 1, -7000, 1320, 90},        // 22:00–01:30: 210 minutes, the night of the 1st
        {3, 2, 5000, 600, kNoTime},     // a start only: not counted
        {3, 2, -2000, kNoTime, 1080},   // an end only
        {3, 3, 3000, 720, 720},         // 0 minutes
        {3, 4, 1000, kNoTime, kNoTime}, // no times
        {4, 1, -1010, 540, 620},        // 80 minutes: -757.5 yen an hour
    };
    for (const Visit &v : visits) {
        PlayRecord r{2026, v.month, v.day, 10000, 10000 + v.balance, 1, 1, {}};
        r.startMinute = v.start;
        r.endMinute = v.end;
        ASSERT_TRUE(data.DataWrite(r));
    }
    sums.Calc(data, 0);

    struct Expected {
        PlayTimeSum time;
        QString playTime, hourly;
    };
    const std::pair<PlayTimeSum, Expected> cases[] = {
        {sums.Day(QDate(2026, 3, 1))->Time, {{2, 540, 4000}, u"9:00"_s, u"\\444"_s}},
        {sums.Day(QDate(2026, 3, 2))->Time, {{0, 0, 0}, u"—"_s, u"—"_s}},
        {sums.Day(QDate(2026, 3, 3))->Time, {{1, 0, 3000}, u"0:00"_s, u"—"_s}},
        {sums.MonthTime(2026, 3), {{3, 540, 7000}, u"9:00"_s, u"\\778"_s}},
        {sums.MonthTime(2026, 4), {{1, 80, -1010}, u"1:20"_s, u"-\\758"_s}},
        {sums.MonthTime(2026, 5), {{}, u"—"_s, u"—"_s}},
        {sums.MonthlySeries(2026)[2].Time, {{3, 540, 7000}, u"9:00"_s, u"\\778"_s}},
    };
    for (const auto &[time, e] : cases) {
        SCOPED_TRACE(e.playTime.toStdString() + " " + e.hourly.toStdString());
        EXPECT_EQ(time, e.time);
        EXPECT_EQ(PlayTimeText(time), e.playTime);
        EXPECT_EQ(HourlyText(time), e.hourly);
    }
}
