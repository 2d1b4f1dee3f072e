#pragma once
// The summary table: the records of a period and of a store or machine,
// grouped by year, month, weekday, store, machine or store and machine, one
// row per group with its results, and a totals row.

#include "core/statistics/result_sum.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class Data;
class SMData;

enum class SummaryGrouping { Year, Month, Weekday, Store, Machine, StoreMachine };

// Which records count. Null dates leave that end of the period open; an ID of
// 0 takes every store or machine.
struct SummaryFilter {
    QDate From;
    QDate To;
    qint16 SId = 0;
    qint16 MId = 0;
};

struct SummaryRow {
    QString Label;    // "2026年", "2026年03月", "月曜日", a name, "店 / 台"
    qint64 Order = 0; // place of the group in the table's natural order
    ResultSum Sum;
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
    kSummaryColumns
};

struct PeriodSummary {
    QList<SummaryRow> Rows; // in natural order: by date, by weekday, by list order
    SummaryRow Total;       // "合計"
};

PeriodSummary Summarize(const Data &data, const SMData &Stores, const SMData &Machines,
                        SummaryGrouping grouping, const SummaryFilter &filter, qint32 WakeKin);

// The label of the totals row.
QString SummaryTotalLabel();

// Column titles; the first names the grouping ("年", "月", "曜日", "店名", …).
QStringList SummaryTitles(SummaryGrouping grouping);

// The cells as shown: counts as plain numbers, ratios as "87.3%" (or "—"),
// amounts as yen texts ("\12,345", "-\500"). 最大勝 is "—" when no visit ended
// above 0, 最大負 when none ended below 0.
QStringList SummaryTexts(const SummaryRow &row);

// The cells for a spreadsheet: plain numbers without grouping or yen sign,
// ratios as percentages with one decimal ("87.3"), "" where there is none.
QStringList SummaryValues(const SummaryRow &row);
QStringList SummaryValueTitles(SummaryGrouping grouping);

// Stable sort by one column: numbers as numbers (the group column by its
// natural order); cells without a value ("—") go last in both directions.
void SortSummaryRows(QList<SummaryRow> &rows, int column, bool descending);
