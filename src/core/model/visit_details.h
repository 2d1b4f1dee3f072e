#pragma once
// What serious players record of a visit beyond its amounts and times: the
// rate played (レート), the spins played (回転数), the jackpots (大当たり回数)
// and free tags (タグ). How each is typed and shown, and the spin rate
// (回転率) computed from them. Every one of them is optional.

#include "core/model/play_record.h"
#include "core/model/record_sort.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

inline constexpr qint32 kMaxSpins = 999'999;
inline constexpr qint32 kMaxJackpots = 9'999;
inline constexpr qint32 kMaxRatePrice = 10'000; // hundredths of a yen: 100円
inline constexpr qsizetype kMaxTagLength = 20;

// The usual rates, in the order a list offers them: balls of 4, 2, 1 and 0.5
// yen, medals of 20, 10, 5 and 2 yen.
QList<PlayRate> StandardRates();

// "4円パチンコ", "0.5円パチンコ", "20円スロット", "2.25円スロット"; empty for none.
QString RateText(const PlayRate &rate);
// A rate as shown or typed: "4円パチンコ", "４円パチンコ", "0.5円パチ",
// "5円スロット", "5スロ" (the kind after the price, 円 optional), any price
// above 0 up to 100 yen with at most two decimals. A blank text is no rate.
// std::nullopt when the text is no rate.
std::optional<PlayRate> ReadRate(QStringView text);

// The rate a new visit at a store is taken at: that of the latest visit there
// that has one, by date and then by position (of two the same day, the later
// one). Visits are added in position order; one without a complete date
// counts in none.
class LastRate {
public:
    explicit LastRate(qint16 store) : store_(store) {}
    void Add(const PlayRecord &record);
    // Kind::None when no visit at the store has a rate.
    PlayRate Rate() const { return rate_; }

private:
    qint16 store_;
    PlayRate rate_;
    RecordSortKey date_;
};

// A count as typed (spins up to kMaxSpins, jackpots up to kMaxJackpots):
// a whole number through the one reader of typed numbers (full-width
// digits, grouping commas); a blank text is kNoCount. std::nullopt when the
// text is no such count.
std::optional<qint32> ReadCount(QStringView text, qint32 max);
// "1234" (no grouping, as it is typed); empty for kNoCount.
QString CountText(qint32 count);

// A tag in the one form it is kept in: full-width and half-width forms of the
// same letters are one tag ("ＡＢＣ", "ABC"; "ｲﾍﾞﾝﾄ", "イベント"), spaces at
// either end dropped.
QString NormalTag(QStringView tag);
// The tags of a typed text, separated by 「、」, "," or "，": each in its normal
// form, empty ones dropped, each once, in the order typed. std::nullopt when a
// tag is longer than kMaxTagLength characters (tooLong, when given, receives
// that tag).
std::optional<QStringList> TagsFromText(QStringView text, QString *tooLong = nullptr);
// The tags as shown and typed: joined with 「、」.
QString TagsText(const QStringList &tags);

// The spin rate (回転率) of visits: spins per 1,000 yen put in, over the
// visits that have both a spin count and an investment above 0 (a visit with
// spins and no investment counts in none).
class SpinRate {
public:
    void Add(const PlayRecord &record);
    // Tenths of spins per 1,000 yen, rounded halves up: 400 spins for
    // 20,000 yen give 200 (20.0); std::nullopt when no visit counts.
    std::optional<qint64> Tenths() const;
    // "20.0", "23.3"; "—" when no visit counts.
    QString Text() const;

private:
    qint64 spins_ = 0;
    qint64 toushi_ = 0;
};
