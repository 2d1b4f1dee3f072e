#include "core/model/record_sort.h"

#include <algorithm>

RecordSortKey SortKeyOf(double year, double month, double day)
{
    return RecordSortKey{year == 0 ? 9999.0 : year, month == 0 ? 99.0 : month,
                         day == 0 ? 99.0 : day};
}

RecordSortKey SortKeyOf(const PlayRecord &record)
{
    return SortKeyOf(record.DYear, record.DMonth, record.DDay);
}

void SortRecords(QList<PlayRecord> &records)
{
    std::stable_sort(records.begin(), records.end(), [](const PlayRecord &a, const PlayRecord &b) {
        return SortKeyOf(a) < SortKeyOf(b);
    });
}
