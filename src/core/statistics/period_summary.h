#pragma once
// The summary table: the records of a period and of a store or machine,
// grouped by year, month, weekday, starting hour, store, machine or store and
// machine, one row per group with its results, and a totals row.

#include "core/statistics/play_time_sum.h"
#include "core/statistics/result_sum.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class Data;
class SMData;

enum class SummaryGrouping { Year, Month, Weekday, Hour, Store, Machine, StoreMachine };

// Which records count. Null dates leave that end of the period open; an ID of
// 0 takes every store or machine. A period takes only records with a real date.
struct SummaryFilter {
    QDate From;
    QDate To;
    qint16 SId = 0;
    qint16 MId = 0;
};

struct SummaryRow {
    QString Label;    // "2026年", "2026年03月", "月曜日", "10時台", a name, "店 / 台"
    qint64 Order = 0; // place of the group in the table's natural order
    ResultSum Sum;
    PlayTimeSum Time;
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
    kSummaryColumns
};

struct PeriodSummary {
    // In natural order: by date, by weekday from Sunday, by hour, by list
    // order. Records without a real date group under "日付なし", visits without
    // a start time under "時刻なし", after the others.
    QList<SummaryRow> Rows;
    SummaryRow Total; // "合計"
};

PeriodSummary Summarize(const Data &data, const SMData &Stores, const SMData &Machines,
                        SummaryGrouping grouping, const SummaryFilter &filter, qint32 WakeKin);

// The label of the totals row.
QString SummaryTotalLabel();

// Column titles; the first names the grouping ("年", "月", "曜日", "店名", …).
QStringList SummaryTitles(SummaryGrouping grouping);

// The cells as shown: counts as plain numbers, ratios as "87.3%" (or "—"),
// amounts as yen texts ("\12,345", "-\500"), play time as "h:mm". 最大勝 is
// "—" when no visit ended above 0, 最大負 when none ended below 0; 稼働時間
// and 時給 when no visit has both times.
QStringList SummaryTexts(const SummaryRow &row);

// The cells for a spreadsheet: plain numbers without grouping or yen sign,
// ratios as percentages with one decimal ("87.3"), play time in minutes, ""
// where there is none.
QStringList SummaryValues(const SummaryRow &row);
QStringList SummaryValueTitles(SummaryGrouping grouping);

// The number of a cell for sorting (the group column: the natural order);
// null where the cell shows "—".
QVariant SummaryValue(const SummaryRow &row, int column);
