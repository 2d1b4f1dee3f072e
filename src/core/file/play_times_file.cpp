#include "core/file/play_times_file.h"

#include "core/file/content_groups.h"
#include "core/file/file_stamp.h"
#include "core/file/save_sequence.h"
#include "core/file/text_lines.h"
#include "core/file/times_fields.h"
#include "core/model/play_record.h"
#include "core/model/record_table.h"
#include "core/model/visit_details.h"

#include <QFileInfo>
#include <QHash>
#include <QVarLengthArray>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;
using namespace TimesFields;

namespace {
constexpr QByteArrayView kTimesHeader = "ledra3 play times 1";
constexpr QByteArrayView kDetailsHeader = "ledra3 play times 2";
constexpr QByteArrayView kNumberedHeader = "ledra3 play times 3";
constexpr QByteArrayView kTagsLine = "tags";
constexpr QByteArrayView kAnyVersion = "ledra3 play times ";
// The rates whose texts are kept while reading or writing: a player plays at
// a few.
constexpr qsizetype kRatesKept = 16;
constexpr qint32 kLastMinute = 24 * 60 - 1;

bool hasTimes(const PlayRecord &r)
{
    return r.startMinute != kNoTime || r.endMinute != kNoTime;
}

// Anything but the times that the first version cannot keep.
bool hasOtherDetails(const PlayRecord &r)
{
    return r.rate.IsSet() || r.spins != kNoCount || r.jackpots != kNoCount || !r.tags.isEmpty();
}

// Rates and tags as the file writes them ("4円パチンコ", "イベント日、新台";
// in version 3 "4p" and the tags' numbers), each text read once.
class DetailTexts {
public:
    explicit DetailTexts(QList<QStringList> &lists) : lists_(lists) {}

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

    // Tags written out, joined with 「、」: their list's index, -1 for none.
    bool Tags(QByteArrayView text, qint32 &index)
    {
        return lookUp(written_, text, index,
                      [](QByteArrayView t) { return TagsFromText(utf8(t)); });
    }

    // "tags,<tag 1>,<tag 2>,…": the tags that version 3's lines number.
    static bool IsTagNames(QByteArrayView line)
    {
        return line.startsWith(kTagsLine) &&
               (line.size() == kTagsLine.size() || line[kTagsLine.size()] == ',');
    }
    void SetTagNames(QByteArrayView line)
    {
        names_.clear();
        for (qsizetype from = kTagsLine.size(); from < line.size();) {
            const qsizetype comma = line.indexOf(',', from + 1);
            const qsizetype end = comma < 0 ? line.size() : comma;
            const std::optional<QStringList> tag =
                TagsFromText(utf8(line.sliced(from + 1, end - from - 1)));
            // One that is no tag is kept empty: a line that names it is unread.
            names_.append(tag && tag->size() == 1 ? tag->front() : QString());
            from = end;
        }
    }
    // Tags by their numbers, "3 7": their list's index, -1 for none. Up to
    // four numbers are looked for by a key made of them, quicker than by the
    // text: a lookup on every line of a large file.
    bool TagNumbers(QByteArrayView text, qint32 &index)
    {
        if (text.isEmpty()) {
            index = -1;
            return true;
        }
        TagNumberList numbers;
        if (!readTagNumbers(text, numbers))
            return false;
        // Each at least 1 and below 65,536: the key tells how many too.
        const bool keyed =
            numbers.size() <= 4 && std::all_of(numbers.cbegin(), numbers.cend(),
                                               [](qint32 k) { return k >= 1 && k < 65536; });
        if (!keyed)
            return lookUp(numbered_, text, index,
                          [&](QByteArrayView) { return namedTags(numbers); });
        quint64 key = 0;
        for (const qint32 k : numbers)
            key = key << 16 | quint64(k);
        return listIndex(byKey_, key, index, [&] { return namedTags(numbers); });
    }

private:
    using TagNumberList = QVarLengthArray<qint32, 4>;

    // "3 7": numbers of one to six digits, a space apart.
    static bool readTagNumbers(QByteArrayView text, TagNumberList &numbers)
    {
        const char *p = text.data(), *const end = p + text.size();
        for (;;) {
            qint32 k = 0;
            const char *const digits = p;
            while (p < end && p - digits < 6 && unsigned(*p - '0') < 10)
                k = k * 10 + (*p++ - '0');
            if (p == digits)
                return false;
            numbers.append(k);
            if (p == end)
                return true;
            if (*p != ' ' || ++p == end)
                return false;
        }
    }

