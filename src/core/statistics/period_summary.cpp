#include "core/statistics/period_summary.h"

#include "core/model/master_list.h"
#include "core/model/record_table.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {
// Groups of IDs that no entry has come after every listed one.
constexpr qint64 kUnlisted = 1'000'000;

qint32 dateNumber(qint32 year, qint32 month, qint32 day)
{
    return year * 10000 + month * 100 + day;
}

// Position (1-based) of the first entry of each ID, as SeekName finds it.
QHash<qint16, qint64> listPositions(const SMData &list)
{
    QHash<qint16, qint64> positions;
    positions.reserve(list.Count());
    qint64 position = 0;
    for (const MasterEntry &e : list.Entries()) {
        ++position;
        if (!positions.contains(e.ID))
            positions.insert(e.ID, position);
    }
    return positions;
}

class Grouper {
public:
    Grouper(SummaryGrouping grouping, const SMData &Stores, const SMData &Machines)
        : grouping_(grouping), stores_(Stores), machines_(Machines)
    {
        if (grouping == SummaryGrouping::Store || grouping == SummaryGrouping::StoreMachine)
            storePos_ = listPositions(Stores);
        if (grouping == SummaryGrouping::Machine || grouping == SummaryGrouping::StoreMachine)
            machinePos_ = listPositions(Machines);
    }

    // The natural order of the record's group; equal orders are one group.
    qint64 Order(const PlayRecord &r) const
    {
        switch (grouping_) {
        case SummaryGrouping::Year: return r.DYear;
        case SummaryGrouping::Month: return qint64(r.DYear) * 100 + r.DMonth;
        case SummaryGrouping::Weekday: return weekdayIndex(r);
        case SummaryGrouping::Store: return storePos_.value(r.DSId, kUnlisted);
        case SummaryGrouping::Machine: return machinePos_.value(r.DMId, kUnlisted);
        case SummaryGrouping::StoreMachine:
            return storePos_.value(r.DSId, kUnlisted) * (kUnlisted + 1) +
                   machinePos_.value(r.DMId, kUnlisted);
        }
        return 0;
    }

    QString Label(const PlayRecord &r) const
    {
        switch (grouping_) {
        case SummaryGrouping::Year: return FormatPlain(r.DYear) + u"年"_s;
        case SummaryGrouping::Month:
            return FormatPlain(r.DYear) + u"年"_s + FormatZeroPad(r.DMonth, 2) + u"月"_s;
        case SummaryGrouping::Weekday: {
            QString youbi;
            return YoubiGet(youbi, r.DYear, r.DMonth, r.DDay) ? youbi + u"曜日"_s : youbi;
        }
        case SummaryGrouping::Store: return storeName(r);
        case SummaryGrouping::Machine: return machineName(r);
        case SummaryGrouping::StoreMachine: return storeName(r) + u" / "_s + machineName(r);
        }
        return QString();
    }

private:
    static qint64 weekdayIndex(const PlayRecord &r)
    {
        static const QString kOrder = u"日月火水木金土"_s;
        QString youbi;
        if (!YoubiGet(youbi, r.DYear, r.DMonth, r.DDay))
            return 7; // dates that have no weekday come last
        return kOrder.indexOf(youbi);
    }
    // Every ID without an entry is one group, so one "(不明)" row.
    QString storeName(const PlayRecord &r) const
    {
        return storePos_.contains(r.DSId) ? stores_.SeekName(r.DSId) : UnknownName();
    }
    QString machineName(const PlayRecord &r) const
    {
        return machinePos_.contains(r.DMId) ? machines_.SeekName(r.DMId) : UnknownName();
    }

    SummaryGrouping grouping_;
    const SMData &stores_;
    const SMData &machines_;
    QHash<qint16, qint64> storePos_;
    QHash<qint16, qint64> machinePos_;
};

bool passes(const PlayRecord &r, const SummaryFilter &f, qint32 from, qint32 to)
{
    if (f.SId != 0 && r.DSId != f.SId)
        return false;
    if (f.MId != 0 && r.DMId != f.MId)
        return false;
    const qint32 date = dateNumber(r.DYear, r.DMonth, r.DDay);
    return date >= from && date <= to;
}

// One decimal, halves away from zero: 0.87349 → "87.3".
QString percentValue(std::optional<double> ratio)
{
    if (!ratio || !std::isfinite(*ratio))
        return QString();
    return QString::number(std::round(*ratio * 1000.0) / 10.0, 'f', 1);
}

std::optional<qint64> bestWin(const ResultSum &s)
{
    return s.Visits > 0 && s.Best > 0 ? std::optional<qint64>(s.Best) : std::nullopt;
}

std::optional<qint64> worstLoss(const ResultSum &s)
{
    return s.Visits > 0 && s.Worst < 0 ? std::optional<qint64>(s.Worst) : std::nullopt;
}

QString yenOrDash(std::optional<double> v)
{
    return v ? FormatYen(*v) : FormatPercent(std::nullopt);
}

QString plainOrEmpty(std::optional<qint64> v)
{
    return v ? QString::number(*v) : QString();
}

