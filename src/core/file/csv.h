#pragma once
// Comma-separated text as spreadsheets read and write it (RFC 4180): fields
// quoted when they hold a comma, a double quote or a line end, quotes doubled,
// CR LF between rows. Files are UTF-8 with a byte-order mark, or Shift_JIS
// (code page 932); reading tells the two apart.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QStringView>
#include <initializer_list>

namespace Csv {

enum class Encoding { Utf8, ShiftJis };

// "UTF-8" / "Shift_JIS".
QString EncodingName(Encoding encoding);

QString Field(const QString &value);
// The fields of one row and its CR LF.
QString Line(const QStringList &fields);
// The same, appended to out without a list of its own (for long exports).
void AppendLine(QString &out, std::initializer_list<QStringView> fields);

// A text field as written to a file a spreadsheet opens: text that begins
// with "=", "+", "-", "@", a tab or a line end (CR or LF) would be run as a
// formula, so it gets a leading "'" (as does text that already begins with
// "'" before one of those, so that reading back is exact).
QString GuardText(const QString &text);
// The text as it was before GuardText: exactly that "'" removed.
QString UnguardText(const QString &text);

// UTF-8 with a byte-order mark, or code page 932. False (out untouched) when a
// character cannot be carried by code page 932; badChar then holds it.
bool Encode(const QString &text, Encoding encoding, QByteArray &out, QString *badChar = nullptr);

// The offset of the first byte that is not part of a valid UTF-8 character;
// -1 when every byte is.
qsizetype FirstInvalidUtf8(QByteArrayView bytes);

// One row as read: its fields' bytes (quotes removed, "" as one quote).
struct Row {
    qint32 number = 0; // 1-based, as a spreadsheet numbers its rows
    QList<QByteArray> fields;
    QList<qsizetype> starts; // where each field's text begins in the row (after a quote)
    // A quote never closed: the field ran to the end of the file, swallowing
    // the lines after it (counted from the row's first line).
    bool unterminated = false;
    qint32 lines = 1;
};

// Reads rows one at a time from bytes in memory, without copying them (a
// field holds its own bytes only when it had doubled quotes). Rows are
// separated by CR LF, LF or CR; a line end after the last row starts no row
// of its own; an empty line is a row with one empty field. A byte-order mark
// means UTF-8; without one the first row decides: valid UTF-8 is UTF-8,
// anything else Shift_JIS.
class Reader {
public:
    explicit Reader(QByteArrayView bytes);
    Encoding encoding() const { return encoding_; }
    // The next row; false at the end.
    bool Next(Row &row);

    // A field's text. False when its bytes are no valid UTF-8 in a UTF-8 file;
    // badByte then holds the offset of the first byte that is not (Shift_JIS
    // never fails: stray bytes become substitution characters).
    bool Decode(QByteArrayView field, QString &text, qsizetype &badByte);

private:
    QByteArrayView bytes_;
    qsizetype pos_ = 0;
    qint32 number_ = 0;
    Encoding encoding_ = Encoding::Utf8;
    QStringDecoder sjis_;
};

} // namespace Csv
