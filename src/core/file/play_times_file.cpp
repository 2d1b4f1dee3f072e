#include "core/file/play_times_file.h"

#include "core/file/file_stamp.h"
#include "core/file/save_sequence.h"
#include "core/file/text_lines.h"
#include "core/model/play_record.h"
#include "core/model/record_table.h"
#include "core/model/visit_details.h"

#include <QFileInfo>
#include <QHash>
#include <QHashFunctions>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
constexpr QByteArrayView kTimesHeader = "ledra3 play times 1";
constexpr QByteArrayView kDetailsHeader = "ledra3 play times 2";
constexpr QByteArrayView kAnyVersion = "ledra3 play times ";
constexpr QByteArrayView kTagSeparator = "\xE3\x80\x81"; // 「、」 in UTF-8

bool hasTimes(const PlayRecord &r)
{
    return r.startMinute != kNoTime || r.endMinute != kNoTime;
}

// Anything but the times that the first version cannot keep.
bool hasOtherDetails(const PlayRecord &r)
{
    return r.rate.IsSet() || r.spins != kNoCount || r.jackpots != kNoCount || !r.tags.isEmpty();
}

// Everything that names a visit but its position: all of a record but its times.
bool sameContent(const PlayRecord &a, const PlayRecord &b)
{
    return a.DYear == b.DYear && a.DMonth == b.DMonth && a.DDay == b.DDay &&
           a.DToushi == b.DToushi && a.DKaishuu == b.DKaishuu && a.DSId == b.DSId &&
           a.DMId == b.DMId && a.DComment == b.DComment;
}

size_t contentHash(const PlayRecord &r)
{
    return qHashMulti(1, r.DYear, r.DMonth, r.DDay, r.DToushi, r.DKaishuu, r.DSId, r.DMId,
                      r.DComment);
}

int dateKey(const PlayRecord &r)
{
    return r.DYear * 10000 + r.DMonth * 100 + r.DDay;
}

// Where the records identical to a content are. Identical records share
// their date: in a table in date order (as the entry window and the CSV
// import leave it) they lie in one run of equal dates, found by walking on or
// by a binary search. Otherwise, or where one day has very many visits, a
// table of content hashes chains them (open addressing: no allocation per
// record, which a list per content would cost).
class ContentGroups {
public:
    explicit ContentGroups(const Data &data) : data_(data), n_(data.ListCount())
    {
        byDate_ = true;
        qint32 run = 1;
        for (qint32 k = 2; k <= n_ && byDate_; ++k) {
            const int before = dateKey(data.Record(k - 1)), key = dateKey(data.Record(k));
            run = key == before ? run + 1 : 1;
            byDate_ = key >= before && run <= kLongestRun;
        }
        if (!byDate_)
            buildChains();
    }

    // The record at position (1-based) among those identical to r, when
    // they are count records; 0 when they are not, or there is none.
    qint32 Identical(const PlayRecord &r, qint32 position, qint32 count)
    {
        qint32 found = 0, seen = 0;
        forEachIdentical(r, [&](qint32 n) {
            if (++seen == position)
                found = n;
        });
        return seen == count ? found : 0;
    }

    // Each record's position among those identical to it, and their count.
    void Positions(QList<qint32> &position, QList<qint32> &count)
    {
        position.fill(0, n_ + 1);
        count.fill(0, n_ + 1);
        for (qint32 n = 1; n <= n_; ++n) {
            if (count[n] != 0)
                continue; // counted with an identical one before it
            qint32 seen = 0;
            forEachIdentical(data_.Record(n), [&](qint32 k) { position[k] = ++seen; });
            forEachIdentical(data_.Record(n), [&](qint32 k) { count[k] = seen; });
        }
    }

private:
    static constexpr qint32 kLongestRun = 64; // visits of one day walked through
    static constexpr qint32 kLongestWalk = 64;

