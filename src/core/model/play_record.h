#pragma once

#include <QString>
#include <QtGlobal>

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

    // Balance in 64 bits: payout − investment can leave 32 bits.
    qint64 Balance() const { return qint64(DKaishuu) - qint64(DToushi); }

    friend bool operator==(const PlayRecord &, const PlayRecord &) = default;
};
