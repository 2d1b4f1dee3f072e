#include "core/file/csv.h"

#include "core/file/cp932.h"

using namespace Qt::StringLiterals;

namespace Csv {

namespace {
const QByteArray kBom("\xEF\xBB\xBF", 3);

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

bool startsFormula(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u'\'')
        ++i;
    if (i >= text.size())
        return false;
    const QChar c = text[i];
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r' ||
           c == u'\n';
}

// Counts the line ends (CR LF, LF or CR) in bytes.
qint32 lineEnds(QByteArrayView bytes)
{
    qint32 n = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++n;
    }
    return n;
}
} // namespace

QString EncodingName(Encoding encoding)
{
    return encoding == Encoding::Utf8 ? u"UTF-8"_s : u"Shift_JIS"_s;
}

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

QString GuardText(const QString &text)
{
    return startsFormula(text) ? u'\'' + text : text;
}

QString UnguardText(const QString &text)
{
    return text.startsWith(u'\'') && startsFormula(QStringView(text).sliced(1)) ? text.sliced(1)
                                                                                : text;
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

qsizetype FirstInvalidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        qsizetype len = 0;
        unsigned char low = 0x80, high = 0xBF; // the second byte's range
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            low = c == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
            high = c == 0xED ? 0x9F : 0xBF; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            low = c == 0xF0 ? 0x90 : 0x80;
            high = c == 0xF4 ? 0x8F : 0xBF; // nothing beyond U+10FFFF
        } else {
            return i;
        }
        for (qsizetype k = 1; k < len; ++k) {
            const unsigned char lo = k == 1 ? low : 0x80, hi = k == 1 ? high : 0xBF;
            if (i + k >= n || p[i + k] < lo || p[i + k] > hi)
                return i;
        }
        i += len;
    }
    return -1;
}

Reader::Reader(QByteArrayView bytes)
    : bytes_(bytes), sjis_(kCp932Codec, QStringConverter::Flag::Stateless)
{
    if (bytes_.startsWith(QByteArrayView(kBom))) {
        pos_ = kBom.size();
        return;
    }
    qsizetype end = 0;
    while (end < bytes_.size() && bytes_[end] != '\r' && bytes_[end] != '\n')
        ++end;
    if (FirstInvalidUtf8(bytes_.first(end)) >= 0)
        encoding_ = Encoding::ShiftJis;
}

bool Reader::Next(Row &row)
{
    const qsizetype n = bytes_.size();
    if (pos_ >= n)
        return false;
    row.number = ++number_;
    // The lists keep their room from row to row.
    qsizetype count = 0;
    const auto add = [&row, &count](QByteArray &&field, qsizetype start) {
        if (count < row.fields.size()) {
            row.fields[count] = std::move(field);
            row.starts[count] = start;
        } else {
            row.fields.append(std::move(field));
            row.starts.append(start);
        }
        ++count;
    };
    row.unterminated = false;
    row.lines = 1;
    const qsizetype rowStart = pos_;
    const char *data = bytes_.data();
    for (;;) {
        const qsizetype start = pos_;
        QByteArray field;
        const bool quoted = pos_ < n && data[pos_] == '"';
        if (quoted) {
            // Quoted: up to the lone closing quote; "" is one quote. Without
            // doubled quotes the field is the bytes in between, not copied.
            ++pos_;
            const qsizetype from = pos_;
            bool doubled = false, closed = false;
            while (pos_ < n) {
                if (data[pos_] == '"') {
                    if (pos_ + 1 < n && data[pos_ + 1] == '"') {
                        doubled = true;
                        pos_ += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                ++pos_;
            }
            if (doubled)
                field = QByteArray(data + from, pos_ - from).replace("\"\"", "\"");
            else
                field = QByteArray::fromRawData(data + from, pos_ - from);
            if (!closed) {
                QByteArrayView swallowed = bytes_.sliced(rowStart);
                if (swallowed.endsWith('\n'))
                    swallowed.chop(1);
                if (swallowed.endsWith('\r'))
                    swallowed.chop(1);
                row.unterminated = true;
                row.lines = lineEnds(swallowed) + 1;
            } else {
                ++pos_;
            }
        }
        // Unquoted text, or whatever follows a closing quote, up to the
        // separator: kept as it stands.
        const qsizetype rest = pos_;
        while (pos_ < n && data[pos_] != ',' && data[pos_] != '\r' && data[pos_] != '\n')
            ++pos_;
        if (start == rest)
            field = QByteArray::fromRawData(data + rest, pos_ - rest);
        else if (pos_ > rest)
            field += QByteArrayView(data + rest, pos_ - rest);
        add(std::move(field), start + (quoted ? 1 : 0) - rowStart);
        if (pos_ < n && data[pos_] == ',') {
            ++pos_;
            continue;
        }
        if (pos_ < n && data[pos_] == '\r')
            ++pos_;
        if (pos_ < n && data[pos_] == '\n')
            ++pos_;
        row.fields.resize(count);
        row.starts.resize(count);
        return true;
    }
}

bool Reader::Decode(QByteArrayView field, QString &text, qsizetype &badByte)
{
    if (encoding_ == Encoding::ShiftJis) {
        text = sjis_.isValid() ? sjis_.decode(field) : QString::fromLatin1(field);
        return true;
    }
    badByte = FirstInvalidUtf8(field);
    if (badByte >= 0)
        return false;
    text = QString::fromUtf8(field);
    return true;
}

} // namespace Csv
