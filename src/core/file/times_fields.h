#pragma once
// The fields of a times file's lines (play_times_file.h), read and written in
// place: no copy and no allocation per line, as a file of 32,767 visits is
// read while the player file is.

#include "core/model/play_record.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace TimesFields {
// The digits of a fingerprint, 6 bits each.
inline constexpr char kFingerprintDigits[] =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-_";

// A fingerprint in 11 such digits and a comma; returns the end.
inline char *putFingerprint(char *p, quint64 value)
{
    for (int shift = 60; shift >= 0; shift -= 6)
        *p++ = kFingerprintDigits[value >> shift & 0x3F];
    *p++ = ',';
    return p;
}

// "00" to "99": numbers and clock times are written two digits at a time.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233"
    "34353637383940414243444546474849505152535455565758596061626364656667"
    "6869707172737475767778798081828384858687888990919293949596979899";

// Text in UTF-8 at p; returns the end. Names and tags are short: the common
// characters are written here, anything beyond the basic plane by Qt.
char *putUtf8(char *p, QStringView text);

// UTF-8 text decoded into buffer, which text then shows (no allocation per
// line); false when it is no UTF-8.
bool readUtf8(QByteArrayView bytes, QString &buffer, QStringView &text);

// Writes value in decimal at p and a comma after it; returns the end.
inline char *putNumber(char *p, qint32 value)
{
    if (value < 0)
        *p++ = '-';
    quint32 v = value < 0 ? 0U - quint32(value) : quint32(value);
    const int digits = v < 10           ? 1
                       : v < 100        ? 2
                       : v < 1000       ? 3
                       : v < 10000      ? 4
                       : v < 100000     ? 5
                       : v < 1000000    ? 6
                       : v < 10000000   ? 7
                       : v < 100000000  ? 8
                       : v < 1000000000 ? 9
                                        : 10;
    p += digits;
    char *q = p;
    for (; v >= 100; v /= 100) {
        q -= 2;
        std::memcpy(q, kDigitPairs + 2 * (v % 100), 2);
    }
    if (v >= 10)
        std::memcpy(q - 2, kDigitPairs + 2 * v, 2);
    else
        q[-1] = char('0' + v);
    *p++ = ',';
    return p;
}

// "HH:MM" (nothing for no time) and a comma.
inline char *putClockTime(char *p, qint16 minute)
{
    if (minute >= 0 && minute < 24 * 60) {
        std::memcpy(p, kDigitPairs + 2 * (minute / 60), 2);
        p[2] = ':';
        std::memcpy(p + 3, kDigitPairs + 2 * (minute % 60), 2);
        p += 5;
    }
    *p++ = ',';
    return p;
}

// "4p", "0.5p", "20s": a rate as the third version writes it. Nothing is
// no rate.
bool readRateCode(QByteArrayView text, PlayRate &rate);
// Writes a rate as readRateCode reads it; returns the end.
char *putRateCode(char *p, const PlayRate &rate);

// The comment last on a line of the first version: quoted as in CSV only
// when it holds a comma, a quote or a line end; returns the end.
char *putComment(char *p, const QString &comment);

inline void putLineEnd(char *&p)
{
    *p++ = '\r';
    *p++ = '\n';
}

// Reads one line of the file, its fields in order, without copying.
class LineFields {
public:
    explicit LineFields(QByteArrayView line) : p_(line.data()), end_(line.data() + line.size()) {}

    // A whole number as written: an optional "-" and up to ten digits, then
    // a comma.
    template <typename T> bool Number(T &value)
    {
        const char *p = p_; // a local, kept in a register
        const bool negative = p < end_ && *p == '-';
        p += negative ? 1 : 0;
        const char *const digits = p, *const last = std::min(end_, p + 10);
        qint64 v = 0;
        while (p < last && unsigned(*p - '0') < 10)
            v = v * 10 + (*p++ - '0');
        if (p == digits || p == end_ || *p != ',')
            return false;
        v = negative ? -v : v;
        if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
            return false;
        value = T(v);
        p_ = p + 1;
        return true;
    }

    // "HH:MM" or nothing, then a comma.
    bool ClockTime(qint16 &minute)
    {
        if (p_ < end_ && *p_ == ',') {
            minute = kNoTime;
            return comma();
        }
        const auto digit = [this](int at) { return p_[at] >= '0' && p_[at] <= '9'; };
        if (end_ - p_ < 5 || !digit(0) || !digit(1) || p_[2] != ':' || !digit(3) || !digit(4))
            return false;
        const int h = (p_[0] - '0') * 10 + p_[1] - '0', m = (p_[3] - '0') * 10 + p_[4] - '0';
        p_ += 5;
        minute = qint16(h * 60 + m);
        return h < 24 && m < 60 && comma();
    }

    // The text up to the next comma, and the comma.
    bool Field(QByteArrayView &field)
    {
        const char *const from = p_;
        const void *const found = std::memchr(p_, ',', size_t(end_ - p_));
        p_ = found ? static_cast<const char *>(found) : end_;
        field = QByteArrayView(from, p_ - from);
        return comma();
    }

    // A fingerprint: 11 digits of 6 bits (kFingerprintDigits; the first of
    // 4), then a comma. Read through a table, not by branches, which the
    // random digits would mispredict.
    bool Fingerprint(quint64 &value)
    {
        static constexpr auto kValue = [] {
            std::array<quint8, 256> t{};
            t.fill(0x40);
            for (int d = 0; d < 64; ++d)
                t[quint8(kFingerprintDigits[d])] = quint8(d);
            return t;
        }();
        if (end_ - p_ < 12 || p_[11] != ',')
            return false;
        quint64 v = 0;
        unsigned bad = kValue[quint8(p_[0])] & 0x30; // more than 64 bits
        for (int i = 0; i < 11; ++i) {
            const quint8 d = kValue[quint8(p_[i])];
            bad |= d & 0x40;
            v = v << 6 | (d & 0x3F);
        }
        if (bad != 0)
            return false;
        value = v;
        p_ += 12;
        return true;
    }

    // The rest of the line.
    QByteArrayView Rest() const { return QByteArrayView(p_, end_ - p_); }

    // A count up to max, or nothing (kNoCount), then a comma.
    bool Count(qint32 &count, qint32 max)
    {
        if (p_ < end_ && *p_ == ',') {
            count = kNoCount;
            return comma();
        }
        return p_ < end_ && *p_ != '-' && Number(count) && count <= max;
    }

    // The rest of the line: the comment, in quotes when written so (UTF-8),
    // decoded into buffer, which text then shows: no allocation per line.
    bool Comment(QString &buffer, QStringView &text) const
    {
        QByteArrayView rest(p_, end_ - p_);
        QByteArray unquoted;
        if (rest.startsWith('"')) {
            if (rest.size() < 2 || !rest.endsWith('"'))
                return false;
            unquoted = rest.sliced(1, rest.size() - 2).toByteArray().replace("\"\"", "\"");
            rest = unquoted;
        }
        if (rest.isEmpty()) {
            text = QStringView();
            return true;
        }
        return readUtf8(rest, buffer, text); // a byte that is no UTF-8 in no comment
    }

private:
    bool comma()
    {
        if (p_ >= end_ || *p_ != ',')
            return false;
        ++p_;
        return true;
    }

    const char *p_;
    const char *end_;
};

} // namespace TimesFields
