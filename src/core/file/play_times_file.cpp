#include "core/file/play_times_file.h"

#include "core/file/content_groups.h"
#include "core/file/file_stamp.h"
#include "core/file/save_sequence.h"
#include "core/file/text_lines.h"
#include "core/model/play_record.h"
#include "core/model/record_table.h"
#include "core/model/visit_details.h"

#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
constexpr QByteArrayView kTimesHeader = "ledra3 play times 1";
constexpr QByteArrayView kDetailsHeader = "ledra3 play times 2";
constexpr QByteArrayView kAnyVersion = "ledra3 play times ";
constexpr QByteArrayView kTagSeparator = "\xE3\x80\x81"; // 「、」 in UTF-8
// The rates whose texts are kept while reading or writing: a player plays at
// a few.
constexpr qsizetype kRatesKept = 16;

bool hasTimes(const PlayRecord &r)
{
    return r.startMinute != kNoTime || r.endMinute != kNoTime;
}

// Anything but the times that the first version cannot keep.
bool hasOtherDetails(const PlayRecord &r)
{
    return r.rate.IsSet() || r.spins != kNoCount || r.jackpots != kNoCount || !r.tags.isEmpty();
}

// "00" to "99": numbers and clock times are written two digits at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233"
    "34353637383940414243444546474849505152535455565758596061626364656667"
    "6869707172737475767778798081828384858687888990919293949596979899";

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

// Reads one line of the file, its fields in order, without copying.
class LineFields {
public:
    explicit LineFields(QByteArrayView line) : p_(line.data()), end_(line.data() + line.size()) {}

    // A whole number as written: an optional "-" and up to ten digits, then
    // a comma.
    template <typename T> bool Number(T &value)
    {
        const char *p = p_; // a local, kept in a register
        const bool negative = p < end_ && *p == '-';
        p += negative ? 1 : 0;
        const char *const digits = p, *const last = std::min(end_, p + 10);
        qint64 v = 0;
        while (p < last && unsigned(*p - '0') < 10)
            v = v * 10 + (*p++ - '0');
        if (p == digits || p == end_ || *p != ',')
            return false;
        v = negative ? -v : v;
        if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
            return false;
        value = T(v);
        p_ = p + 1;
        return true;
    }

    // "HH:MM" or nothing, then a comma.
    bool ClockTime(qint16 &minute)
    {
        if (p_ < end_ && *p_ == ',') {
            minute = kNoTime;
            return comma();
        }
        const auto digit = [this](int at) { return p_[at] >= '0' && p_[at] <= '9'; };
        if (end_ - p_ < 5 || !digit(0) || !digit(1) || p_[2] != ':' || !digit(3) || !digit(4))
            return false;
        const int h = (p_[0] - '0') * 10 + p_[1] - '0', m = (p_[3] - '0') * 10 + p_[4] - '0';
        p_ += 5;
        minute = qint16(h * 60 + m);
        return h < 24 && m < 60 && comma();
    }

    // The text up to the next comma, and the comma.
    bool Field(QByteArrayView &field)
    {
        const char *const from = p_;
        const void *const found = std::memchr(p_, ',', size_t(end_ - p_));
        p_ = found ? static_cast<const char *>(found) : end_;
        field = QByteArrayView(from, p_ - from);
        return comma();
    }

    // A count up to max, or nothing (kNoCount), then a comma.
    bool Count(qint32 &count, qint32 max)
    {
        if (p_ < end_ && *p_ == ',') {
            count = kNoCount;
            return comma();
        }
        return p_ < end_ && *p_ != '-' && Number(count) && count <= max;
    }

    // The rest of the line: the comment, in quotes when written so (UTF-8),
    // decoded into buffer, which text then shows: no allocation per line.
    bool Comment(QString &buffer, QStringView &text) const
    {
        QByteArrayView rest(p_, end_ - p_);
        QByteArray unquoted;
        if (rest.startsWith('"')) {
            if (rest.size() < 2 || !rest.endsWith('"'))
                return false;
            unquoted = rest.sliced(1, rest.size() - 2).toByteArray().replace("\"\"", "\"");
            rest = unquoted;
        }
        if (rest.isEmpty()) {
            text = QStringView();
            return true;
        }
        return readUtf8(rest, buffer, text); // a byte that is no UTF-8 in no comment
    }

private:
    bool comma()
    {
        if (p_ >= end_ || *p_ != ',')
            return false;
        ++p_;
        return true;
    }

    const char *p_;
    const char *end_;
};

// Rates and tags as the file writes them ("4円パチンコ", "イベント日、新台"), each
// text read once through the readers of typed details.
class DetailTexts {
public:
    bool Rate(QByteArrayView text, PlayRate &rate)
    {
        if (text.isEmpty()) {
            rate = PlayRate();
            return true;
        }
        // Looked for among those met before first.
        for (const auto &[bytes, known] : std::as_const(rates_)) {
            if (bytes.size() == text.size() &&
                std::memcmp(bytes.constData(), text.data(), size_t(text.size())) == 0) {
                rate = known;
                return true;
            }
        }
        const std::optional<PlayRate> read = ReadRate(utf8(text));
        if (read && rates_.size() < kRatesKept)
            rates_.append({text.toByteArray(), *read});
        rate = read.value_or(PlayRate());
        return read.has_value();
    }

