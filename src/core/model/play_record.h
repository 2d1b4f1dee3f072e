#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Play time is not part of the player file: a clock time is minutes after
// midnight (0–1439), kNoTime when not recorded (play_time.h).
inline constexpr qint16 kNoTime = -1;
// A count of a visit (spins, jackpots) that was not recorded.
inline constexpr qint32 kNoCount = -1;

// The rate a visit was played at: the kind of machine and the price of one
// ball or medal (visit_details.h). Not recorded: Kind::None.
struct PlayRate {
    enum class Kind : quint8 { None, Pachinko, Slot };
    Kind kind = Kind::None;
    qint32 price = 0; // hundredths of a yen: 400 = 4円, 50 = 0.5円; 1–10,000

    bool IsSet() const { return kind != Kind::None; }
    friend bool operator==(const PlayRate &, const PlayRate &) = default;
};

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
    // What serious players record beyond that, each optional (our own
    // addition too, kept beside the player file with the times).
    PlayRate rate{};
    qint32 spins = kNoCount;    // 回転数, 0–999,999
    qint32 jackpots = kNoCount; // 大当たり回数, 0–9,999
    QStringList tags{};         // free labels, in the form TagsFromText gives

    // Balance in 64 bits: payout − investment can leave 32 bits.
    qint64 Balance() const { return qint64(DKaishuu) - qint64(DToushi); }

    friend bool operator==(const PlayRecord &, const PlayRecord &) = default;
};
