#include "core/file/item_reader.h"

#include "core/file/cp932.h"
#include "core/file/file_stamp.h"
#include "core/file/text_lines.h"
#include "core/util/numbers.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
// The number value of an item. The writers' own form, a plain whole number,
// is read directly; anything else the general way.
double itemValue(QStringView item)
{
    const qsizetype sign = !item.isEmpty() && item.front() == u'-' ? 1 : 0;
    if (item.size() <= sign || item.size() - sign > 15)
        return Val(item);
    qint64 v = 0;
    for (qsizetype i = sign; i < item.size(); ++i) {
        const char16_t c = item[i].unicode();
        if (c < u'0' || c > u'9')
            return Val(item);
        v = v * 10 + (c - u'0');
    }
    return double(sign ? -v : v);
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
    constexpr qint64 kChunk = 1 << 20;
    QByteArray buffer(static_cast<qsizetype>(std::min<qint64>(file.size(), kChunk)) + 1, '\0');
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
        text += decoder.decode(piece);
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

bool ItemReader::atLineEnd() const
{
    return pos_ < text_.size() && IsLineEnd(QStringView(text_), pos_);
}

void ItemReader::skipLineEnd()
{
    pos_ = PastLineEnd(QStringView(text_), pos_);
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
    if (quoted && (view.contains(u'\r') || view.contains(u'\n')))
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

bool ItemReader::nextView(QStringView &item, bool &quoted)
{
    quoted = false;
    const qsizetype size = text_.size();
    while (pos_ < size && (text_.at(pos_) == u' ' || text_.at(pos_) == u'\t'))
        ++pos_;
    if (pos_ >= size)
        return false;

    if (atLineEnd()) { // a blank line (or nothing after a comma) is one empty item
        item = QStringView();
        skipLineEnd();
        return true;
    }

    if (text_.at(pos_) == u'"') {
        quoted = true;
        const qsizetype start = pos_ + 1;
        qsizetype close = text_.indexOf(u'"', start);
        if (close < 0)
            close = size;
        item = QStringView(text_).mid(start, close - start);
        pos_ = close < size ? close + 1 : size;
        // Skip to just past the next comma or line end.
        while (pos_ < size && text_.at(pos_) != u',' && !atLineEnd())
            ++pos_;
        if (pos_ < size && text_.at(pos_) == u',')
            ++pos_;
        else
            skipLineEnd();
        return true;
    }

    const qsizetype start = pos_;
    while (pos_ < size && text_.at(pos_) != u',' && !atLineEnd())
        ++pos_;
    item = QStringView(text_).mid(start, pos_ - start).trimmed();
    if (pos_ < size && text_.at(pos_) == u',')
        ++pos_;
    else
        skipLineEnd();
    return true;
}

bool ItemReader::NextInt16(qint16 &value)
{
    QStringView item;
    bool quoted = false;
    qint16 v = 0;
    if (!nextView(item, quoted) || !ToInt16(itemValue(item), v))
        return false;
    value = v;
    return true;
}

bool ItemReader::NextInt32(qint32 &value)
{
    QStringView item;
    bool quoted = false;
    qint32 v = 0;
    if (!nextView(item, quoted) || !ToInt32(itemValue(item), v))
        return false;
    value = v;
    return true;
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
