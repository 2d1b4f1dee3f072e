#include "core/statistics/period_summary.h"

#include "core/model/master_list.h"
#include "core/model/play_time.h"
#include "core/model/record_table.h"
#include "core/statistics/calendar_sums.h"
#include "core/util/numbers.h"

#include <QCollator>
#include <QHash>
#include <algorithm>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {
// Groups of IDs that no entry has come after every listed one; groups without
// a date or a time after every other.
constexpr qint64 kUnlisted = 1'000'000;
constexpr qint64 kLast = std::numeric_limits<qint64>::max();

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

QDate dateOf(const PlayRecord &r)
{
    return RecordDate(r.DYear, r.DMonth, r.DDay);
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
        const QDate date = isDated() ? dateOf(r) : QDate();
        if (isDated() && !date.isValid())
            return kLast;
        switch (grouping_) {
        case SummaryGrouping::Year: return r.DYear;
        case SummaryGrouping::Month: return qint64(r.DYear) * 100 + r.DMonth;
        case SummaryGrouping::Weekday: return date.dayOfWeek() % 7; // Sunday first
        case SummaryGrouping::Hour: return hasStart(r) ? r.startMinute / 60 : kLast;
        case SummaryGrouping::Store: return storePos_.value(r.DSId, kUnlisted);
        case SummaryGrouping::Machine: return machinePos_.value(r.DMId, kUnlisted);
        case SummaryGrouping::StoreMachine:
            return storePos_.value(r.DSId, kUnlisted) * (kUnlisted + 1) +
                   machinePos_.value(r.DMId, kUnlisted);
        case SummaryGrouping::Rate: return RateOrder(r.rate).value_or(kLast);
        case SummaryGrouping::Tag: return kLast; // the visits without tags
        }
        return 0;
    }

    // The label of the group whose order is given, from one of its records.
    QString Label(qint64 order, const PlayRecord &r) const
    {
        if (order == kLast) {
            switch (grouping_) {
            case SummaryGrouping::Hour: return u"時刻なし"_s;
            case SummaryGrouping::Rate: return u"レートなし"_s;
            case SummaryGrouping::Tag: return u"タグなし"_s;
            default: return u"日付なし"_s;
            }
        }
        switch (grouping_) {
        case SummaryGrouping::Year: return FormatPlain(order) + u"年"_s;
        case SummaryGrouping::Month:
            return FormatPlain(order / 100) + u"年"_s + FormatZeroPad(double(order % 100), 2) +
                   u"月"_s;
        case SummaryGrouping::Weekday: return QString(u"日月火水木金土"_s.at(order)) + u"曜日"_s;
        case SummaryGrouping::Hour: return FormatPlain(order) + u"時台"_s;
        case SummaryGrouping::Store: return storeName(r);
        case SummaryGrouping::Machine: return machineName(r);
        case SummaryGrouping::StoreMachine: return storeName(r) + u" / "_s + machineName(r);
        case SummaryGrouping::Rate: return RateText(r.rate);
        case SummaryGrouping::Tag: return QString(); // named by their tags
        }
        return QString();
    }

