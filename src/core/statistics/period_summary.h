#pragma once
// The summary table: the records of a period and of a store or machine,
// grouped by year, month, weekday, starting hour, store, machine, store and
// machine, rate or tag, one row per group with its results, and a totals row.

#include "core/model/visit_details.h"
#include "core/statistics/play_time_sum.h"
#include "core/statistics/result_sum.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

class Data;
class SMData;

enum class SummaryGrouping { Year, Month, Weekday, Hour, Store, Machine, StoreMachine, Rate, Tag };

// Which records count. Null dates leave that end of the period open; an ID of
// 0 takes every store or machine. A period takes only records with a real date.
struct SummaryFilter {
    QDate From;
    QDate To;
    qint16 SId = 0;
    qint16 MId = 0;
};

// What the visits' details add up to: their spin rate, and the jackpots of
// the visits that recorded a count.
struct DetailSum {
    SpinRate Spins;
    qint64 Jackpots = 0;
    qint32 JackpotVisits = 0;

    void Add(const PlayRecord &record);
    // None when no visit recorded its jackpots.
    std::optional<qint64> JackpotTotal() const;
};

struct SummaryRow {
    QString Label;    // "2026年", "2026年03月", "月曜日", "10時台", a name, "店 / 台",
                      // "4円パチンコ", a tag
    qint64 Order = 0; // place of the group in the table's natural order
    ResultSum Sum;
    PlayTimeSum Time;
    DetailSum Details;
};

// The table's columns, in order.
enum SummaryColumn {
    ColGroup,
    ColVisits,
    ColKachi,
    ColMake,
    ColWake,
    ColWinRate,
    ColToushi,
    ColKaishuu,
    ColBalance,
    ColPayoutRatio,
    ColAverage,
    ColBest,
    ColWorst,
    ColPlayTime,
    ColHourly,
    ColSpinRate,
    ColJackpots,
    kSummaryColumns
};

struct PeriodSummary {
    // In natural order: by date, by weekday from Sunday, by hour, by list
    // order, by rate (RateOrder), by tag name in Japanese dictionary order.
    // Records without a real date group under "日付なし", visits without a
    // start time under "時刻なし", without a rate under "レートなし", without
    // tags under "タグなし", after the others. A visit with several tags counts
    // in the row of each.
    QList<SummaryRow> Rows;
    SummaryRow Total; // "合計": every visit once
};

// The order rates are listed in: balls before medals, the dearer first.
// Unset rates have no place (std::nullopt).
std::optional<qint64> RateOrder(const PlayRate &rate);

PeriodSummary Summarize(const Data &data, const SMData &Stores, const SMData &Machines,
                        SummaryGrouping grouping, const SummaryFilter &filter, qint32 WakeKin);

// The label of the totals row.
QString SummaryTotalLabel();

// Column titles; the first names the grouping ("年", "月", "曜日", "店名", …).
QStringList SummaryTitles(SummaryGrouping grouping);

// The cells as shown: counts as plain numbers, ratios as "87.3%" (or "—"),
// amounts as yen texts ("\12,345", "-\500"), play time as "h:mm", the spin
// rate as "23.3". 最大勝 is "—" when no visit ended above 0, 最大負 when none
// ended below 0; 稼働時間 and 時給 when no visit has both times; 回転率 when
// no visit has spins and an investment, 大当たり when none has a count.
QStringList SummaryTexts(const SummaryRow &row);

// The cells for a spreadsheet: plain numbers without grouping or yen sign,
// ratios as percentages with one decimal ("87.3"), play time in minutes, the
// spin rate with one decimal, "" where there is none.
QStringList SummaryValues(const SummaryRow &row);
QStringList SummaryValueTitles(SummaryGrouping grouping);

// The number of a cell for sorting (the group column: the natural order);
// null where the cell shows "—".
QVariant SummaryValue(const SummaryRow &row, int column);
