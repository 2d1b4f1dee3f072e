#pragma once
// Conversion between QString and the Japanese code page 932 (Shift-JIS as
// Windows writes it), the encoding of every data file.

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

// Name of the converter (ICU's name for code page 932).
inline constexpr char kCp932Codec[] = "windows-31j";

// Maps the characters Linux input methods give in their JIS form to the code
// page 932 character that looks the same (〜 → ～, − → －, ...), and the yen
// sign to 0x5C, the code that stands for it in Japanese text.
QString MapToCp932Forms(const QString &text);

// Encodes after MapToCp932Forms. False when a character cannot be carried;
// out is then left unchanged.
bool EncodeCp932(const QString &text, QByteArray &out);

// True when the text can be written to a data file unchanged in meaning.
bool IsCp932Encodable(const QString &text);

// The first character (a surrogate pair whole) that code page 932 cannot
// carry even after MapToCp932Forms, as it stands in text; empty when none.
QString FirstUnencodableCp932(const QString &text);

// Decodes; stray bytes become substitution characters, never a failure.
QString DecodeCp932(const QByteArray &bytes);

// True when the code page 932 converter is available on this system.
bool Cp932Available();

// Number of bytes the text takes in code page 932 (unencodable characters count 2).
qsizetype Cp932Length(const QString &text);

// Decodes a file piece by piece, giving the same text as DecodeCp932 of the
// whole: a lead byte at the end of a piece waits for its trail byte.
class Cp932Decoder {
public:
    QString decode(QByteArrayView piece);
    // The same, appended to text: a large file is decoded straight into the
    // one string that holds it, with no copy of each piece.
    void decodeInto(QByteArrayView piece, QString &text);
    // The text of a lead byte left over at the end of the file.
    QString finish();

private:
    QByteArray carry_;
    QStringDecoder decoder_{kCp932Codec, QStringConverter::Flag::Stateless};
};