    template <typename Visit> void forEachIdentical(const PlayRecord &r, Visit &&visit)
    {
        if (!byDate_) {
            for (qint32 n = heads_[slot(shortHash(contentHash(r)))].head; n != 0; n = next_[n])
                if (sameContent(data_.Record(n), r))
                    visit(n);
            return;
        }
        // The first record of r's day: walking on from the last one found
        // when it is near (lines come in table order), else a binary search.
        const int key = dateKey(r);
        qint32 c = cursor_;
        const auto keyAt = [this](qint32 k) { return dateKey(data_.Record(k)); };
        if (c > n_ || (c > 1 && keyAt(c - 1) >= key) || keyAt(c) > key) {
            c = 1;
            for (qint32 len = n_; len > 0;) {
                const qint32 half = len / 2;
                if (keyAt(c + half) < key) {
                    c += half + 1;
                    len -= half + 1;
                } else {
                    len = half;
                }
            }
        } else {
            for (qint32 walked = 0; c <= n_ && keyAt(c) < key; ++walked) {
                if (walked == kLongestWalk) {
                    cursor_ = n_ + 1; // too far: search
                    forEachIdentical(r, visit);
                    return;
                }
                ++c;
            }
        }
        cursor_ = c;
        for (qint32 k = c; k <= n_ && keyAt(k) == key; ++k)
            if (sameContent(data_.Record(k), r))
                visit(k);
    }

    void buildChains()
    {
        next_.fill(0, n_ + 1);
        last_.fill(0, n_ + 1);
        while ((qsizetype(1) << bits_) < 2 * qsizetype(n_))
            ++bits_;
        heads_.fill(Slot(), qsizetype(1) << bits_);
        for (qint32 n = 1; n <= n_; ++n) {
            const quint32 h = shortHash(contentHash(data_.Record(n)));
            Slot &chain = heads_[slot(h)];
            if (chain.head == 0) {
                chain = Slot{h, n};
                last_[n] = n;
            } else {
                next_[last_[chain.head]] = n;
                last_[chain.head] = n;
            }
        }
    }

    // Slots of 8 bytes keep the table small; records whose hashes share these
    // 32 bits share a chain, which compares contents anyway.
    struct Slot {
        quint32 hash = 0;
        qint32 head = 0; // 0: empty
    };
    static quint32 shortHash(size_t h)
    {
        return quint32((quint64(h) * 0x9E3779B97F4A7C15ULL) >> 32);
    }

    // The slot of the chain of hash h: its own, or the empty one where it would go.
    qsizetype slot(quint32 h) const
    {
        const qsizetype mask = heads_.size() - 1;
        qsizetype i = qsizetype(h >> (32 - bits_));
        while (heads_[i].head != 0 && heads_[i].hash != h)
            i = (i + 1) & mask;
        return i;
    }

    const Data &data_;
    const qint32 n_;
    bool byDate_ = false;
    qint32 cursor_ = 1; // where the last day looked for began
    int bits_ = 4;
    QList<qint32> next_; // by record number: the next of its chain, 0 at the end
    QList<qint32> last_; // by chain head: the chain's last record
    QList<Slot> heads_;  // the table of chains
};

// Reads one line of the file, its fields in order, without copying.
class LineFields {
public:
    explicit LineFields(QByteArrayView line) : p_(line.data()), end_(line.data() + line.size()) {}

