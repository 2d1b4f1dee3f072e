#include "core/util/numbers.h"

#include <QVarLengthArray>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

double Val(QStringView text)
{
    // Collect the characters that can still belong to the number, skipping
    // blanks anywhere, then let strtod read the longest valid prefix.
    QVarLengthArray<char, 64> s;
    enum { Sign, Int, Frac, ExpSign, Exp } state = Sign;
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (state == Sign && (c == u'+' || c == u'-')) {
            s.append(static_cast<char>(c));
            state = Int;
        } else if ((state == Sign || state == Int || state == Frac) && c >= u'0' && c <= u'9') {
            s.append(static_cast<char>(c));
            if (state == Sign)
                state = Int;
        } else if ((state == Sign || state == Int) && c == u'.') {
            s.append('.');
            state = Frac;
        } else if ((state == Int || state == Frac) &&
                   (c == u'e' || c == u'E' || c == u'd' || c == u'D')) {
            s.append('e');
            state = ExpSign;
        } else if (state == ExpSign && (c == u'+' || c == u'-' || (c >= u'0' && c <= u'9'))) {
            s.append(static_cast<char>(c));
            state = Exp;
        } else if (state == Exp && c >= u'0' && c <= u'9') {
            s.append(static_cast<char>(c));
        } else {
            break;
        }
    }
    // from_chars ignores the locale (Qt sets it from the environment) and stops
    // before a dangling "e" or "."; it takes no "+" sign.
    const char *first = s.data();
    const char *last = s.data() + s.size();
    double sign = 1.0;
    if (first != last && (*first == '+' || *first == '-')) {
        sign = *first == '-' ? -1.0 : 1.0;
        ++first;
    }
    double v = 0.0;
    const auto [end, ec] = std::from_chars(first, last, v);
    if (ec == std::errc::result_out_of_range) {
        const std::string_view rest(first, static_cast<size_t>(end - first));
        const bool tiny = rest.find("e-") != std::string_view::npos;
        return tiny ? 0.0 : sign * std::numeric_limits<double>::infinity();
    }
    if (ec != std::errc())
        return 0.0;
    return sign * v;
}

namespace {
template <typename T> bool toIntHalfEven(double value, T &out)
{
    if (!std::isfinite(value))
        return false;
    const double r = std::nearbyint(value); // default rounding mode: halves to even
    if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max()))
        return false;
    out = static_cast<T>(r);
    return true;
}

// Halves away from zero, as the display patterns round.
qint64 roundAway(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double r = std::round(value);
    if (r >= 9.2e18)
        return std::numeric_limits<qint64>::max();
    if (r <= -9.2e18)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(r);
}

QString groupDigits(quint64 magnitude)
{
    QString digits = QString::number(magnitude);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, u',');
    return digits;
}

quint64 magnitudeOf(qint64 v)
{
    return v < 0 ? 0ULL - static_cast<quint64>(v) : static_cast<quint64>(v);
}
} // namespace

bool ToInt16(double value, qint16 &out)
{
    return toIntHalfEven(value, out);
}

bool ToInt32(double value, qint32 &out)
{
    return toIntHalfEven(value, out);
}

QString FormatPlain(qint64 value)
{
    return QString::number(value);
}

QString FormatBlankZero(double value)
{
    const qint64 v = roundAway(value);
    return v == 0 ? QString() : QString::number(v);
}

QString FormatAtLeastOne(double value)
{
    return QString::number(roundAway(value));
}

QString FormatZeroPad(double value, int digits)
{
    const qint64 v = roundAway(value);
    const QString body = QString::number(magnitudeOf(v)).rightJustified(digits, u'0');
    return v < 0 ? u'-' + body : body;
}

QString FormatGrouped(double value)
{
    const qint64 v = roundAway(value);
    const QString body = groupDigits(magnitudeOf(v));
    return v < 0 ? u'-' + body : body;
}

QString FormatYen(double value)
{
    const qint64 v = roundAway(value);
    const QString body = u'\\' + groupDigits(magnitudeOf(v));
    return v < 0 ? u'-' + body : body;
}

QString YenForDisplay(const QString &text)
{
    QString shown = text;
    shown.replace(u'\\', QChar(0x00A5));
    return shown;
}

QString FormatPercent(std::optional<double> ratio)
{
    if (!ratio || !std::isfinite(*ratio))
        return QStringLiteral("—");
    // Tenths of a percent, halves away from zero like the other patterns.
    const qint64 tenths = roundAway(*ratio * 1000.0);
    const quint64 m = magnitudeOf(tenths);
    const QString body = groupDigits(m / 10) + u'.' + QString::number(m % 10) + u'%';
    return tenths < 0 ? u'-' + body : body;
}
