#include "core/file/item_reader.h"

#include "core/file/cp932.h"
#include "core/file/file_stamp.h"
#include "core/file/text_lines.h"
#include "core/util/fresh_memory.h"
#include "core/util/numbers.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace {
// An item in the writers' own form, a plain whole number ("-" and up to 15
// digits), read directly; anything else is read the general way (Val) and
// rounded as every conversion of a real is.
template <typename T> bool itemNumber(QStringView item, T &out)
{
    const qsizetype sign = !item.isEmpty() && item.front() == u'-' ? 1 : 0;
    bool plain = item.size() > sign && item.size() - sign <= 15;
    qint64 v = 0;
    for (qsizetype i = sign; plain && i < item.size(); ++i) {
        const char16_t c = item[i].unicode();
        plain = c >= u'0' && c <= u'9';
        v = v * 10 + (c - u'0');
    }
    if (!plain) {
        if constexpr (sizeof(T) == 2)
            return ToInt16(Val(item), out);
        else
            return ToInt32(Val(item), out);
    }
    v = sign ? -v : v;
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
        return false;
    out = T(v);
    return true;
}

// Text for up to 512 MB of file is reserved at once; beyond that it grows.
constexpr qint64 kMaxReserve = qint64(1) << 29;
} // namespace

bool ItemReader::Open(const QString &fileName, FileStamp *stamp)
{
    // Only plain files: a pipe would block the open, a device never end.
    const QFileInfo info(fileName);
    QFile file(fileName);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        SetText(QString());
        if (stamp)
            *stamp = FileStamp();
        return false;
    }
    // Decoded piece by piece, so that the bytes of a huge file and their text
    // are never held in memory at the same time.
    Cp932Decoder decoder;
    ContentHash hash;
    qint64 size = 0;
    QString text;
    text.reserve(static_cast<qsizetype>(std::min<qint64>(file.size(), kMaxReserve)));
    PrepareToFill(text.data(), size_t(text.capacity()) * sizeof(QChar));
    // A small buffer used again for every piece: fresh memory costs a page
    // fault per page on first touch, more than the reads it would save.
    constexpr qint64 kChunk = 1 << 16;
    QByteArray buffer(static_cast<qsizetype>(std::min<qint64>(file.size(), kChunk)) + 1,
                      Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(buffer.data(), buffer.size());
        if (n <= 0)
            break; // the end, or a read error: keep what was read
        QByteArrayView piece(buffer.constData(), n);
        hash.Add(piece);
        // A file saved as UTF-8 by an editor may begin with a byte order mark;
        // decoded as code page 932 it would hide the first marker.
        if (size == 0)
            piece = WithoutByteOrderMark(piece);
        size += n;
        decoder.decodeInto(piece, text);
    }
    text += decoder.finish();
    SetText(text);
    // The time is taken before the reading, so that a change while reading
    // shows as a change.
    if (stamp)
        *stamp = FileStamp{true, size, info.lastModified(), hash.Result()};
    return true;
}

void ItemReader::SetText(const QString &text)
{
    text_ = text;
    pos_ = 0;
}

bool ItemReader::Next(QString &item)
{
    QStringView view;
    bool quoted = false;
    if (!nextView(view, quoted))
        return false;
    item = view.toString();
    return true;
}

bool ItemReader::NextText(QString &item, bool &quoted)
{
    QStringView view;
    if (!nextView(view, quoted))
        return false;
    if (quoted &&
        std::any_of(view.begin(), view.end(), [](QChar c) { return c == u'\r' || c == u'\n'; }))
        return false;
    item = view.toString();
    return true;
}

bool ItemReader::EndedLine() const
{
    return pos_ > 0 && (text_.at(pos_ - 1) == u'\n' || text_.at(pos_ - 1) == u'\r');
}

qint32 ItemReader::LinesUntilSectionEnd(qsizetype from) const
{
    qint32 lines = 0;
    TextLines<QStringView> reader(text_, from);
    for (QStringView line; reader.Next(line); ++lines) {
        line = line.trimmed();
        if (line.isEmpty() || (line.startsWith(u'<') && line.endsWith(u'>')))
            break; // a blank line or the next section's marker
    }
    return lines;
}

namespace {
// Past the comma or the line end at p, if any.
const QChar *pastSeparator(const QChar *p, const QChar *begin, const QChar *end)
{
    if (p < end && *p == u',')
        return p + 1;
    return begin + PastLineEnd(QStringView(begin, end), p - begin);
}
} // namespace

bool ItemReader::nextView(QStringView &item, bool &quoted)
{
    // Walked with pointers: this loop reads every character of the file.
    quoted = false;
    const QChar *const begin = text_.constData();
    const QChar *const end = begin + text_.size();
    const QChar *p = begin + pos_;
    while (p < end && (*p == u' ' || *p == u'\t'))
        ++p;
    if (p >= end) {
        pos_ = text_.size();
        return false;
    }

    if (IsLineEndChar(p->unicode())) { // a blank line (or nothing after a comma) is one empty item
        item = QStringView();
        pos_ = pastSeparator(p, begin, end) - begin;
        return true;
    }

    if (*p == u'"') {
        quoted = true;
        const QChar *const start = p + 1;
        const QChar *close = std::find(start, end, QChar(u'"'));
        item = QStringView(start, close);
        // Skip to the next comma or line end.
        p = close < end ? close + 1 : end;
        while (p < end && *p != u',' && !IsLineEndChar(p->unicode()))
            ++p;
        pos_ = pastSeparator(p, begin, end) - begin;
        return true;
    }

    const QChar *const start = p;
    while (p < end && *p != u',' && !IsLineEndChar(p->unicode()))
        ++p;
    item = QStringView(start, p);
    if (!item.isEmpty() && (item.front().isSpace() || item.back().isSpace()))
        item = item.trimmed();
    pos_ = pastSeparator(p, begin, end) - begin;
    return true;
}

template <typename T> bool ItemReader::nextNumber(T &value)
{
    // The writers' own form, digits up to the separator, is read in the one
    // pass that finds the separator; any other form the general way.
    const QChar *const begin = text_.constData();
    const QChar *const end = begin + text_.size();
    const QChar *p = begin + pos_;
    const bool negative = p < end && *p == u'-';
    if (negative)
        ++p;
    const QChar *const digits = p;
    qint64 v = 0;
    while (p < end && p - digits < 15 && unsigned(p->unicode() - u'0') < 10)
        v = v * 10 + (p++->unicode() - u'0');
    if (p == digits || (p < end && *p != u',' && !IsLineEndChar(p->unicode()))) {
        QStringView item;
        bool quoted = false;
        return nextView(item, quoted) && itemNumber(item, value);
    }
    pos_ = pastSeparator(p, begin, end) - begin;
    v = negative ? -v : v;
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
        return false;
    value = T(v);
    return true;
}

bool ItemReader::NextInt16(qint16 &value)
{
    return nextNumber(value);
}

bool ItemReader::NextInt32(qint32 &value)
{
    return nextNumber(value);
}

bool ItemReader::SeekMarker(const QString &marker)
{
    pos_ = 0;
    QStringView item;
    bool quoted = false;
    while (nextView(item, quoted)) {
        if (!quoted && item == marker)
            return true;
    }
    return false;
}
