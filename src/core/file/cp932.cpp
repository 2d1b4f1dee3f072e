#include "core/file/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>

namespace {
constexpr const char *kCodec = kCp932Codec;

char16_t cp932Form(char16_t c)
{
    switch (c) {
    case 0x301C: return 0xFF5E; // 〜 → ～
    case 0x2212: return 0xFF0D; // − → －
    case 0x2016: return 0x2225; // ‖ → ∥
    case 0x2014: return 0x2015; // — → ―
    case 0x00A2: return 0xFFE0; // ¢ → ￠
    case 0x00A3: return 0xFFE1; // £ → ￡
    case 0x00AC: return 0xFFE2; // ¬ → ￢
    case 0x00A5: return 0x005C; // ¥ (the yen key) → 0x5C, which Japanese fonts show as ¥
    default: return c;
    }
}
} // namespace

QString MapToCp932Forms(const QString &text)
{
    QString mapped = text;
    for (QChar &ch : mapped)
        ch = QChar(cp932Form(ch.unicode()));
    return mapped;
}

bool EncodeCp932(const QString &text, QByteArray &out)
{
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return false;
    QByteArray bytes = encoder.encode(MapToCp932Forms(text));
    if (encoder.hasError())
        return false;
    out = std::move(bytes);
    return true;
}

bool IsCp932Encodable(const QString &text)
{
    QByteArray ignored;
    return EncodeCp932(text, ignored);
}

QString FirstUnencodableCp932(const QString &text)
{
    const QString mapped = MapToCp932Forms(text);
    for (qsizetype i = 0; i < mapped.size(); ++i) {
        const qsizetype len = mapped[i].isHighSurrogate() && i + 1 < mapped.size() ? 2 : 1;
        if (!IsCp932Encodable(mapped.mid(i, len)))
            return text.mid(i, len); // as typed
        i += len - 1;
    }
    return QString();
}

QString DecodeCp932(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

bool Cp932Available()
{
    return QStringEncoder(kCodec).isValid() && QStringDecoder(kCodec).isValid();
}

qsizetype Cp932Length(const QString &text)
{
    QByteArray bytes;
    if (EncodeCp932(text, bytes))
        return bytes.size();
    qsizetype n = 0;
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        n += (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) ? 1 : 2; // ASCII and half-width kana
    }
    return n;
}

namespace {
bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// A byte that, beginning a character, stands for itself: printable ASCII and
// the line ends and tab. (The converter maps a few control codes elsewhere:
// 0x1A, 0x1C and 0x7F.)
bool isPrintable(unsigned char b)
{
    return unsigned(b - 0x20) < 0x5F;
}

bool isPlain(unsigned char b)
{
    return isPrintable(b) || b == '\r' || b == '\n' || b == '\t';
}

// Whether the 8 bytes at b are all printable ASCII (0x20–0x7E), tested at once.
bool allPrintable(const char *b)
{
    quint64 v;
    std::memcpy(&v, b, sizeof v);
    constexpr quint64 ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
    const quint64 below = (v - ones * 0x20) & ~v;         // high bit set where a byte < 0x20
    const quint64 above = (v + ones * (0x80 - 0x7F)) | v; // where a byte >= 0x7F
    return ((below | above) & highs) == 0;
}
} // namespace

QString Cp932Decoder::decode(QByteArrayView piece)
{
    QString text;
    text.reserve(piece.size());
    decodeInto(piece, text);
    return text;
}

void Cp932Decoder::decodeInto(QByteArrayView piece, QString &text)
{
    if (!carry_.isEmpty()) { // the lead byte left over joins this piece
        const QByteArray joined = carry_ + piece.toByteArray();
        carry_.clear();
        decodeInto(joined, text);
        return;
    }
    // Plain bytes (isPlain; 0x5C and 0x7E included, as the converter has
    // them), most of a data file, are widened as Latin-1, many at a time;
    // only the runs between them go through the converter. A trail byte may
    // be a plain one, so the walk keeps to the pairs: a byte that cannot be a
    // trail byte is never a lead byte either, so the walk agrees with the
    // converter's.
    const char *const b = piece.data();
    const qsizetype n = piece.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype start = i;
        for (;;) { // eight printable bytes at a time, then one by one to the next other byte
            while (i + 8 <= n && allPrintable(b + i))
                i += 8;
            while (i < n && isPrintable(static_cast<unsigned char>(b[i])))
                ++i;
            if (i == n || !isPlain(static_cast<unsigned char>(b[i])))
                break;
            ++i; // a line end or a tab
        }
        text.append(QLatin1StringView(b + start, i - start));
        const qsizetype runStart = i;
        while (i < n && !isPlain(static_cast<unsigned char>(b[i])))
            i += isLeadByte(static_cast<unsigned char>(b[i])) ? 2 : 1;
        if (i > n) { // the last byte is a lead byte whose trail is in the next piece
            carry_ = QByteArray(b + n - 1, 1);
            i = n - 1;
        }
        if (i > runStart) {
            const QByteArrayView run(b + runStart, i - runStart);
            text.append(decoder_.isValid() ? decoder_.decode(run) : DecodeCp932(run.toByteArray()));
        }
        if (!carry_.isEmpty())
            break;
    }
}

QString Cp932Decoder::finish()
{
    const QString rest = carry_.isEmpty() ? QString() : DecodeCp932(carry_);
    carry_.clear();
    return rest;
}