    // The tags the numbers name in the tags line; none when one names none
    // or a tag twice.
    std::optional<QStringList> namedTags(const TagNumberList &numbers) const
    {
        QStringList tags;
        for (const qint32 k : numbers) {
            if (k < 1 || k > names_.size() || names_[k - 1].isEmpty() ||
                tags.contains(names_[k - 1]))
                return std::nullopt;
            tags.append(names_[k - 1]);
        }
        return tags;
    }

    template <typename Read>
    bool lookUp(QHash<QByteArray, qint32> &known, QByteArrayView text, qint32 &index, Read read)
    {
        if (text.isEmpty()) {
            index = -1;
            return true;
        }
        return listIndex(known, QByteArray::fromRawData(text.data(), text.size()), index,
                         [&] { return read(text); });
    }

    // The index of the list known by key; read and kept when first met.
    template <typename Key, typename Read>
    bool listIndex(QHash<Key, qint32> &known, const Key &key, qint32 &index, Read read)
    {
        auto it = known.constFind(key);
        if (it == known.cend()) {
            const std::optional<QStringList> tags = read();
            if (!tags)
                return false;
            lists_.append(*tags);
            it = known.insert(owned(key), qint32(lists_.size() - 1));
        }
        index = *it;
        return true;
    }
    // A key looked for in place (raw bytes of the line) is copied to be kept.
    static QByteArray owned(const QByteArray &raw)
    {
        return QByteArray(raw.constData(), raw.size());
    }
    static quint64 owned(quint64 key) { return key; }

    // A byte that is no UTF-8 becomes U+FFFD, which no reader of details takes.
    static QString utf8(QByteArrayView text)
    {
        const QString decoded = QString::fromUtf8(text);
        return decoded.contains(QChar::ReplacementCharacter) ? u"\x01"_s : decoded;
    }

    QList<QStringList> &lists_;
    QList<std::pair<QByteArray, PlayRate>> rates_;
    QHash<QByteArray, qint32> written_, numbered_;
    QHash<quint64, qint32> byKey_;
    QStringList names_;
};

// Reads a line of a file of version 1 or 2; the comment is decoded into buffer.
bool readLine(QByteArrayView text, int version, DetailTexts &texts, QString &buffer,
              TimesLine &line, VisitContent &c)
{
    LineFields f(text);
    line = TimesLine();
    if (!(f.Number(c.DYear) && f.Number(c.DMonth) && f.Number(c.DDay) && f.Number(c.DToushi) &&
          f.Number(c.DKaishuu) && f.Number(c.DSId) && f.Number(c.DMId) && f.Number(line.position) &&
          f.Number(line.count) && f.ClockTime(line.startMinute) && f.ClockTime(line.endMinute)))
        return false;
    if (version == 2) {
        QByteArrayView rate, tags;
        if (!(f.Field(rate) && texts.Rate(rate, line.rate) && f.Count(line.spins, kMaxSpins) &&
              f.Count(line.jackpots, kMaxJackpots) && f.Field(tags) && texts.Tags(tags, line.tags)))
            return false;
    }
    return f.Comment(buffer, c.DComment);
}

// Reads a line of version 3.
bool readNumberedLine(QByteArrayView text, DetailTexts &texts, qint32 previous, TimesLine &line)
{
    LineFields f(text);
    line = TimesLine();
    QByteArrayView rate;
    qint32 start = kNoCount, end = kNoCount;
    const bool read = f.Count(line.number, Data::kMaxRecords) && f.Fingerprint(line.fingerprint) &&
                      f.Count(line.position, Data::kMaxRecords) &&
                      f.Count(line.count, Data::kMaxRecords) && f.Count(start, kLastMinute) &&
                      f.Count(end, kLastMinute) && f.Field(rate) && readRateCode(rate, line.rate) &&
                      f.Count(line.spins, kMaxSpins) && f.Count(line.jackpots, kMaxJackpots) &&
                      texts.TagNumbers(f.Rest(), line.tags);
    // Left out: the record after the previous line's, the first of one.
    line.number = line.number == kNoCount ? previous + 1 : line.number;
    line.position = line.position == kNoCount ? 1 : line.position;
    line.count = line.count == kNoCount ? 1 : line.count;
    line.startMinute = qint16(start);
    line.endMinute = qint16(end);
    return read && line.number > 0;
}

// The version a file's first line names: 1, 2, -1 for another; 0 for none.
int versionOf(QByteArrayView line)
{
    if (!line.startsWith(kAnyVersion))
        return 0;
    return line == kTimesHeader ? 1 : line == kDetailsHeader ? 2 : line == kNumberedHeader ? 3 : -1;
}

// The first version's file: times alone, each visit named by its content.
QByteArray firstVersionBytes(const Data &data)
{
    qsizetype room = kTimesHeader.size() + 2; // for the longest lines; cut to size at the end
    for (qint32 n = 1; n <= data.ListCount(); ++n)
        room += 160 + 6 * data.Record(n).DComment.size();
    QList<qint32> position, count;
    ContentGroups(data).Positions(position, count);
    QByteArray out(room, Qt::Uninitialized);
    char *p = std::copy(kTimesHeader.begin(), kTimesHeader.end(), out.data());
    putLineEnd(p);
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        const PlayRecord &r = data.Record(n);
        if (!hasTimes(r))
            continue;
        for (const qint32 v : {qint32(r.DYear), qint32(r.DMonth), qint32(r.DDay), r.DToushi,
                               r.DKaishuu, qint32(r.DSId), qint32(r.DMId), position[n], count[n]})
            p = putNumber(p, v);
        p = putClockTime(putClockTime(p, r.startMinute), r.endMinute);
        p = putComment(p, r.DComment);
        putLineEnd(p);
    }
    out.truncate(p - out.constData());
    return out;
}

