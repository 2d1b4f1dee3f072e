#include "core/file/csv.h"

#include "core/file/cp932.h"

#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace Csv {

namespace {
const QByteArray kBom("\xEF\xBB\xBF", 3);
} // namespace

QString EncodingName(Encoding encoding)
{
    return encoding == Encoding::Utf8 ? u"UTF-8"_s : u"Shift_JIS"_s;
}

namespace {
bool needsQuotes(QStringView value)
{
    for (QChar c : value)
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    return false;
}

void appendField(QString &out, QStringView value)
{
    if (!needsQuotes(value)) {
        out += value;
        return;
    }
    out += u'"';
    for (QChar c : value) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}
} // namespace

QString Field(const QString &value)
{
    QString out;
    appendField(out, value);
    return out;
}

void AppendLine(QString &out, std::initializer_list<QStringView> fields)
{
    bool first = true;
    for (QStringView f : fields) {
        if (!first)
            out += u',';
        first = false;
        appendField(out, f);
    }
    out += u"\r\n"_s;
}

QString Line(const QStringList &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u',';
        appendField(line, fields[i]);
    }
    return line + u"\r\n"_s;
}

bool Encode(const QString &text, Encoding encoding, QByteArray &out, QString *badChar)
{
    if (encoding == Encoding::Utf8) {
        out = kBom + text.toUtf8();
        return true;
    }
    if (EncodeCp932(text, out))
        return true;
    if (badChar)
        *badChar = FirstUnencodableCp932(text);
    return false;
}

Decoded Decode(const QByteArray &bytes)
{
    if (bytes.startsWith(kBom))
        return {QString::fromUtf8(bytes.sliced(kBom.size())), Encoding::Utf8};
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return {std::move(text), Encoding::Utf8};
    return {DecodeCp932(bytes), Encoding::ShiftJis};
}

QList<Row> Parse(const QString &text)
{
    QList<Row> rows;
    const qsizetype n = text.size();
    qsizetype i = 0;
    qint32 number = 0;
    while (i < n) {
        Row row;
        row.number = ++number;
        QString field;
        bool rowEnded = false;
        while (!rowEnded) {
            field.clear();
            if (i < n && text[i] == u'"') {
                // Quoted: up to the lone closing quote; "" is one quote.
                ++i;
                bool closed = false;
                while (i < n) {
                    if (text[i] == u'"') {
                        if (i + 1 < n && text[i + 1] == u'"') {
                            field += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    field += text[i++];
                }
                if (!closed)
                    row.unterminated = true;
            }
            // Unquoted text, or whatever follows a closing quote, up to the
            // separator: kept as it stands.
            while (i < n && text[i] != u',' && text[i] != u'\r' && text[i] != u'\n')
                field += text[i++];
            row.fields.append(field);
            if (i < n && text[i] == u',') {
                ++i;
                continue;
            }
            // CR LF, LF or CR.
            if (i < n && text[i] == u'\r')
                ++i;
            if (i < n && text[i] == u'\n')
                ++i;
            rowEnded = true;
        }
        rows.append(row);
    }
    return rows;
}

} // namespace Csv
