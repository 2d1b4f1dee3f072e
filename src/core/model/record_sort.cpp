#include "core/model/record_sort.h"

#include <algorithm>

RecordSortKey SortKeyOf(const PlayRecord &record)
{
    return RecordSortKey{record.DYear == 0 ? 9999.0 : double(record.DYear),
                         record.DMonth == 0 ? 99.0 : double(record.DMonth),
                         record.DDay == 0 ? 99.0 : double(record.DDay)};
}

void SortRecords(QList<PlayRecord> &records)
{
    std::stable_sort(records.begin(), records.end(), [](const PlayRecord &a, const PlayRecord &b) {
        return SortKeyOf(a) < SortKeyOf(b);
    });
}