// The third version's file: every visit with times or details, named by its
// number and fingerprint, its tags by their numbers.
QByteArray numberedBytes(const Data &data)
{
    // The tags, numbered in the order met; each visit's numbers in order.
    QHash<QString, qint32> numbers;
    QStringList names;
    QList<qint32> tagNumbers;
    qsizetype room = kNumberedHeader.size() + kTagsLine.size() + 4;
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        for (const QString &tag : data.Record(n).tags) {
            const auto it = numbers.constFind(tag);
            if (it != numbers.cend()) {
                tagNumbers.append(*it);
                continue;
            }
            names.append(tag);
            numbers.insert(tag, qint32(names.size()));
            tagNumbers.append(qint32(names.size()));
            room += 1 + 3 * tag.size();
        }
    }
    room += qsizetype(data.ListCount()) * 100 + tagNumbers.size() * 12;
    QList<qint32> position, count;
    ContentGroups(data).Positions(position, count);
    QByteArray out(room, Qt::Uninitialized);
    char *p = std::copy(kNumberedHeader.begin(), kNumberedHeader.end(), out.data());
    putLineEnd(p);
    // No tag holds a comma, nor a line end (TagsFromText).
    p = std::copy(kTagsLine.begin(), kTagsLine.end(), p);
    for (const QString &name : std::as_const(names)) {
        *p++ = ',';
        p = putUtf8(p, name);
    }
    putLineEnd(p);
    const qint32 *tag = tagNumbers.constData();
    qint32 previous = 0; // the record of the last line
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        const PlayRecord &r = data.Record(n);
        if (!hasTimes(r) && !hasOtherDetails(r))
            continue;
        // The record number, the position and the count left out where
        // they are as most lines have them: the next record, alone.
        if (n != previous + 1)
            p = putNumber(p, n);
        else
            *p++ = ',';
        previous = n;
        p = putFingerprint(p, ContentFingerprint(VisitContent::Of(r)));
        for (const qint32 v : {position[n], count[n]}) {
            if (v != 1)
                p = putNumber(p, v);
            else
                *p++ = ',';
        }
        for (const qint16 minute : {r.startMinute, r.endMinute}) {
            if (minute >= 0 && minute <= kLastMinute)
                p = putNumber(p, minute);
            else
                *p++ = ',';
        }
        if (r.rate.IsSet())
            p = putRateCode(p, r.rate);
        *p++ = ',';
        for (const qint32 c : {r.spins, r.jackpots}) {
            if (c != kNoCount)
                p = putNumber(p, c);
            else
                *p++ = ',';
        }
        for (qsizetype k = 0; k < r.tags.size(); ++k) {
            if (k > 0)
                *p++ = ' ';
            p = putNumber(p, *tag++) - 1; // without its comma
        }
        putLineEnd(p);
    }
    out.truncate(p - out.constData());
    return out;
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

