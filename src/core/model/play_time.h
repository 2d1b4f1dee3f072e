#pragma once
// Play time of a visit (稼働時間) and the hourly result (時給): reading and
// showing clock times, the minutes a visit lasted, the yen per hour.

#include "core/model/play_record.h"

#include <QString>
#include <QStringView>
#include <optional>

// A clock time as a person types it: "1030", "930", "10:30", "9:30", in ASCII
// or full-width forms ("１０：３０"). A blank text is kNoTime. False when the
// text is no time of day (hours 0–23, minutes 0–59); minute is then untouched.
bool ReadClockTime(QStringView text, qint16 &minute);

// "HH:MM", 24-hour: "10:30", "09:05"; empty for kNoTime.
QString FormatClockTime(qint16 minute);

// Minutes played: end − start, past midnight when the end is earlier (22:00
// to 1:30 is 210). Equal times are a visit of 0 minutes. std::nullopt unless
// both times are recorded.
std::optional<qint32> PlayMinutes(const PlayRecord &record);

// Hours and minutes as "h:mm": 0 → "0:00", 125 → "2:05", 6000 → "100:00".
QString FormatDuration(qint64 minutes);

// Yen per hour for a balance won in minutes of play, rounded halves away from
// zero; std::nullopt when no time was played.
std::optional<qint64> HourlyResult(qint64 balance, qint64 minutes);