private:
    bool isDated() const
    {
        return grouping_ == SummaryGrouping::Year || grouping_ == SummaryGrouping::Month ||
               grouping_ == SummaryGrouping::Weekday;
    }
    static bool hasStart(const PlayRecord &r)
    {
        return r.startMinute >= 0 && r.startMinute < 24 * 60;
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

bool passes(const PlayRecord &r, const SummaryFilter &f)
{
    if (f.SId != 0 && r.DSId != f.SId)
        return false;
    if (f.MId != 0 && r.DMId != f.MId)
        return false;
    if (!f.From.isValid() && !f.To.isValid())
        return true;
    // Compared as dates: 2001/13/05 is no day of any period.
    const QDate date = dateOf(r);
    return date.isValid() && (!f.From.isValid() || date >= f.From) &&
           (!f.To.isValid() || date <= f.To);
}

std::optional<qint64> bestWin(const ResultSum &s)
{
    return s.Visits > 0 && s.Best > 0 ? std::optional<qint64>(s.Best) : std::nullopt;
}

std::optional<qint64> worstLoss(const ResultSum &s)
{
    return s.Visits > 0 && s.Worst < 0 ? std::optional<qint64>(s.Worst) : std::nullopt;
}

// The average balance as shown: whole yen, halves away from zero.
std::optional<qint64> averageBalance(const ResultSum &s)
{
    if (s.Visits == 0)
        return std::nullopt;
    const qint64 b = s.Balance();
    const qint64 rounded = (2 * (b < 0 ? -b : b) + s.Visits) / (2 * qint64(s.Visits));
    return b < 0 ? -rounded : rounded;
}

QString yenOrDash(std::optional<qint64> v)
{
    return v ? FormatYen(double(*v)) : FormatPercent(std::nullopt);
}

QString plainOrEmpty(std::optional<qint64> v)
{
    return v ? QString::number(*v) : QString();
}

// Tenths as a spreadsheet reads them: "87.3", "-0.5", "1234.5"; "" for none.
QString tenthsValue(std::optional<qint64> tenths)
{
    if (!tenths)
        return QString();
    const quint64 m = *tenths < 0 ? 0ULL - quint64(*tenths) : quint64(*tenths);
    return (*tenths < 0 ? u"-"_s : QString()) + QString::number(m / 10) + u'.' +
           QString::number(m % 10);
}

QString percentValue(qint64 numerator, qint64 denominator)
{
    return tenthsValue(PercentTenths(numerator, denominator));
}

QVariant valueOf(std::optional<qint64> v)
{
    return v ? QVariant(*v) : QVariant();
}

QVariant ratioOf(qint64 numerator, qint64 denominator)
{
    return denominator != 0 ? QVariant(double(numerator) / double(denominator)) : QVariant();
}

QString groupTitle(SummaryGrouping grouping)
{
    switch (grouping) {
    case SummaryGrouping::Year: return u"年"_s;
    case SummaryGrouping::Month: return u"月"_s;
    case SummaryGrouping::Weekday: return u"曜日"_s;
    case SummaryGrouping::Hour: return u"時間帯"_s;
    case SummaryGrouping::Store: return u"店名"_s;
    case SummaryGrouping::Machine: return u"台名"_s;
    case SummaryGrouping::StoreMachine: return u"店名 / 台名"_s;
    case SummaryGrouping::Rate: return u"レート"_s;
    case SummaryGrouping::Tag: return u"タグ"_s;
    }
    return QString();
}

void addTo(SummaryRow &row, const PlayRecord &r, qint32 WakeKin)
{
    row.Sum.Add(r, WakeKin);
    row.Time.Add(r);
    row.Details.Add(r);
}

// The tag rows (Order 0 until now) numbered in Japanese dictionary order:
// Latin letters, then kana by their sounds, then kanji in the order of the
// JIS table (by their common reading); numbers by value ("2" before "10").
void orderTags(QList<SummaryRow> &rows)
{
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setNumericMode(true);
    QList<SummaryRow *> tags;
    for (SummaryRow &row : rows)
        if (row.Order != kLast)
            tags.append(&row);
    std::sort(tags.begin(), tags.end(), [&collator](const SummaryRow *a, const SummaryRow *b) {
        const int order = collator.compare(a->Label, b->Label);
        return order != 0 ? order < 0 : a->Label < b->Label;
    });
    for (qsizetype k = 0; k < tags.size(); ++k)
        tags[k]->Order = k;
}
} // namespace

void DetailSum::Add(const PlayRecord &record)
{
    Spins.Add(record);
    if (record.jackpots == kNoCount)
        return;
    Jackpots += record.jackpots;
    ++JackpotVisits;
}

std::optional<qint64> DetailSum::JackpotTotal() const
{
    return JackpotVisits > 0 ? std::optional<qint64>(Jackpots) : std::nullopt;
}

std::optional<qint64> RateOrder(const PlayRate &rate)
{
    if (!rate.IsSet())
        return std::nullopt;
    return (rate.kind == PlayRate::Kind::Slot ? 1'000'000 : 0) - qint64(rate.price);
}

