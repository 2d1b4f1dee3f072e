#pragma once

#include <QString>
#include <QtGlobal>

// Play time is not part of the player file: a clock time is minutes after
// midnight (0–1439), kNoTime when not recorded (play_time.h).
inline constexpr qint16 kNoTime = -1;

// One visit to a store.
struct PlayRecord {
    qint16 DYear = 0;
    qint16 DMonth = 0;
    qint16 DDay = 0;
    qint32 DToushi = 0;  // investment, yen
    qint32 DKaishuu = 0; // payout, yen
    qint16 DSId = 0;     // store ID
    qint16 DMId = 0;     // machine ID
    QString DComment;
    // When the visit began and ended (our own addition; kept in a file beside
    // the player file, never in it).
    qint16 startMinute = kNoTime;
    qint16 endMinute = kNoTime;

    // Balance in 64 bits: payout − investment can leave 32 bits.
    qint64 Balance() const { return qint64(DKaishuu) - qint64(DToushi); }

    friend bool operator==(const PlayRecord &, const PlayRecord &) = default;
};
