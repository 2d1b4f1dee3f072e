#include "core/statistics/calendar_sums.h"

#include "core/model/play_time.h"
#include "core/model/record_table.h"
#include "core/util/numbers.h"

#include <algorithm>
#include <vector>

namespace {
qint32 monthIndex(qint32 year, qint32 month)
{
    return year * 12 + month - 1;
}
} // namespace

QString PlayTimeText(const PlayTimeSum &time)
{
    const std::optional<qint64> minutes = time.PlayedMinutes();
    return minutes ? FormatDuration(*minutes) : QStringLiteral("—");
}

QString HourlyText(const PlayTimeSum &time)
{
    const std::optional<qint64> hourly = time.Hourly();
    return hourly ? FormatYen(double(*hourly)) : QStringLiteral("—");
}

QDate RecordDate(qint16 DYear, qint16 DMonth, qint16 DDay)
{
    if (DYear < 1 || !QDate::isValid(DYear, DMonth, DDay))
        return {};
    return QDate(DYear, DMonth, DDay);
}

MonthGrid MakeMonthGrid(qint32 year, qint32 month)
{
    MonthGrid grid;
    grid.Year = year;
    grid.Month = month;
    if (year < 1 || month < 1 || month > 12)
        return grid;
    const QDate first(year, month, 1);
    grid.FirstWeekday = first.dayOfWeek() % 7; // Qt counts Monday 1 … Sunday 7
    grid.Days = first.daysInMonth();
    return grid;
}

void CalendarSums::Calc(const Data &data, qint32 WakeKin)
{
    days_.clear();
    months_.clear();
    undated_ = 0;

    struct Keyed {
        qint64 day;
        qint32 record;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(data.ListCount()));
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        const PlayRecord &r = data.Record(n);
        const QDate date = RecordDate(r.DYear, r.DMonth, r.DDay);
        if (date.isValid())
            keyed.push_back({date.toJulianDay(), n});
        else
            ++undated_;
    }
    dated_ = qint32(keyed.size());
    // Stable: the visits of a day stay in table order.
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed &a, const Keyed &b) { return a.day < b.day; });

    for (const Keyed &k : keyed) {
        const PlayRecord &r = data.Record(k.record);
        if (days_.isEmpty() || days_.last().Date.toJulianDay() != k.day)
            days_.append(DaySum{QDate::fromJulianDay(k.day), {}, {}, {}});
        DaySum &day = days_.last();
        day.Sum.Add(r, WakeKin);
        day.Records.append(k.record);
        day.Time.Add(r);

        const qint32 index = monthIndex(r.DYear, r.DMonth);
        if (months_.isEmpty() || months_.last().Index != index)
            months_.append(MonthEntry{index, {}, {}});
        months_.last().Sum.Add(r, WakeKin);
        months_.last().Time.Add(r);
    }
}

const DaySum *CalendarSums::Day(const QDate &date) const
{
    const auto it = std::lower_bound(days_.cbegin(), days_.cend(), date,
                                     [](const DaySum &d, const QDate &v) { return d.Date < v; });
    return it != days_.cend() && it->Date == date ? &*it : nullptr;
}

QList<DaySum> CalendarSums::DaysOf(qint32 year, qint32 month) const
{
    QList<DaySum> result;
    const MonthGrid grid = MakeMonthGrid(year, month);
    if (grid.Days == 0)
        return result;
    const QDate first(year, month, 1);
    const QDate last(year, month, grid.Days);
    auto it = std::lower_bound(days_.cbegin(), days_.cend(), first,
                               [](const DaySum &d, const QDate &v) { return d.Date < v; });
    for (; it != days_.cend() && it->Date <= last; ++it)
        result.append(*it);
    return result;
}

const CalendarSums::MonthEntry *CalendarSums::monthEntry(qint32 index) const
{
    const auto it = std::lower_bound(months_.cbegin(), months_.cend(), index,
                                     [](const MonthEntry &m, qint32 v) { return m.Index < v; });
    return it != months_.cend() && it->Index == index ? &*it : nullptr;
}

ResultSum CalendarSums::Month(qint32 year, qint32 month) const
{
    if (month < 1 || month > 12)
        return {};
    const MonthEntry *m = monthEntry(monthIndex(year, month));
    return m ? m->Sum : ResultSum();
}

PlayTimeSum CalendarSums::MonthTime(qint32 year, qint32 month) const
{
    if (month < 1 || month > 12)
        return {};
    const MonthEntry *m = monthEntry(monthIndex(year, month));
    return m ? m->Time : PlayTimeSum();
}

QList<qint32> CalendarSums::Years() const
{
    QList<qint32> years;
    for (const MonthEntry &m : months_) {
        const qint32 year = m.Index / 12;
        if (years.isEmpty() || years.last() != year)
            years.append(year);
    }
    return years;
}

QList<MonthPoint> CalendarSums::MonthlySeries(qint32 year) const
{
    QList<MonthPoint> series;
    qint32 first = monthIndex(year, 1), last = monthIndex(year, 12);
    if (year == 0) {
        if (months_.isEmpty())
            return series;
        first = months_.first().Index;
        last = months_.last().Index;
    }
    auto it = std::lower_bound(months_.cbegin(), months_.cend(), first,
                               [](const MonthEntry &m, qint32 v) { return m.Index < v; });
    qint64 running = 0;
    for (qint32 index = first; index <= last; ++index) {
        MonthPoint point;
        point.Year = index / 12;
        point.Month = index % 12 + 1;
        if (it != months_.cend() && it->Index == index) {
            point.Sum = it->Sum;
            point.Time = it->Time;
            ++it;
        }
        running += point.Sum.Balance();
        point.Running = running;
        series.append(point);
    }
    return series;
}