    // A whole number as written: an optional "-" and digits, then a comma.
    template <typename T> bool Number(T &value)
    {
        const bool negative = p_ < end_ && *p_ == '-';
        if (negative)
            ++p_;
        const char *const digits = p_;
        qint64 v = 0;
        while (p_ < end_ && *p_ >= '0' && *p_ <= '9' && p_ - digits < 10)
            v = v * 10 + (*p_++ - '0');
        v = negative ? -v : v;
        if (p_ == digits || v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
            return false;
        value = T(v);
        return comma();
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
        while (p_ < end_ && *p_ != ',')
            ++p_;
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

    // The rest of the line: the comment, in quotes when written so (UTF-8).
    bool Comment(QString &text) const
    {
        QByteArrayView rest(p_, end_ - p_);
        QByteArray unquoted;
        if (rest.startsWith('"')) {
            if (rest.size() < 2 || !rest.endsWith('"'))
                return false;
            unquoted = rest.sliced(1, rest.size() - 2).toByteArray().replace("\"\"", "\"");
            rest = unquoted;
        }
        // A byte that is no UTF-8 becomes U+FFFD, which no saved comment holds.
        text = QString::fromUtf8(rest);
        return !text.contains(QChar::ReplacementCharacter);
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
// text read once through the readers of typed details: a player uses few.
class DetailTexts {
public:
    bool Rate(QByteArrayView text, PlayRate &rate)
    {
        if (text.isEmpty()) {
            rate = PlayRate();
            return true;
        }
        auto it = rates_.constFind(QByteArray::fromRawData(text.data(), text.size()));
        if (it == rates_.cend())
            it = rates_.insert(text.toByteArray(), ReadRate(utf8(text)));
        rate = it->value_or(PlayRate());
        return it->has_value();
    }

    bool Tags(QByteArrayView text, QStringList &tags)
    {
        if (text.isEmpty()) {
            tags.clear();
            return true;
        }
        auto it = tags_.constFind(QByteArray::fromRawData(text.data(), text.size()));
        if (it == tags_.cend())
            it = tags_.insert(text.toByteArray(), TagsFromText(utf8(text)));
        if (it->has_value())
            tags = **it; // shared by every visit with these tags
        return it->has_value();
    }

private:
    // A byte that is no UTF-8 becomes U+FFFD, which no reader of details takes.
    static QString utf8(QByteArrayView text)
    {
        const QString decoded = QString::fromUtf8(text);
        return decoded.contains(QChar::ReplacementCharacter) ? u"\x01"_s : decoded;
    }

    QHash<QByteArray, std::optional<PlayRate>> rates_;
    QHash<QByteArray, std::optional<QStringList>> tags_;
};

// Reads the line of a file of version 1 or 2 into r, position and count.
bool readLine(QByteArrayView line, int version, DetailTexts &texts, PlayRecord &r, qint32 &position,
              qint32 &count)
{
    LineFields f(line);
    if (!(f.Number(r.DYear) && f.Number(r.DMonth) && f.Number(r.DDay) && f.Number(r.DToushi) &&
          f.Number(r.DKaishuu) && f.Number(r.DSId) && f.Number(r.DMId) && f.Number(position) &&
          f.Number(count) && f.ClockTime(r.startMinute) && f.ClockTime(r.endMinute)))
        return false;
    if (version == 2) {
        QByteArrayView rate, tags;
        if (!(f.Field(rate) && texts.Rate(rate, r.rate) && f.Count(r.spins, kMaxSpins) &&
              f.Count(r.jackpots, kMaxJackpots) && f.Field(tags) && texts.Tags(tags, r.tags)))
            return false;
    }
    return f.Comment(r.DComment);
}

// Writes value in decimal at p and a comma after it; returns the end.
char *putNumber(char *p, qint32 value)
{
    char digits[12];
    int i = sizeof digits;
    quint32 v = value < 0 ? 0U - quint32(value) : quint32(value);
    do {
        digits[--i] = char('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (value < 0)
        *p++ = '-';
    p = std::copy(digits + i, digits + sizeof digits, p);
    *p++ = ',';
    return p;
}

// "HH:MM" (nothing for no time) and a comma.
char *putClockTime(char *p, qint16 minute)
{
    if (minute >= 0 && minute < 24 * 60) {
        const char text[5] = {char('0' + minute / 600), char('0' + minute / 60 % 10), ':',
                              char('0' + minute % 60 / 10), char('0' + minute % 10)};
        p = std::copy(text, text + 5, p);
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
        PlayRecord r;
        qint32 position = 0, count = 0;
        bool read = false;
        if (version == 0) {
            read = readLine(line, 2, texts, r, position, count);
            if (!read) {
                r = PlayRecord();
                read = readLine(line, 1, texts, r, position, count);
            }
        } else if (version > 0) {
            read = readLine(line, version, texts, r, position, count);
        }
        // The records it names must be as many as when it was written, or
        // nobody can tell which of them it was.
        const qint32 n = read ? groups.Identical(r, position, count) : 0;
        if (n == 0 || taken[n]) {
            ++reading.unmatched;
            continue;
        }
        taken[n] = true;
        data.SetDetails(n, r);
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
    QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    QHash<qint32, QByteArray> rates; // each rate's text, made once
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
                const qint32 key = qint32(r.rate.kind) << 24 | r.rate.price;
                auto it = rates.constFind(key);
                if (it == rates.cend())
                    it = rates.insert(key, RateText(r.rate).toUtf8());
                p = std::copy(it->cbegin(), it->cend(), p);
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
                p = utf8.appendToBuffer(p, r.tags[k]);
            }
            *p++ = ',';
        }
        if (!r.DComment.isEmpty()) {
            // Quoted as in CSV only when it holds a comma, a quote or a line
            // end; else encoded straight into the room, with no copy.
            if (std::none_of(r.DComment.cbegin(), r.DComment.cend(), [](QChar c) {
                    return c == u',' || c == u'"' || c == u'\r' || c == u'\n';
                })) {
                p = utf8.appendToBuffer(p, r.DComment);
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
