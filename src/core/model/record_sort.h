#pragma once
// The date order in which the record table is kept: year, month and day as
// numbers, with undated parts sinking to the bottom, equal dates keeping their
// order. The entry window stores its rows in this order; a CSV import sorts
// the table the same way.

#include "core/model/play_record.h"

#include <QList>

// Year 0 counts as 9999, a month or day of 0 as 99.
struct RecordSortKey {
    double year = 0;
    double month = 0;
    double day = 0;
    friend auto operator<=>(const RecordSortKey &, const RecordSortKey &) = default;
};

RecordSortKey SortKeyOf(const PlayRecord &record);
// The same from number values as a text gives them (the entry grid's cells,
// whose year and month may carry fractions).
RecordSortKey SortKeyOf(double year, double month, double day);

// Stable sort by SortKeyOf.
void SortRecords(QList<PlayRecord> &records);
