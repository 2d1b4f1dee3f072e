#include "core/file/content_groups.h"

#include "core/model/record_table.h"

#include <QHashFunctions>

namespace {
constexpr qint32 kLongestRun = 64; // visits of one day walked through
constexpr qint32 kLongestWalk = 64;

bool sameContent(const PlayRecord &a, const VisitContent &b)
{
    return a.DYear == b.DYear && a.DMonth == b.DMonth && a.DDay == b.DDay &&
           a.DToushi == b.DToushi && a.DKaishuu == b.DKaishuu && a.DSId == b.DSId &&
           a.DMId == b.DMId && a.DComment == b.DComment;
}

quint32 shortHash(const VisitContent &c)
{
    const size_t h =
        qHashMulti(1, c.DYear, c.DMonth, c.DDay, c.DToushi, c.DKaishuu, c.DSId, c.DMId, c.DComment);
    return quint32((quint64(h) * 0x9E3779B97F4A7C15ULL) >> 32);
}

template <typename R> int dateKey(const R &r)
{
    return r.DYear * 10000 + r.DMonth * 100 + r.DDay;
}
} // namespace

quint64 ContentFingerprint(const VisitContent &c)
{
    // Words built from the values, not from memory, so that the digest does
    // not depend on the machine's byte order.
    quint64 h = 0x243F6A8885A308D3ULL;
    const auto mix = [&h](quint64 word) {
        h = (h ^ word) * 0x9E3779B97F4A7C15ULL;
        h ^= h >> 32;
    };
    mix(quint64(quint16(c.DYear)) << 32 | quint64(quint16(c.DMonth)) << 16 | quint16(c.DDay));
    mix(quint64(quint32(c.DToushi)) << 32 | quint32(c.DKaishuu));
    mix(quint64(c.DComment.size()) << 32 | quint64(quint16(c.DSId)) << 16 | quint16(c.DMId));
    const QChar *t = c.DComment.data();
    qsizetype left = c.DComment.size();
    for (; left >= 4; left -= 4, t += 4)
        mix(quint64(t[0].unicode()) | quint64(t[1].unicode()) << 16 |
            quint64(t[2].unicode()) << 32 | quint64(t[3].unicode()) << 48);
    quint64 tail = 0;
    for (int shift = 0; left > 0; --left, shift += 16)
        tail |= quint64((t++)->unicode()) << shift;
    mix(tail);
    // The last step of MurmurHash3: every bit of the content reaches every
    // bit of the digest.
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ULL;
    return h ^ (h >> 33);
}

ContentGroups::ContentGroups(const Data &data) : data_(data), n_(data.ListCount())
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

qint32 ContentGroups::Identical(const VisitContent &content, qint32 position, qint32 count)
{
    qint32 found = 0, seen = 0;
    forEachIdentical(content, [&](qint32 n) {
        if (++seen == position)
            found = n;
    });
    return seen == count ? found : 0;
}

qint32 ContentGroups::IdenticalTo(qint32 n, qint32 position, qint32 count)
{
    if (!byDate_)
        return Identical(VisitContent::Of(data_.Record(n)), position, count);
    // In date order the records identical to n are among those of its day,
    // most days one or a few visits.
    const int key = dateKey(data_.Record(n));
    qint32 first = n, last = n;
    while (first > 1 && dateKey(data_.Record(first - 1)) == key)
        --first;
    while (last < n_ && dateKey(data_.Record(last + 1)) == key)
        ++last;
    const VisitContent content = VisitContent::Of(data_.Record(n));
    qint32 found = 0, seen = 0;
    for (qint32 k = first; k <= last; ++k)
        if ((k == n || sameContent(data_.Record(k), content)) && ++seen == position)
            found = k;
    return seen == count ? found : 0;
}

void ContentGroups::Positions(QList<qint32> &position, QList<qint32> &count)
{
    position.fill(0, n_ + 1);
    count.fill(0, n_ + 1);
    qint32 *const pos = position.data(), *const many = count.data();
    // In date order each day is a run, most of them of one visit.
    for (qint32 n = 1; byDate_ && n <= n_;) {
        const int key = dateKey(data_.Record(n));
        qint32 end = n + 1;
        while (end <= n_ && dateKey(data_.Record(end)) == key)
            ++end;
        if (end == n + 1) {
            pos[n] = many[n] = 1;
            n = end;
            continue;
        }
        for (qint32 k = n; k < end; ++k) {
            if (many[k] != 0)
                continue; // counted with an identical one before it
            const VisitContent content = VisitContent::Of(data_.Record(k));
            qint32 seen = 0;
            for (qint32 j = k; j < end; ++j)
                if (many[j] == 0 && sameContent(data_.Record(j), content))
                    pos[j] = ++seen;
            for (qint32 j = k; j < end; ++j)
                if (many[j] == 0 && pos[j] != 0) // one of those just numbered
                    many[j] = seen;
        }
        n = end;
    }
    for (qint32 n = 1; !byDate_ && n <= n_; ++n) {
        if (count[n] != 0)
            continue; // counted with an identical one before it
        const VisitContent content = VisitContent::Of(data_.Record(n));
        qint32 seen = 0;
        forEachIdentical(content, [&](qint32 k) { position[k] = ++seen; });
        forEachIdentical(content, [&](qint32 k) { count[k] = seen; });
    }
}

template <typename Visit>
void ContentGroups::forEachIdentical(const VisitContent &content, Visit &&visit)
{
    if (!byDate_) {
        for (qint32 n = heads_[slot(shortHash(content))].head; n != 0; n = next_[n])
            if (sameContent(data_.Record(n), content))
                visit(n);
        return;
    }
    // The first record of the content's day: walking on from the last one
    // found when it is near (lines come in table order), else a binary search.
    const int key = dateKey(content);
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
                forEachIdentical(content, visit);
                return;
            }
            ++c;
        }
    }
    cursor_ = c;
    for (qint32 k = c; k <= n_ && keyAt(k) == key; ++k)
        if (sameContent(data_.Record(k), content))
            visit(k);
}

void ContentGroups::buildChains()
{
    next_.fill(0, n_ + 1);
    last_.fill(0, n_ + 1);
    while ((qsizetype(1) << bits_) < 2 * qsizetype(n_))
        ++bits_;
    heads_.fill(Slot(), qsizetype(1) << bits_);
    for (qint32 n = 1; n <= n_; ++n) {
        const quint32 h = shortHash(VisitContent::Of(data_.Record(n)));
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

qsizetype ContentGroups::slot(quint32 h) const
{
    const qsizetype mask = heads_.size() - 1;
    qsizetype i = qsizetype(h >> (32 - bits_));
    while (heads_[i].head != 0 && heads_[i].hash != h)
        i = (i + 1) & mask;
    return i;
}
