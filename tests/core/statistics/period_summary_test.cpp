// The summary table and its model against tables worked out by hand (see
// summary_sample.h).

#include "core/statistics/period_summary.h"
#include "core/statistics/summary_model.h"
#include "core/statistics/table_roles.h"
#include "core/statistics/value_sort_proxy.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "support/summary_sample.h"

#include <QAbstractItemModelTester>
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

    // Column c of a model, row by row.
    static QStringList column(const QAbstractItemModel &m, int c, int role = Qt::DisplayRole)
    {
        QStringList out;
        for (int r = 0; r < m.rowCount(); ++r)
            out.append(m.index(r, c).data(role).toString());
        return out;
    }

    void replaceRecords(std::initializer_list<PlayRecord> records)
    {
        ASSERT_TRUE(SetRecords(shared, records));
    }

    FakePlatform platform;
    SharedData shared{platform};
};

TEST_F(PeriodSummaryTest, ByMonthWithTheDrawThreshold)
{
    const QList<QStringList> expected = {
        {u"2025年12月"_s, u"1"_s, u"1"_s, u"0"_s, u"0"_s, u"100.0%"_s, u"\\10,000"_s, u"\\25,000"_s,
         u"\\15,000"_s, u"250.0%"_s, u"\\15,000"_s, u"\\15,000"_s, u"—"_s, u"—"_s, u"—"_s, u"—"_s,
         u"—"_s},
        // -500 is a draw under 1000; 22500 / 28000 = 80.36 %; -5500 / 3 = -1833.3
        {u"2026年01月"_s, u"3"_s, u"1"_s, u"1"_s, u"1"_s, u"33.3%"_s, u"\\28,000"_s, u"\\22,500"_s,
         u"-\\5,500"_s, u"80.4%"_s, u"-\\1,833"_s, u"\\3,000"_s, u"-\\8,000"_s, u"—"_s, u"—"_s,
         u"—"_s, u"—"_s},
        // A balance of 0 is neither a win nor a loss.
        {u"2026年02月"_s, u"1"_s, u"0"_s, u"0"_s, u"1"_s, u"0.0%"_s, u"\\5,000"_s, u"\\5,000"_s,
         u"\\0"_s, u"100.0%"_s, u"\\0"_s, u"—"_s, u"—"_s, u"—"_s, u"—"_s, u"—"_s, u"—"_s},
        {u"合計"_s, u"5"_s, u"2"_s, u"1"_s, u"2"_s, u"40.0%"_s, u"\\43,000"_s, u"\\52,500"_s,
         u"\\9,500"_s, u"122.1%"_s, u"\\1,900"_s, u"\\15,000"_s, u"-\\8,000"_s, u"—"_s, u"—"_s,
         u"—"_s, u"—"_s},
    };
    EXPECT_EQ(texts(make(SummaryGrouping::Month)), expected);

    // Threshold 0: the -500 visit is a loss.
    const PeriodSummary strict = make(SummaryGrouping::Month, {}, 0);
    EXPECT_EQ(SummaryTexts(strict.Rows[1]).mid(1, 5),
              (QStringList{u"3"_s, u"1"_s, u"2"_s, u"0"_s, u"33.3%"_s}));

    // The spreadsheet form of the same row: plain numbers, one decimal.
    EXPECT_EQ(SummaryValues(make(SummaryGrouping::Month).Rows[1]),
              (QStringList{u"2026年01月"_s, u"3"_s, u"1"_s, u"1"_s, u"1"_s, u"33.3"_s, u"28000"_s,
                           u"22500"_s, u"-5500"_s, u"80.4"_s, u"-1833"_s, u"3000"_s, u"-8000"_s,
                           QString(), QString(), QString(), QString()}));
}