std::optional<double> sortValue(const SummaryRow &row, int column)
{
    const ResultSum &s = row.Sum;
    switch (column) {
    case ColGroup: return double(row.Order);
    case ColVisits: return s.Visits;
    case ColKachi: return s.Kachi;
    case ColMake: return s.Make;
    case ColWake: return s.Wake;
    case ColWinRate: return s.WinRate();
    case ColToushi: return double(s.Toushi);
    case ColKaishuu: return double(s.Kaishuu);
    case ColBalance: return double(s.Balance());
    case ColPayoutRatio: return s.PayoutRatio();
    case ColAverage: return s.AverageBalance();
    case ColBest:
        if (const auto v = bestWin(s))
            return double(*v);
        return std::nullopt;
    case ColWorst:
        if (const auto v = worstLoss(s))
            return double(*v);
        return std::nullopt;
    default: return std::nullopt;
    }
}

QString groupTitle(SummaryGrouping grouping)
{
    switch (grouping) {
    case SummaryGrouping::Year: return u"年"_s;
    case SummaryGrouping::Month: return u"月"_s;
    case SummaryGrouping::Weekday: return u"曜日"_s;
    case SummaryGrouping::Store: return u"店名"_s;
    case SummaryGrouping::Machine: return u"台名"_s;
    case SummaryGrouping::StoreMachine: return u"店名 / 台名"_s;
    }
    return QString();
}
} // namespace

PeriodSummary Summarize(const Data &data, const SMData &Stores, const SMData &Machines,
                        SummaryGrouping grouping, const SummaryFilter &filter, qint32 WakeKin)
{
    const Grouper grouper(grouping, Stores, Machines);
    const qint32 from = filter.From.isValid()
                            ? dateNumber(filter.From.year(), filter.From.month(), filter.From.day())
                            : std::numeric_limits<qint32>::min();
    const qint32 to = filter.To.isValid()
                          ? dateNumber(filter.To.year(), filter.To.month(), filter.To.day())
                          : std::numeric_limits<qint32>::max();
    PeriodSummary summary;
    summary.Total.Label = SummaryTotalLabel();
    QHash<qint64, qsizetype> groupAt;
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        const PlayRecord &r = data.Record(n);
        if (!passes(r, filter, from, to))
            continue;
        const qint64 order = grouper.Order(r);
        auto it = groupAt.constFind(order);
        if (it == groupAt.cend()) {
            it = groupAt.insert(order, summary.Rows.size());
            summary.Rows.append(SummaryRow{grouper.Label(r), order, ResultSum()});
        }
        summary.Rows[*it].Sum.Add(r, WakeKin);
        summary.Total.Sum.Add(r, WakeKin);
    }
    std::sort(summary.Rows.begin(), summary.Rows.end(),
              [](const SummaryRow &a, const SummaryRow &b) { return a.Order < b.Order; });
    return summary;
}

QString SummaryTotalLabel()
{
    return u"合計"_s;
}

QStringList SummaryTitles(SummaryGrouping grouping)
{
    return {groupTitle(grouping),
            u"来店回数"_s,
            u"勝"_s,
            u"敗"_s,
            u"分"_s,
            u"勝率"_s,
            u"投資"_s,
            u"回収"_s,
            u"収支"_s,
            u"回収率"_s,
            u"平均収支"_s,
            u"最大勝"_s,
            u"最大負"_s};
}

QStringList SummaryValueTitles(SummaryGrouping grouping)
{
    QStringList titles = SummaryTitles(grouping);
    titles[ColWinRate] = u"勝率(%)"_s;
    titles[ColPayoutRatio] = u"回収率(%)"_s;
    return titles;
}

QStringList SummaryTexts(const SummaryRow &row)
{
    const ResultSum &s = row.Sum;
    const auto asDouble = [](std::optional<qint64> v) {
        return v ? std::optional<double>(double(*v)) : std::nullopt;
    };
    return {row.Label,
            FormatPlain(s.Visits),
            FormatPlain(s.Kachi),
            FormatPlain(s.Make),
            FormatPlain(s.Wake),
            FormatPercent(s.WinRate()),
            FormatYen(double(s.Toushi)),
            FormatYen(double(s.Kaishuu)),
            FormatYen(double(s.Balance())),
            FormatPercent(s.PayoutRatio()),
            yenOrDash(s.AverageBalance()),
            yenOrDash(asDouble(bestWin(s))),
            yenOrDash(asDouble(worstLoss(s)))};
}

QStringList SummaryValues(const SummaryRow &row)
{
    const ResultSum &s = row.Sum;
    const auto average = s.AverageBalance();
    return {row.Label,
            QString::number(s.Visits),
            QString::number(s.Kachi),
            QString::number(s.Make),
            QString::number(s.Wake),
            percentValue(s.WinRate()),
            QString::number(s.Toushi),
            QString::number(s.Kaishuu),
            QString::number(s.Balance()),
            percentValue(s.PayoutRatio()),
            average ? QString::number(std::llround(*average)) : QString(),
            plainOrEmpty(bestWin(s)),
            plainOrEmpty(worstLoss(s))};
}

void SortSummaryRows(QList<SummaryRow> &rows, int column, bool descending)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [column, descending](const SummaryRow &a, const SummaryRow &b) {
                         const auto va = sortValue(a, column), vb = sortValue(b, column);
                         if (!va || !vb)
                             return va.has_value() && !vb.has_value();
                         return descending ? *va > *vb : *va < *vb;
                     });
}