    bool Tags(QByteArrayView text, QStringList &tags)
    {
        if (text.isEmpty()) {
            tags.clear();
            return true;
        }
        auto it = tags_.constFind(QByteArray::fromRawData(text.data(), text.size()));
        if (it == tags_.cend()) {
            const std::optional<QStringList> read = TagsFromText(utf8(text));
            if (!read)
                return false;
            it = tags_.insert(text.toByteArray(), *read);
        }
        tags = *it; // shared by every visit with these tags
        return true;
    }

private:
    // A byte that is no UTF-8 becomes U+FFFD, which no reader of details takes.
    static QString utf8(QByteArrayView text)
    {
        const QString decoded = QString::fromUtf8(text);
        return decoded.contains(QChar::ReplacementCharacter) ? u"\x01"_s : decoded;
    }

    QList<std::pair<QByteArray, PlayRate>> rates_;
    QHash<QByteArray, QStringList> tags_;
};

// One line of the file as read: the visit it names, its position among the
// identical ones and their count, and its times and details.
struct Line {
    VisitContent content;
    qint32 position = 0;
    qint32 count = 0;
    PlayRecord details; // the times and details alone
};

// Reads a line of a file of version 1 or 2; the comment is decoded into buffer.
bool readLine(QByteArrayView text, int version, DetailTexts &texts, QString &buffer, Line &line)
{
    LineFields f(text);
    VisitContent &c = line.content;
    PlayRecord &d = line.details;
    d = PlayRecord();
    if (!(f.Number(c.DYear) && f.Number(c.DMonth) && f.Number(c.DDay) && f.Number(c.DToushi) &&
          f.Number(c.DKaishuu) && f.Number(c.DSId) && f.Number(c.DMId) && f.Number(line.position) &&
          f.Number(line.count) && f.ClockTime(d.startMinute) && f.ClockTime(d.endMinute)))
        return false;
    if (version == 2) {
        QByteArrayView rate, tags;
        if (!(f.Field(rate) && texts.Rate(rate, d.rate) && f.Count(d.spins, kMaxSpins) &&
              f.Count(d.jackpots, kMaxJackpots) && f.Field(tags) && texts.Tags(tags, d.tags)))
            return false;
    }
    return f.Comment(buffer, c.DComment);
}

// Writes value in decimal at p and a comma after it; returns the end.
char *putNumber(char *p, qint32 value)
{
    if (value < 0)
        *p++ = '-';
    quint32 v = value < 0 ? 0U - quint32(value) : quint32(value);
    const int digits = v < 10           ? 1
                       : v < 100        ? 2
                       : v < 1000       ? 3
                       : v < 10000      ? 4
                       : v < 100000     ? 5
                       : v < 1000000    ? 6
                       : v < 10000000   ? 7
                       : v < 100000000  ? 8
                       : v < 1000000000 ? 9
                                        : 10;
    p += digits;
    char *q = p;
    for (; v >= 100; v /= 100) {
        q -= 2;
        std::memcpy(q, kDigitPairs + 2 * (v % 100), 2);
    }
    if (v >= 10)
        std::memcpy(q - 2, kDigitPairs + 2 * v, 2);
    else
        q[-1] = char('0' + v);
    *p++ = ',';
    return p;
}

// "HH:MM" (nothing for no time) and a comma.
char *putClockTime(char *p, qint16 minute)
{
    if (minute >= 0 && minute < 24 * 60) {
        std::memcpy(p, kDigitPairs + 2 * (minute / 60), 2);
        p[2] = ':';
        std::memcpy(p + 3, kDigitPairs + 2 * (minute % 60), 2);
        p += 5;
    }
    *p++ = ',';
    return p;
}

// The version a file's first line names: 1, 2, -1 for another; 0 for none.
int versionOf(QByteArrayView line)
{
    if (!line.startsWith(kAnyVersion))
        return 0;
    return line == kTimesHeader ? 1 : line == kDetailsHeader ? 2 : -1;
}

QString notAFileText(const QString &fileName)
{
    return QFileInfo(fileName).isDir() ? SystemErrorText(EISDIR)
                                       : u"通常のファイルではありません"_s;
}
} // namespace

QString NotAFileReason(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.exists() && !info.isFile() ? notAFileText(fileName) : QString();
}

int PlayTimesVersion(QByteArrayView bytes)
{
    TextLines<QByteArrayView> lines(WithoutByteOrderMark(bytes));
    for (QByteArrayView line; lines.Next(line);)
        if (!line.isEmpty())
            return versionOf(line);
    return 0;
}