TEST_F(PeriodSummaryTest, ByStoreUnknownIdsAndNoInvestment)
{
    const QList<QStringList> t = texts(make(SummaryGrouping::Store));
    ASSERT_EQ(t.size(), 4);
    EXPECT_EQ(t[0].mid(0, 13),
              (QStringList{u"駅前"_s, u"2"_s, u"1"_s, u"0"_s, u"1"_s, u"50.0%"_s, u"\\30,000"_s,
                           u"\\44,500"_s, u"\\14,500"_s, u"148.3%"_s, u"\\7,250"_s, u"\\15,000"_s,
                           u"-\\500"_s}));
    // 投資 0: no payout ratio.
    EXPECT_EQ(t[1].mid(0, 13), (QStringList{u"銀河"_s, u"1"_s, u"1"_s, u"0"_s, u"0"_s, u"100.0%"_s,
                                            u"\\0"_s, u"\\3,000"_s, u"\\3,000"_s, u"—"_s,
                                            u"\\3,000"_s, u"\\3,000"_s, u"—"_s}));
    // IDs 7 and 9 have no entry: one "(不明)" row after the listed stores.
    EXPECT_EQ(t[2].mid(0, 13), (QStringList{u"(不明)"_s, u"2"_s, u"0"_s, u"1"_s, u"1"_s, u"0.0%"_s,
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

TEST_F(PeriodSummaryTest, UndatedRecordsGroupUnderOneRowAndNoPeriodHasThem)
{
    replaceRecords({{0, 0, 0, 1000, 0, 1, 1, {}},
                    {2001, 13, 5, 2000, 0, 1, 1, {}},
                    {2023, 2, 30, 4000, 0, 1, 1, {}},
                    {2023, 2, 28, 8000, 0, 1, 1, {}},
                    {1900, 1, 1, 16000, 0, 1, 1, {}}});
    struct Case {
        SummaryGrouping grouping;
        QStringList labels;
    };
    const Case cases[] = {
        {SummaryGrouping::Year, {u"1900年"_s, u"2023年"_s, u"日付なし"_s}},
        {SummaryGrouping::Month, {u"1900年01月"_s, u"2023年02月"_s, u"日付なし"_s}},
        {SummaryGrouping::Weekday, {u"月曜日"_s, u"火曜日"_s, u"日付なし"_s}},
    };
    for (const Case &c : cases) {
        const PeriodSummary s = make(c.grouping);
        EXPECT_EQ(labels(s.Rows), c.labels);
        EXPECT_EQ(s.Rows.last().Sum.Toushi, 7000) << c.labels.last().toStdString();
    }
    // 2001/13/05 lies between these dates as a number, but is no day of them.
    const PeriodSummary s = make(SummaryGrouping::Year, {QDate(2001, 1, 1), QDate(2023, 12, 31)});
    EXPECT_EQ(labels(s.Rows), QStringList{u"2023年"_s});
    EXPECT_EQ(s.Total.Sum.Toushi, 8000);
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
    EXPECT_EQ(SummaryTexts(s.Total), (QStringList{u"合計"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"—"_s,
                                                  u"\\0"_s, u"\\0"_s, u"\\0"_s, u"—"_s, u"—"_s,
                                                  u"—"_s, u"—"_s, u"—"_s, u"—"_s, u"—"_s, u"—"_s}));
    EXPECT_EQ(SummaryValues(s.Total).mid(9), QStringList(8, QString()));
}

// Minutes: 10:00–12:30 is 150; 22:00–1:30 crosses midnight, 210; a start
// without an end and no times at all count no minutes; 10:40–10:40 is 0.
//   start  end    投資   回収   収支   machine
//   10:00  12:30  10000  15000  +5000  1
//   22:00  01:30  20000  13000  -7000  1
//   10:15  —       5000      0  -5000  1
//   10:40  10:40   3000   4000  +1000  2
//   —      —       1000      0  -1000  1
TEST_F(PeriodSummaryTest, PlayTimeAndHourlyResultByStartingHour)
{
    const auto timed = [](qint16 day, qint16 start, qint16 end, qint32 toushi, qint32 kaishuu,
                          qint16 machine) {
        PlayRecord r{2026, 3, day, toushi, kaishuu, 1, machine, {}};
        r.startMinute = start;
        r.endMinute = end;
        return r;
    };
    replaceRecords({timed(1, 600, 750, 10000, 15000, 1), timed(2, 1320, 90, 20000, 13000, 1),
                    timed(3, 615, kNoTime, 5000, 0, 1), timed(4, 640, 640, 3000, 4000, 2),
                    timed(5, kNoTime, kNoTime, 1000, 0, 1)});
    const PeriodSummary hours = make(SummaryGrouping::Hour);
    // 10時台: 150 + 0 minutes, +6000 over them: 2,400 yen an hour. 22時台:
    // -7000 over 3.5 hours. Totals: -1000 over 6 hours = -166.7.
    const QList<QStringList> expected = {
        {u"10時台"_s, u"3"_s, u"2:30"_s, u"\\2,400"_s},
        {u"22時台"_s, u"1"_s, u"3:30"_s, u"-\\2,000"_s},
        {u"時刻なし"_s, u"1"_s, u"—"_s, u"—"_s},
        {u"合計"_s, u"5"_s, u"6:00"_s, u"-\\167"_s},
    };
    QList<QStringList> shown;
    for (const QStringList &row : texts(hours))
        shown.append({row[ColGroup], row[ColVisits], row[ColPlayTime], row[ColHourly]});
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(SummaryValues(hours.Rows[0]).mid(ColPlayTime, 2), (QStringList{u"150"_s, u"2400"_s}));
    EXPECT_EQ(SummaryValueTitles(SummaryGrouping::Hour).mid(ColPlayTime),
              (QStringList{u"稼働時間(分)"_s, u"時給"_s, u"回転率(回/千円)"_s, u"大当たり"_s}));

    // Visits of 0 minutes only: a play time, but no hourly result.
    const PeriodSummary machines = make(SummaryGrouping::Machine);
    EXPECT_EQ(SummaryTexts(machines.Rows[1]).mid(ColPlayTime, 2), (QStringList{u"0:00"_s, u"—"_s}));
}

// Visits with details, of both kinds of rate, tags shared by several visits:
//   day  rate          spins  投資   回収   収支    大当たり  tags
//   1    4円パチンコ    400    20000  30000  +10000  3         イベント日、並び
//   2    4円パチンコ    300    10000      0  -10000  0         イベント日
//   3    1円パチンコ   1001    20000  26000   +6000  —
//   4    20円スロット  —      15000  40000  +25000  2         新台
//   5    5円スロット    100        0   2000   +2000  1         並び、新台
//   6    —             —       3000      0   -3000  —
// 回転率 = Σspins ÷ Σ投資 × 1,000 over the visits with spins and 投資 > 0 (not
// day 5): 4円 700 / 30,000 = 23.33; 1円 1,001 / 20,000 = 50.05, half up to
// 50.1; all 1,701 / 50,000 = 34.02.
TEST_F(PeriodSummaryTest, ByRateAndByTagWithSpinRateAndJackpots)
{
    using Kind = PlayRate::Kind;
    const auto visit = [](qint16 day, qint32 toushi, qint32 kaishuu, PlayRate rate, qint32 spins,
                          qint32 jackpots, QStringList tags) {
        PlayRecord r{2026, 3, day, toushi, kaishuu, 1, 1, {}};
        r.rate = rate;
        r.spins = spins;
        r.jackpots = jackpots;
        r.tags = tags;
        return r;
    };
    replaceRecords(
        {visit(1, 20000, 30000, {Kind::Pachinko, 400}, 400, 3, {u"イベント日"_s, u"並び"_s}),
         visit(2, 10000, 0, {Kind::Pachinko, 400}, 300, 0, {u"イベント日"_s}),
         visit(3, 20000, 26000, {Kind::Pachinko, 100}, 1001, kNoCount, {}),
         visit(4, 15000, 40000, {Kind::Slot, 2000}, kNoCount, 2, {u"新台"_s}),
         visit(5, 0, 2000, {Kind::Slot, 500}, 100, 1, {u"並び"_s, u"新台"_s}),
         visit(6, 3000, 0, {}, kNoCount, kNoCount, {})});
    const auto shown = [](const PeriodSummary &s) {
        QList<QStringList> out;
        for (const QStringList &row : texts(s))
            out.append({row[ColGroup], row[ColVisits], row[ColBalance], row[ColSpinRate],
                        row[ColJackpots]});
        return out;
    };
    // Balls before medals, the dearer first, visits without a rate last.
    const PeriodSummary byRate = make(SummaryGrouping::Rate);
    EXPECT_EQ(shown(byRate), (QList<QStringList>{
                                 {u"4円パチンコ"_s, u"2"_s, u"\\0"_s, u"23.3"_s, u"3"_s},
                                 {u"1円パチンコ"_s, u"1"_s, u"\\6,000"_s, u"50.1"_s, u"—"_s},
                                 {u"20円スロット"_s, u"1"_s, u"\\25,000"_s, u"—"_s, u"2"_s},
                                 {u"5円スロット"_s, u"1"_s, u"\\2,000"_s, u"—"_s, u"1"_s},
                                 {u"レートなし"_s, u"1"_s, u"-\\3,000"_s, u"—"_s, u"—"_s},
                                 {u"合計"_s, u"6"_s, u"\\30,000"_s, u"34.0"_s, u"6"_s},
                             }));
    EXPECT_EQ(SummaryValues(byRate.Rows[0]).mid(ColSpinRate), (QStringList{u"23.3"_s, u"3"_s}));
    EXPECT_EQ(SummaryValues(byRate.Rows[3]).mid(ColSpinRate), (QStringList{QString(), u"1"_s}));
    EXPECT_EQ(SummaryValue(byRate.Rows[1], ColSpinRate), QVariant(qint64(501)));
    EXPECT_TRUE(SummaryValue(byRate.Rows[4], ColJackpots).isNull());

    // In dictionary order (新 シン before 並 ヘイ, though not by code); a visit
    // in the row of each of its tags, once in the totals; untagged ones last.
    const PeriodSummary byTag = make(SummaryGrouping::Tag);
    EXPECT_EQ(shown(byTag), (QList<QStringList>{
                                {u"イベント日"_s, u"2"_s, u"\\0"_s, u"23.3"_s, u"3"_s},
                                {u"新台"_s, u"2"_s, u"\\27,000"_s, u"—"_s, u"3"_s},
                                {u"並び"_s, u"2"_s, u"\\12,000"_s, u"20.0"_s, u"4"_s},
                                {u"タグなし"_s, u"2"_s, u"\\3,000"_s, u"50.1"_s, u"—"_s},
                                {u"合計"_s, u"6"_s, u"\\30,000"_s, u"34.0"_s, u"6"_s},
                            }));
    EXPECT_EQ(SummaryTitles(SummaryGrouping::Tag).first(), u"タグ"_s);
}

TEST_F(PeriodSummaryTest, PercentagesRoundExactDecimalHalvesUp)
{
    // 1,001 ÷ 2,000 is 50.05 %: exactly a half, which a binary ratio misses.
    replaceRecords({{2026, 1, 1, 2000, 1001, 1, 1, {}}, {2026, 1, 2, 0, 0, 1, 1, {}}});
    const SummaryRow total = make(SummaryGrouping::Year).Total;
    EXPECT_EQ(SummaryTexts(total)[ColPayoutRatio], u"50.1%"_s);
    EXPECT_EQ(SummaryValues(total)[ColPayoutRatio], u"50.1"_s);
}

TEST_F(PeriodSummaryTest, ModelRolesAndSortingOnValues)
{
    SummaryModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ValueSortProxy rows(ValueSortProxy::Part::Body), totals(ValueSortProxy::Part::Pinned);
    rows.setSourceModel(&model);
    totals.setSourceModel(&model);
    QAbstractItemModelTester rowsTester(&rows,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester totalsTester(&totals,
                                          QAbstractItemModelTester::FailureReportingMode::Fatal);

    model.SetSummary(SummaryGrouping::Weekday, make(SummaryGrouping::Weekday));
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(column(model, ColGroup),
              (QStringList{u"日曜日"_s, u"火曜日"_s, u"土曜日"_s, u"合計"_s}));
    // Shown with the yen sign; red by the sign, Sundays red, Saturdays blue.
    EXPECT_EQ(column(model, ColBalance),
              (QStringList{u"-¥500"_s, u"¥15,000"_s, u"-¥5,000"_s, u"¥9,500"_s}));
    const auto tone = [&](int r, int c) { return Tone(model.index(r, c).data(ToneRole).toInt()); };
    EXPECT_EQ(tone(0, ColBalance), Tone::Loss);
    EXPECT_EQ(tone(1, ColBalance), Tone::Plain);
    EXPECT_EQ(tone(0, ColGroup), Tone::Sunday);
    EXPECT_EQ(tone(2, ColGroup), Tone::Saturday);
    EXPECT_EQ(tone(0, ColWake), Tone::Plain);
    EXPECT_EQ(model.index(1, ColBalance).data(ValueRole), QVariant(qint64(15000)));
    EXPECT_EQ(model.headerData(ColWinRate, Qt::Horizontal, ExportRole), QVariant(u"勝率(%)"_s));
    EXPECT_EQ(column(totals, ColGroup), QStringList{u"合計"_s});

    model.SetSummary(SummaryGrouping::Month, make(SummaryGrouping::Month));
    // As texts "\10,000" < "\28,000" < "\5,000"; as numbers 5000 < 10000 < 28000.
    rows.sort(ColToushi, Qt::AscendingOrder);
    EXPECT_EQ(column(rows, ColGroup),
              (QStringList{u"2026年02月"_s, u"2025年12月"_s, u"2026年01月"_s}));
    rows.sort(ColBalance, Qt::DescendingOrder);
    EXPECT_EQ(column(rows, ColGroup),
              (QStringList{u"2025年12月"_s, u"2026年02月"_s, u"2026年01月"_s}));
    rows.sort(ColGroup, Qt::DescendingOrder);
    EXPECT_EQ(column(rows, ColGroup),
              (QStringList{u"2026年02月"_s, u"2026年01月"_s, u"2025年12月"_s}));

    // Ties keep the natural order in both directions, whatever the sort
    // before: 駅前 and (不明) both have 2 visits. "—" goes last either way.
    model.SetSummary(SummaryGrouping::Store, make(SummaryGrouping::Store));
    struct Case {
        int column;
        Qt::SortOrder order;
        QStringList labels;
    };
    const Case cases[] = {
        {ColVisits, Qt::AscendingOrder, {u"銀河"_s, u"駅前"_s, u"(不明)"_s}},
        {ColVisits, Qt::DescendingOrder, {u"駅前"_s, u"(不明)"_s, u"銀河"_s}},
        {ColPayoutRatio, Qt::AscendingOrder, {u"(不明)"_s, u"駅前"_s, u"銀河"_s}},
        {ColPayoutRatio, Qt::DescendingOrder, {u"駅前"_s, u"(不明)"_s, u"銀河"_s}},
        {ColBest, Qt::DescendingOrder, {u"駅前"_s, u"銀河"_s, u"(不明)"_s}},
        {ColBest, Qt::AscendingOrder, {u"銀河"_s, u"駅前"_s, u"(不明)"_s}},
    };
    for (const Case &c : cases) {
        rows.sort(c.column, c.order);
        EXPECT_EQ(column(rows, ColGroup), c.labels) << c.column << ' ' << c.order;
    }
    EXPECT_EQ(column(totals, ColVisits), QStringList{u"5"_s});
}
} // namespace