PlayTimesLines ReadPlayTimesLines(const QString &fileName)
{
    PlayTimesLines out;
    QByteArray bytes;
    const QFileInfo before(fileName); // a change after it shows as another stamp
    if (const FileRead read = ReadRegularFile(fileName, bytes); read != FileRead::Ok) {
        if (read == FileRead::NotRegular)
            out.unreadable = notAFileText(fileName);
        else if (read != FileRead::Missing)
            out.unreadable = ReadErrorText(errno);
        return out;
    }
    out.exists = true;
    out.size = before.size();
    out.modified = before.lastModified();
    DetailTexts texts(out.tagLists);
    QString buffer;
    TimesLine l;
    VisitContent content;
    out.lines.reserve(bytes.size() / 40);
    TextLines<QByteArrayView> lines(WithoutByteOrderMark(bytes));
    bool first = true, visits = false;
    int version = 0;
    qint32 previous = 0; // the record number of the last line read
    for (QByteArrayView line; lines.Next(line);) {
        if (line.isEmpty())
            continue; // a blank line
        // The first line names the version. Without it a line is read as
        // that of whichever version it is (a line of the first never reads
        // as one of the second: its comment would need commas unquoted).
        // Another version's lines are unmatched.
        if (std::exchange(first, false) && (version = versionOf(line)) != 0)
            continue;
        // The third version's tags come before any visit.
        if (!visits && (version == 3 || version == 0) && DetailTexts::IsTagNames(line)) {
            texts.SetTagNames(line);
            version = 3;
            continue;
        }
        visits = true;
        if (version == 3 || version == 0)
            l.read = readNumberedLine(line, texts, previous, l);
        if (version == 2 || (version == 0 && !l.read))
            l.read = readLine(line, 2, texts, buffer, l, content);
        if (version == 1 || (version == 0 && !l.read))
            l.read = readLine(line, 1, texts, buffer, l, content);
        if (l.read && l.number == 0) { // named by content, which is kept
            l.content = qint32(out.contents.size());
            out.contents.append({content, out.comments.size(), content.DComment.size()});
            out.contents.back().content.DComment = QStringView();
            out.comments.append(content.DComment);
        }
        if (version < 0)
            l.read = false;
        previous = l.read ? l.number : previous;
        out.lines.append(l);
    }
    return out;
}

bool StillTheFile(const PlayTimesLines &lines, const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!lines.unreadable.isEmpty())
        return false; // told again, as it is now
    if (!lines.exists)
        return !info.exists();
    return info.isFile() && info.size() == lines.size && info.lastModified() == lines.modified;
}

TimesReading AttachPlayTimes(const PlayTimesLines &lines, Data &data)
{
    TimesReading reading;
    reading.unreadable = lines.unreadable;
    if (lines.lines.isEmpty())
        return reading;
    const qint32 records = data.ListCount();
    ContentGroups groups(data);
    QList<bool> taken(records + 1, false);
    // Each record's fingerprint, in order: made only when a line's record is
    // not where the line says.
    QList<std::pair<quint64, qint32>> byFingerprint;
    const auto elsewhere = [&](const TimesLine &l) -> qint32 {
        if (byFingerprint.isEmpty()) {
            byFingerprint.reserve(records);
            for (qint32 n = 1; n <= records; ++n)
                byFingerprint.append({ContentFingerprint(VisitContent::Of(data.Record(n))), n});
            std::sort(byFingerprint.begin(), byFingerprint.end());
        }
        const auto [from, to] = std::equal_range(
            byFingerprint.cbegin(), byFingerprint.cend(), std::pair(l.fingerprint, 0),
            [](const auto &a, const auto &b) { return a.first < b.first; });
        return to - from == l.count && l.position >= 1 && l.position <= l.count
                   ? from[l.position - 1].second
                   : 0;
    };
    PlayRecord details;
    for (const TimesLine &l : lines.lines) {
        qint32 n = 0;
        if (!l.read) {
        } else if (l.number == 0) {
            const TimesContent &named = lines.contents[l.content];
            VisitContent content = named.content;
            content.DComment =
                QStringView(lines.comments).sliced(named.commentFrom, named.commentSize);
            n = groups.Identical(content, l.position, l.count);
        } else if (l.number <= records &&
                   ContentFingerprint(VisitContent::Of(data.Record(l.number))) == l.fingerprint) {
            n = groups.IdenticalTo(l.number, l.position, l.count);
        } else {
            n = elsewhere(l);
        }
        if (n == 0 || taken[n]) {
            ++reading.unmatched;
            continue;
        }
        taken[n] = true;
        details.startMinute = l.startMinute;
        details.endMinute = l.endMinute;
        details.rate = l.rate;
        details.spins = l.spins;
        details.jackpots = l.jackpots;
        if (l.tags >= 0)
            details.tags = lines.tagLists[l.tags];
        else
            details.tags.clear(); // empty already: moved to the last record
        data.SetDetails(n, std::move(details));
        ++reading.attached;
    }
    return reading;
}

TimesReading ReadPlayTimes(const QString &fileName, Data &data)
{
    return AttachPlayTimes(ReadPlayTimesLines(fileName), data);
}

QByteArray PlayTimesBytes(const Data &data)
{
    // The first version while no visit has details beyond its times, so that
    // a copy of the program that reads only that one still finds the times.
    bool times = false, details = false;
    for (qint32 n = 1; n <= data.ListCount() && !details; ++n) {
        const PlayRecord &r = data.Record(n);
        times = times || hasTimes(r);
        details = hasOtherDetails(r);
    }
    if (!times && !details)
        return QByteArray();
    return details ? numberedBytes(data) : firstVersionBytes(data);
}
