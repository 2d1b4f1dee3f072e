#include "core/file/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

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
} // namespace

QString Cp932Decoder::decode(QByteArrayView piece)
{
    QByteArray bytes = carry_ + piece.toByteArray();
    carry_.clear();
    // Walk the pairs from the start; a byte that cannot be a trail byte is
    // never a lead byte either, so the walk agrees with the decoder's.
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    const char *const b = bytes.constData(); // read only: no detach check per byte
    while (i < n)
        i += isLeadByte(static_cast<unsigned char>(b[i])) ? 2 : 1;
    if (i > n) { // the last byte is a lead byte whose trail is in the next piece
        carry_ = bytes.right(1);
        bytes.chop(1);
    }
    return decoder_.isValid() ? decoder_.decode(bytes) : DecodeCp932(bytes);
}

QString Cp932Decoder::finish()
{
    const QString rest = carry_.isEmpty() ? QString() : DecodeCp932(carry_);
    carry_.clear();
    return rest;
}
