#pragma once
// Comma-separated text as spreadsheets read and write it (RFC 4180): fields
// quoted when they hold a comma, a double quote or a line end, quotes doubled,
// CR LF between rows. Files are UTF-8 with a byte-order mark, or Shift_JIS
// (code page 932); reading tells the two apart.

#include <QByteArray>
#include <QList>
#include <QString>
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

// UTF-8 with a byte-order mark, or code page 932. False (out untouched) when a
// character cannot be carried by code page 932; badChar then holds it.
bool Encode(const QString &text, Encoding encoding, QByteArray &out, QString *badChar = nullptr);

struct Decoded {
    QString text;
    Encoding encoding = Encoding::Utf8;
};
// A byte-order mark or valid UTF-8 is UTF-8; anything else is read as
// Shift_JIS (stray bytes become substitution characters).
Decoded Decode(const QByteArray &bytes);

struct Row {
    qint32 number = 0; // 1-based, as a spreadsheet numbers its rows
    QStringList fields;
    bool unterminated = false; // a quoted field ran to the end of the text
};
// Rows separated by CR LF, LF or CR; a line end after the last row starts no
// row of its own. An empty line is a row with one empty field.
QList<Row> Parse(const QString &text);

} // namespace Csv
