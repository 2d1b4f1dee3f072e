#include "core/util/numbers.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {
// The ASCII form of a full-width character (U+FF01..U+FF5E, the ideographic
// space); other characters stay as they are.
char16_t halfWidth(char16_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E)
        return char16_t(c - 0xFF01 + 0x21);
    return c == 0x3000 ? u' ' : c;
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isYen(char16_t c)
{
    return c == u'\\' || c == 0x00A5 || c == 0xFFE5;
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// A minus as input methods type it in kana mode or as the minus sign.
bool isTypedMinus(char16_t c)
{
    return c == u'ー' || c == 0xFF70 || c == 0x2212;
}

// The one scanner of number texts. Collects the characters that belong to the
// number (blanks skipped anywhere) and reads them with from_chars. Returns the
// index of the first character not taken; clean tells whether everything taken
// made one number (no lone sign, no dangling exponent, no group cut short).
// typed: grouping commas in the integer part and a yen sign before the digits
// are taken too.
qsizetype scanNumber(QStringView text, bool typed, double &value, bool &clean)
{
    QVarLengthArray<char, 64> s;
    enum { Sign, Int, Frac, ExpSign, Exp } state = Sign;
    bool signSeen = false, yenSeen = false, grouped = false;
    int groupDigits = 0; // integer digits since the last grouping comma
    const auto groupsWhole = [&] { return !grouped || groupDigits == 3; };
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = halfWidth(text[i].unicode());
        if (isBlank(c))
            continue;
        if (state == Sign && !signSeen && (c == u'+' || c == u'-' || (typed && isTypedMinus(c)))) {
            s.append(c == u'+' ? '+' : '-');
            signSeen = true;
            if (!typed)
                state = Int; // typed: a yen sign may still follow the sign
        } else if (typed && state == Sign && !yenSeen && isYen(c)) {
            yenSeen = true;
        } else if ((state == Sign || state == Int || state == Frac) && isDigit(c)) {
            s.append(static_cast<char>(c));
            if (state != Frac)
                ++groupDigits;
            if (state == Sign)
                state = Int;
        } else if (typed && state == Int && c == u',' && groupDigits > 0 &&
                   (grouped ? groupDigits == 3 : groupDigits <= 3)) {
            grouped = true;
            groupDigits = 0;
        } else if ((state == Sign || state == Int) && c == u'.' && groupsWhole()) {
            s.append('.');
            state = Frac;
        } else if ((state == Int || state == Frac) && groupsWhole() &&
                   (c == u'e' || c == u'E' || c == u'd' || c == u'D')) {
            s.append('e');
            state = ExpSign;
        } else if (state == ExpSign && (c == u'+' || c == u'-' || isDigit(c))) {
            s.append(static_cast<char>(c));
            state = Exp;
        } else if (state == Exp && isDigit(c)) {
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
        value = tiny ? 0.0 : sign * std::numeric_limits<double>::infinity();
    } else {
        value = ec == std::errc() ? sign * v : 0.0;
    }
    clean = ec != std::errc::invalid_argument && end == last && groupsWhole();
    return i;
}
} // namespace

double Val(QStringView text)
{
    double v = 0.0;
    bool clean = false;
    scanNumber(text, false, v, clean);
    return v;
}

std::optional<double> ReadTypedNumber(QStringView text)
{
    const QString plain = HalfWidthForms(text).trimmed();
    if (plain.isEmpty())
        return 0.0;
    QStringView body(plain);
    if (body.endsWith(u'円'))
        body.chop(1);
    double v = 0.0;
    bool clean = false;
    const qsizetype taken = scanNumber(body, true, v, clean);
    if (!clean)
        return std::nullopt;
    for (qsizetype i = taken; i < body.size(); ++i)
        if (!isBlank(body[i].unicode()))
            return std::nullopt;
    return v;
}

QString HalfWidthForms(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = QChar(halfWidth(text[i].unicode()));
    return out;
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

QString FormatShortAmount(qint64 value)
{
    if (value == 0)
        return QStringLiteral("0");
    const quint64 m = magnitudeOf(value);
    // Tenths of 万, or of 億 when they would reach 10,000万.
    quint64 tenths = (m + 500) / 1000;
    const bool oku = tenths >= 100000;
    if (oku)
        tenths = (m + 5000000) / 10000000;
    return (value < 0 ? u"-"_s : u"+"_s) + groupDigits(tenths / 10) + u'.' +
           QString::number(tenths % 10) + (oku ? u"億"_s : u"万"_s);
}

QString YenForDisplay(const QString &text)
{
    QString shown = text;
    shown.replace(u'\\', QChar(0x00A5));
    return shown;
}

namespace {
QString percentText(std::optional<qint64> tenths)
{
    return tenths ? FormatTenths(tenths) + u'%' : FormatTenths(tenths);
}

// Tenths of a percent of a ratio, read from the shortest decimal form that
// gives the ratio back, so that a decimal half (0.0025) rounds away from zero
// even where its binary value lies just below it.
std::optional<qint64> ratioTenths(double ratio)
{
    if (!std::isfinite(ratio))
        return std::nullopt;
    if (std::fabs(ratio) >= 1e12) // beyond any ratio of amounts; no decimals left
        return roundAway(ratio * 1000.0);
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(ratio), std::chars_format::fixed);
    if (ec != std::errc())
        return roundAway(ratio * 1000.0);
    const std::string_view text(buffer, static_cast<size_t>(end - buffer));
    const size_t point = std::min(text.find('.'), text.size());
    qint64 tenths = 0;
    for (size_t i = 0; i < point; ++i)
        tenths = tenths * 10 + (text[i] - '0');
    // Three decimals of the ratio are the tenths of a percent; the fourth rounds.
    for (size_t i = point + 1; i <= point + 4; ++i) {
        const int digit = i < text.size() ? text[i] - '0' : 0;
        if (i < point + 4)
            tenths = tenths * 10 + digit;
        else if (digit >= 5)
            ++tenths;
    }
    return ratio < 0 ? -tenths : tenths;
}
} // namespace

std::optional<qint64> ScaledRatio(qint64 numerator, qint64 denominator, qint64 scale)
{
    if (denominator == 0)
        return std::nullopt;
    // 128 bits: a numerator of any 64-bit sum times a scale of 32 bits still fits.
    using Wide = __int128;
    const bool negative = (numerator < 0) != (denominator < 0);
    const Wide n = numerator < 0 ? -Wide(numerator) : Wide(numerator);
    const Wide d = denominator < 0 ? -Wide(denominator) : Wide(denominator);
    const Wide scaled = (2 * n * scale + d) / (2 * d);
    const Wide limit = std::numeric_limits<qint64>::max();
    const qint64 clamped = qint64(scaled > limit ? limit : scaled);
    return negative ? -clamped : clamped;
}

std::optional<qint64> PercentTenths(qint64 numerator, qint64 denominator)
{
    return ScaledRatio(numerator, denominator, 1000);
}

QString FormatTenths(std::optional<qint64> tenths)
{
    if (!tenths)
        return QStringLiteral("—");
    const quint64 m = magnitudeOf(*tenths);
    const QString body = groupDigits(m / 10) + u'.' + QString::number(m % 10);
    return *tenths < 0 ? u'-' + body : body;
}

QString FormatPercent(qint64 numerator, qint64 denominator)
{
    return percentText(PercentTenths(numerator, denominator));
}

QString FormatPercent(std::optional<double> ratio)
{
    return percentText(ratio ? ratioTenths(*ratio) : std::nullopt);
}
