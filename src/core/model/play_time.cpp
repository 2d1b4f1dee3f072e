#include "core/model/play_time.h"

#include "core/util/numbers.h"

using namespace Qt::StringLiterals;

namespace {
constexpr qint32 kDayMinutes = 24 * 60;

bool allDigits(QStringView text)
{
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return !text.isEmpty();
}
} // namespace

bool ReadClockTime(QStringView text, qint16 &minute)
{
    const QString plain = HalfWidthForms(text).trimmed();
    if (plain.isEmpty()) {
        minute = kNoTime;
        return true;
    }
    QStringView hours, minutes;
    if (const qsizetype colon = plain.indexOf(u':'); colon >= 0) {
        hours = QStringView(plain).first(colon);
        minutes = QStringView(plain).sliced(colon + 1);
        if (hours.size() > 2 || minutes.size() != 2)
            return false;
    } else {
        // "930" and "1030": the last two digits are the minutes.
        if (plain.size() < 3 || plain.size() > 4)
            return false;
        hours = QStringView(plain).first(plain.size() - 2);
        minutes = QStringView(plain).last(2);
    }
    if (!allDigits(hours) || !allDigits(minutes))
        return false;
    const int h = hours.toInt(), m = minutes.toInt();
    if (h > 23 || m > 59)
        return false;
    minute = qint16(h * 60 + m);
    return true;
}

QString FormatClockTime(qint16 minute)
{
    if (minute < 0 || minute >= kDayMinutes)
        return QString();
    return QString::number(minute / 60).rightJustified(2, u'0') + u':' +
           QString::number(minute % 60).rightJustified(2, u'0');
}

std::optional<qint32> PlayMinutes(const PlayRecord &record)
{
    const qint16 start = record.startMinute, end = record.endMinute;
    if (start < 0 || end < 0 || start >= kDayMinutes || end >= kDayMinutes)
        return std::nullopt;
    return (end - start + kDayMinutes) % kDayMinutes;
}

QString FormatDuration(qint64 minutes)
{
    const bool negative = minutes < 0;
    const quint64 m = negative ? 0ULL - quint64(minutes) : quint64(minutes);
    return (negative ? u"-"_s : QString()) + QString::number(m / 60) + u':' +
           QString::number(m % 60).rightJustified(2, u'0');
}

std::optional<qint64> HourlyResult(qint64 balance, qint64 minutes)
{
    if (minutes <= 0)
        return std::nullopt;
    // balance × 60 / minutes in whole numbers, halves away from zero. A sum of
    // at most 32767 balances of 32 bits, times 120, stays far inside 64 bits.
    const qint64 scaled = balance * 60;
    const qint64 magnitude = scaled < 0 ? -scaled : scaled;
    const qint64 rounded = (2 * magnitude + minutes) / (2 * minutes);
    return scaled < 0 ? -rounded : rounded;
}
