#pragma once
// Conversion between QString and the Japanese code page 932 (Shift-JIS as
// Windows writes it), the encoding of every data file.

#include <QByteArray>
#include <QString>

// Maps the characters Linux input methods give in their JIS form to the code
// page 932 character that looks the same (〜 → ～, − → －, ...).
QString MapToCp932Forms(const QString &text);

// Encodes after MapToCp932Forms. False when a character cannot be carried;
// out is then left unchanged.
bool EncodeCp932(const QString &text, QByteArray &out);

// True when the text can be written to a data file unchanged in meaning.
bool IsCp932Encodable(const QString &text);

// Decodes; stray bytes become substitution characters, never a failure.
QString DecodeCp932(const QByteArray &bytes);

// True when the code page 932 converter is available on this system.
bool Cp932Available();

// Number of bytes the text takes in code page 932 (unencodable characters count 2).
qsizetype Cp932Length(const QString &text);