PeriodSummary Summarize(const Data &data, const SMData &Stores, const SMData &Machines,
                        SummaryGrouping grouping, const SummaryFilter &filter, qint32 WakeKin)
{
    const Grouper grouper(grouping, Stores, Machines);
    PeriodSummary summary;
    summary.Total.Label = SummaryTotalLabel();
    const bool byTag = grouping == SummaryGrouping::Tag;
    QHash<qint64, qsizetype> groupAt;
    QHash<QString, qsizetype> tagAt;
    const auto rowAt = [&summary](auto &at, const auto &key, auto label, qint64 order) {
        auto it = at.constFind(key);
        if (it == at.cend()) {
            it = at.insert(key, summary.Rows.size());
            SummaryRow row;
            row.Label = label();
            row.Order = order;
            summary.Rows.append(row);
        }
        return *it;
    };
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        const PlayRecord &r = data.Record(n);
        if (!passes(r, filter))
            continue;
        // The totals take every visit once, whatever rows it counts in.
        addTo(summary.Total, r, WakeKin);
        bool tagged = false;
        for (qsizetype t = 0; byTag && t < r.tags.size(); ++t) {
            const QString &tag = r.tags[t];
            if (tag.isEmpty() || r.tags.indexOf(tag) < t) // each tag once a visit
                continue;
            tagged = true;
            addTo(summary.Rows[rowAt(
                      tagAt, tag, [&tag] { return tag; }, 0)],
                  r, WakeKin);
        }
        if (tagged)
            continue;
        const qint64 order = grouper.Order(r);
        const auto label = [&] { return grouper.Label(order, r); };
        addTo(summary.Rows[rowAt(groupAt, order, label, order)], r, WakeKin);
    }
    if (byTag)
        orderTags(summary.Rows);
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
            u"最大負"_s,
            u"稼働時間"_s,
            u"時給"_s,
            u"回転率(回/千円)"_s,
            u"大当たり"_s};
}

QStringList SummaryValueTitles(SummaryGrouping grouping)
{
    QStringList titles = SummaryTitles(grouping);
    titles[ColWinRate] = u"勝率(%)"_s;
    titles[ColPayoutRatio] = u"回収率(%)"_s;
    titles[ColPlayTime] = u"稼働時間(分)"_s;
    return titles;
}

QStringList SummaryTexts(const SummaryRow &row)
{
    const ResultSum &s = row.Sum;
    const std::optional<qint64> minutes = row.Time.PlayedMinutes();
    const std::optional<qint64> jackpots = row.Details.JackpotTotal();
    return {row.Label,
            FormatPlain(s.Visits),
            FormatPlain(s.Kachi),
            FormatPlain(s.Make),
            FormatPlain(s.Wake),
            FormatPercent(s.Kachi, s.Visits),
            FormatYen(double(s.Toushi)),
            FormatYen(double(s.Kaishuu)),
            FormatYen(double(s.Balance())),
            FormatPercent(s.Kaishuu, s.Toushi),
            yenOrDash(averageBalance(s)),
            yenOrDash(bestWin(s)),
            yenOrDash(worstLoss(s)),
            minutes ? FormatDuration(*minutes) : FormatPercent(std::nullopt),
            yenOrDash(row.Time.Hourly()),
            row.Details.Spins.Text(),
            jackpots ? FormatPlain(*jackpots) : FormatPercent(std::nullopt)};
}

QStringList SummaryValues(const SummaryRow &row)
{
    const ResultSum &s = row.Sum;
    return {row.Label,
            QString::number(s.Visits),
            QString::number(s.Kachi),
            QString::number(s.Make),
            QString::number(s.Wake),
            percentValue(s.Kachi, s.Visits),
            QString::number(s.Toushi),
            QString::number(s.Kaishuu),
            QString::number(s.Balance()),
            percentValue(s.Kaishuu, s.Toushi),
            plainOrEmpty(averageBalance(s)),
            plainOrEmpty(bestWin(s)),
            plainOrEmpty(worstLoss(s)),
            plainOrEmpty(row.Time.PlayedMinutes()),
            plainOrEmpty(row.Time.Hourly()),
            tenthsValue(row.Details.Spins.Tenths()),
            plainOrEmpty(row.Details.JackpotTotal())};
}

QVariant SummaryValue(const SummaryRow &row, int column)
{
    const ResultSum &s = row.Sum;
    switch (column) {
    case ColGroup: return row.Order;
    case ColVisits: return s.Visits;
    case ColKachi: return s.Kachi;
    case ColMake: return s.Make;
    case ColWake: return s.Wake;
    case ColWinRate: return ratioOf(s.Kachi, s.Visits);
    case ColToushi: return s.Toushi;
    case ColKaishuu: return s.Kaishuu;
    case ColBalance: return s.Balance();
    case ColPayoutRatio: return ratioOf(s.Kaishuu, s.Toushi);
    case ColAverage: return valueOf(averageBalance(s));
    case ColBest: return valueOf(bestWin(s));
    case ColWorst: return valueOf(worstLoss(s));
    case ColPlayTime: return valueOf(row.Time.PlayedMinutes());
    case ColHourly: return valueOf(row.Time.Hourly());
    case ColSpinRate: return valueOf(row.Details.Spins.Tenths());
    case ColJackpots: return valueOf(row.Details.JackpotTotal());
    default: return QVariant();
    }
}
