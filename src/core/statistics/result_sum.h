#pragma once
// Totals of one group of visits (a month, a day, a store, a whole selection):
// the counts, sums and extremes that every summary of results shows.

#include "core/model/play_record.h"

#include <QtGlobal>
#include <optional>

struct ResultSum {
    qint32 Visits = 0;
    qint32 Kachi = 0; // wins, losses and draws by the player's draw threshold
    qint32 Make = 0;
    qint32 Wake = 0;
    qint64 Toushi = 0; // 64 bits: 32,767 visits of up to 2^31 yen each
    qint64 Kaishuu = 0;
    qint64 Best = 0;  // highest balance of one visit; meaningful when Visits > 0
    qint64 Worst = 0; // lowest balance of one visit; meaningful when Visits > 0

    void Add(const PlayRecord &record, qint32 WakeKin);
    void Add(const ResultSum &other);

    qint64 Balance() const { return Kaishuu - Toushi; }
    // 回収 ÷ 投資; none when nothing was put in.
    std::optional<double> PayoutRatio() const;
    // Wins ÷ visits; none without visits.
    std::optional<double> WinRate() const;
    // Balance ÷ visits; none without visits.
    std::optional<double> AverageBalance() const;

    friend bool operator==(const ResultSum &, const ResultSum &) = default;
};
