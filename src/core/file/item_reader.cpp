#include "core/file/item_reader.h"

#include "core/file/cp932.h"
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

bool ItemReader::Open(const QString &fileName)
{
    // Only plain files: a pipe would block the open, a device never end.
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly)) {
        SetText(QString());
        return false;
    }
    // Decoded piece by piece, so that the bytes of a huge file and their text
    // are never held in memory at the same time.
    Cp932Decoder decoder;
    QString text;
    text.reserve(static_cast<qsizetype>(std::min<qint64>(file.size(), kMaxReserve)));
    constexpr qint64 kChunk = 1 << 20;
    QByteArray buffer(static_cast<qsizetype>(std::min<qint64>(file.size(), kChunk)) + 1, '\0');
    for (;;) {
        const qint64 n = file.read(buffer.data(), buffer.size());
        if (n <= 0)
            break; // the end, or a read error: keep what was read
        text += decoder.decode(QByteArrayView(buffer.constData(), n));
    }
    text += decoder.finish();
    SetText(text);
    return true;
}

void ItemReader::SetText(const QString &text)
{
    text_ = text;
    pos_ = 0;
}

bool ItemReader::atLineEnd() const
{
    return pos_ < text_.size() && (text_[pos_] == u'\r' || text_[pos_] == u'\n');
}

void ItemReader::skipLineEnd()
{
    if (pos_ < text_.size() && text_[pos_] == u'\r')
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == u'\n')
        ++pos_;
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

bool ItemReader::nextView(QStringView &item, bool &quoted)
{
    quoted = false;
    const qsizetype size = text_.size();
    while (pos_ < size && (text_[pos_] == u' ' || text_[pos_] == u'\t'))
        ++pos_;
    if (pos_ >= size)
        return false;

    if (atLineEnd()) { // a blank line (or nothing after a comma) is one empty item
        item = QStringView();
        skipLineEnd();
        return true;
    }

    if (text_[pos_] == u'"') {
        quoted = true;
        const qsizetype start = pos_ + 1;
        qsizetype close = text_.indexOf(u'"', start);
        if (close < 0)
            close = size;
        item = QStringView(text_).mid(start, close - start);
        pos_ = close < size ? close + 1 : size;
        // Skip to just past the next comma or line end.
        while (pos_ < size && text_[pos_] != u',' && !atLineEnd())
            ++pos_;
        if (pos_ < size && text_[pos_] == u',')
            ++pos_;
        else
            skipLineEnd();
        return true;
    }

    const qsizetype start = pos_;
    while (pos_ < size && text_[pos_] != u',' && !atLineEnd())
        ++pos_;
    item = QStringView(text_).mid(start, pos_ - start).trimmed();
    if (pos_ < size && text_[pos_] == u',')
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
