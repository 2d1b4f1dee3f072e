#include "core/statistics/result_sum.h"

#include "core/model/record_table.h"

#include <algorithm>

void ResultSum::Add(const PlayRecord &record, qint32 WakeKin)
{
    const qint64 b = record.Balance();
    Best = Visits == 0 ? b : std::max(Best, b);
    Worst = Visits == 0 ? b : std::min(Worst, b);
    ++Visits;
    switch (Classify(b, WakeKin)) {
    case Outcome::Win: ++Kachi; break;
    case Outcome::Loss: ++Make; break;
    case Outcome::Draw: ++Wake; break;
    }
    Toushi += record.DToushi;
    Kaishuu += record.DKaishuu;
}

void ResultSum::Add(const ResultSum &other)
{
    if (other.Visits == 0)
        return;
    Best = Visits == 0 ? other.Best : std::max(Best, other.Best);
    Worst = Visits == 0 ? other.Worst : std::min(Worst, other.Worst);
    Visits += other.Visits;
    Kachi += other.Kachi;
    Make += other.Make;
    Wake += other.Wake;
    Toushi += other.Toushi;
    Kaishuu += other.Kaishuu;
}

std::optional<double> ResultSum::PayoutRatio() const
{
    if (Toushi == 0)
        return std::nullopt;
    return double(Kaishuu) / double(Toushi);
}

std::optional<double> ResultSum::WinRate() const
{
    if (Visits == 0)
        return std::nullopt;
    return double(Kachi) / double(Visits);
}

std::optional<double> ResultSum::AverageBalance() const
{
    if (Visits == 0)
        return std::nullopt;
    return double(Balance()) / double(Visits);
}
