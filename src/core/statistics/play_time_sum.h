#pragma once
// Play time of a group of visits (稼働時間) and its hourly result (時給): the
// visits with both clock times count; the others have no time to add.

#include "core/model/play_record.h"

#include <QtGlobal>
#include <optional>

struct PlayTimeSum {
    qint32 TimedVisits = 0; // visits with a start and an end
    qint64 Minutes = 0;     // their minutes played (a visit past midnight included)
    qint64 Balance = 0;     // their balance (収支)

    void Add(const PlayRecord &record);

    // Minutes played; none when no visit has both times.
    std::optional<qint64> PlayedMinutes() const;
    // Yen per hour over the timed visits, halves away from zero; none without
    // timed visits or when they lasted 0 minutes together.
    std::optional<qint64> Hourly() const;

    friend bool operator==(const PlayTimeSum &, const PlayTimeSum &) = default;
};