TimesReading ReadPlayTimes(const QString &fileName, Data &data)
{
    TimesReading reading;
    QByteArray bytes;
    if (const FileRead read = ReadRegularFile(fileName, bytes); read != FileRead::Ok) {
        if (read == FileRead::NotRegular)
            reading.unreadable = notAFileText(fileName);
        else if (read != FileRead::Missing)
            reading.unreadable = ReadErrorText(errno);
        return reading;
    }
    ContentGroups groups(data);
    DetailTexts texts;
    QString buffer;
    Line l;
    QList<bool> taken(data.ListCount() + 1, false);
    TextLines<QByteArrayView> lines(WithoutByteOrderMark(bytes));
    bool first = true;
    int version = 0;
    for (QByteArrayView line; lines.Next(line);) {
        if (line.isEmpty())
            continue; // a blank line
        // The first line names the version. Without it a line is read as the
        // newest version's, else as the first's (a line of the first never
        // reads as one of the newest: its comment would need commas unquoted).
        // Another version's lines are unmatched.
        if (std::exchange(first, false) && (version = versionOf(line)) != 0)
            continue;
        bool read = false;
        if (version == 0)
            read = readLine(line, 2, texts, buffer, l) || readLine(line, 1, texts, buffer, l);
        else if (version > 0)
            read = readLine(line, version, texts, buffer, l);
        // The records it names must be as many as when it was written, or
        // nobody can tell which of them it was.
        const qint32 n = read ? groups.Identical(l.content, l.position, l.count) : 0;
        if (n == 0 || taken[n]) {
            ++reading.unmatched;
            continue;
        }
        taken[n] = true;
        data.SetDetails(n, l.details);
        ++reading.attached;
    }
    return reading;
}

QByteArray PlayTimesBytes(const Data &data)
{
    // The first version while no visit has details beyond its times, so that
    // a copy of the program that reads only that one still finds the times.
    bool times = false, details = false;
    qsizetype room = 0; // for the longest lines; cut to size at the end
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        const PlayRecord &r = data.Record(n);
        times = times || hasTimes(r);
        details = details || hasOtherDetails(r);
        room += 6 * r.DComment.size();
        for (const QString &tag : r.tags)
            room += 3 * tag.size() + kTagSeparator.size();
    }
    if (!times && !details)
        return QByteArray();
    const QByteArrayView header = details ? kDetailsHeader : kTimesHeader;
    room += header.size() + 2 + qsizetype(data.ListCount()) * (details ? 220 : 160);
    QList<qint32> position, count;
    ContentGroups(data).Positions(position, count);
    QByteArray out(room, Qt::Uninitialized);
    char *p = std::copy(header.begin(), header.end(), out.data());
    *p++ = '\r';
    *p++ = '\n';
    QList<std::pair<PlayRate, QByteArray>> rates; // the texts of the rates met so far
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        const PlayRecord &r = data.Record(n);
        if (!hasTimes(r) && !hasOtherDetails(r))
            continue;
        for (const qint32 v : {qint32(r.DYear), qint32(r.DMonth), qint32(r.DDay), r.DToushi,
                               r.DKaishuu, qint32(r.DSId), qint32(r.DMId), position[n], count[n]})
            p = putNumber(p, v);
        p = putClockTime(putClockTime(p, r.startMinute), r.endMinute);
        if (details) {
            if (r.rate.IsSet()) {
                const auto it = std::find_if(rates.cbegin(), rates.cend(), [&r](const auto &known) {
                    return known.first == r.rate;
                });
                const QByteArray text = it != rates.cend() ? it->second : RateText(r.rate).toUtf8();
                if (it == rates.cend() && rates.size() < kRatesKept)
                    rates.append({r.rate, text});
                p = std::copy(text.cbegin(), text.cend(), p);
            }
            *p++ = ',';
            for (const qint32 c : {r.spins, r.jackpots}) {
                if (c != kNoCount)
                    p = putNumber(p, c);
                else
                    *p++ = ',';
            }
            // No tag holds 「、」 or a comma (TagsFromText), nor a line end (no
            // typed or imported text gives one).
            for (qsizetype k = 0; k < r.tags.size(); ++k) {
                if (k > 0)
                    p = std::copy(kTagSeparator.begin(), kTagSeparator.end(), p);
                p = putUtf8(p, r.tags[k]);
            }
            *p++ = ',';
        }
        if (!r.DComment.isEmpty()) {
            // Quoted as in CSV only when it holds a comma, a quote or a line
            // end; else encoded straight into the room, with no copy.
            if (std::none_of(r.DComment.cbegin(), r.DComment.cend(), [](QChar c) {
                    return c == u',' || c == u'"' || c == u'\r' || c == u'\n';
                })) {
                p = putUtf8(p, r.DComment);
            } else {
                const QByteArray comment = r.DComment.toUtf8();
                *p++ = '"';
                for (const char c : comment) {
                    if (c == '"')
                        *p++ = '"';
                    *p++ = c;
                }
                *p++ = '"';
            }
        }
        *p++ = '\r';
        *p++ = '\n';
    }
    out.truncate(p - out.constData());
    return out;
}
