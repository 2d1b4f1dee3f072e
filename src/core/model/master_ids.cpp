#include "core/model/master_ids.h"

qint16 ChooseMasterId(const QSet<qint16> &taken, qint16 wanted)
{
    if (wanted >= kFirstMasterId && wanted <= kLastMasterId && !taken.contains(wanted))
        return wanted;
    qint16 highest = 0;
    for (qint16 id : taken)
        if (id <= kLastMasterId && id > highest)
            highest = id;
    if (highest < kLastMasterId)
        return qint16(highest + 1);
    for (qint16 id = kFirstMasterId; id <= kLastMasterId; ++id)
        if (!taken.contains(id))
            return id;
    return 0;
}

void InsertInIdOrder(QList<MasterEntry> &entries, const MasterEntry &entry)
{
    qsizetype at = 0;
    while (at < entries.size() && entries[at].ID <= entry.ID)
        ++at;
    entries.insert(at, entry);
}
