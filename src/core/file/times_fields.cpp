#include "core/file/times_fields.h"

#include "core/model/visit_details.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace TimesFields {
// Text in UTF-8 at p; returns the end. Names and tags are short: the common
// characters are written here, anything beyond the basic plane by Qt.
char *putUtf8(char *p, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            *p++ = char(c);
        } else if (c < 0x800) {
            *p++ = char(0xC0 | c >> 6);
            *p++ = char(0x80 | (c & 0x3F));
        } else if (!QChar::isSurrogate(c)) {
            *p++ = char(0xE0 | c >> 12);
            *p++ = char(0x80 | (c >> 6 & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        } else {
            QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
            return utf8.appendToBuffer(p, text.sliced(i));
        }
    }
    return p;
}

// UTF-8 text decoded into buffer, which text then shows (no allocation per
// line); false when it is no UTF-8. The common characters are read here,
// anything else by Qt.
bool readUtf8(QByteArrayView bytes, QString &buffer, QStringView &text)
{
    if (buffer.size() < bytes.size()) // a byte becomes at most one UTF-16 unit
        buffer.resize(bytes.size());
    char16_t *out = reinterpret_cast<char16_t *>(buffer.data());
    const auto *b = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const end = b + bytes.size();
    const auto tail = [](uchar c) { return (c & 0xC0) == 0x80; };
    while (b < end) {
        const uchar c = *b;
        if (c < 0x80) {
            *out++ = c;
            ++b;
        } else if (c >= 0xC2 && c <= 0xDF && end - b >= 2 && tail(b[1])) {
            *out++ = char16_t((c & 0x1F) << 6 | (b[1] & 0x3F));
            b += 2;
        } else if (c >= 0xE1 && c <= 0xEF && c != 0xED && end - b >= 3 && tail(b[1]) &&
                   tail(b[2])) {
            *out++ = char16_t((c & 0x0F) << 12 | (b[1] & 0x3F) << 6 | (b[2] & 0x3F));
            b += 3;
        } else {
            QStringDecoder utf8(QStringDecoder::Utf8,
                                QStringConverter::Flag::Stateless |
                                    QStringConverter::Flag::ConvertInitialBom);
            out = reinterpret_cast<char16_t *>(
                utf8.appendToBuffer(reinterpret_cast<QChar *>(out),
                                    QByteArrayView(reinterpret_cast<const char *>(b), end - b)));
            if (utf8.hasError())
                return false;
            break;
        }
    }
    text = QStringView(buffer.constData(), reinterpret_cast<const QChar *>(out));
    return true;
}

// "4p", "0.5p", "20s": a rate as version 3 writes it. Nothing is no rate.
bool readRateCode(QByteArrayView text, PlayRate &rate)
{
    rate = PlayRate();
    if (text.isEmpty())
        return true;
    const char kind = text.back();
    if (kind != 'p' && kind != 's')
        return false;
    rate.kind = kind == 'p' ? PlayRate::Kind::Pachinko : PlayRate::Kind::Slot;
    const char *p = text.data(), *const end = p + text.size() - 1;
    qint32 yen = 0, hundredths = 0;
    const char *const digits = p;
    while (p < end && p - digits < 3 && unsigned(*p - '0') < 10)
        yen = yen * 10 + (*p++ - '0');
    if (p == digits)
        return false;
    if (p < end && *p == '.') {
        ++p;
        for (int scale = 10; scale > 0 && p < end && unsigned(*p - '0') < 10; scale /= 10)
            hundredths += (*p++ - '0') * scale;
        if (p[-1] == '.')
            return false;
    }
    rate.price = yen * 100 + hundredths;
    return p == end && rate.price > 0 && rate.price <= kMaxRatePrice;
}

// Writes a rate as readRateCode reads it; returns the end.
char *putRateCode(char *p, const PlayRate &rate)
{
    p = putNumber(p, rate.price / 100) - 1; // without its comma
    if (const int hundredths = rate.price % 100; hundredths != 0) {
        *p++ = '.';
        *p++ = char('0' + hundredths / 10);
        if (hundredths % 10 != 0)
            *p++ = char('0' + hundredths % 10);
    }
    *p++ = rate.kind == PlayRate::Kind::Slot ? 's' : 'p';
    return p;
}

// The comment last on a line of the first version: quoted as in CSV only
// when it holds a comma, a quote or a line end; else encoded straight into
// the room, with no copy.
char *putComment(char *p, const QString &comment)
{
    if (std::none_of(comment.cbegin(), comment.cend(),
                     [](QChar c) { return c == u',' || c == u'"' || c == u'\r' || c == u'\n'; }))
        return putUtf8(p, comment);
    const QByteArray bytes = comment.toUtf8();
    *p++ = '"';
    for (const char c : bytes) {
        if (c == '"')
            *p++ = '"';
        *p++ = c;
    }
    *p++ = '"';
    return p;
}

} // namespace TimesFields
