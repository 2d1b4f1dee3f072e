#include "core/statistics/play_time_sum.h"

#include "core/model/play_time.h"

void PlayTimeSum::Add(const PlayRecord &record)
{
    const std::optional<qint32> minutes = PlayMinutes(record);
    if (!minutes)
        return;
    ++TimedVisits;
    Minutes += *minutes;
    Balance += record.Balance();
}

std::optional<qint64> PlayTimeSum::PlayedMinutes() const
{
    return TimedVisits > 0 ? std::optional<qint64>(Minutes) : std::nullopt;
}

std::optional<qint64> PlayTimeSum::Hourly() const
{
    return TimedVisits > 0 ? HourlyResult(Balance, Minutes) : std::nullopt;
}
