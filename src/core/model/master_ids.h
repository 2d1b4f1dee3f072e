#pragma once
// Choosing IDs for new stores and machines the way the editors number them:
// 1..999, shown with three digits; the lists are kept in ID order.

#include "core/model/master_list.h"

#include <QList>
#include <QSet>

inline constexpr qint16 kFirstMasterId = 1;
inline constexpr qint16 kLastMasterId = 999;

// The ID wanted when it is in 1..999 and not taken; otherwise the one after
// the highest taken ID, or the lowest free one when that would pass 999.
// 0 when every ID is taken.
qint16 ChooseMasterId(const QSet<qint16> &taken, qint16 wanted = 0);

// Inserts the entry after every entry with the same or a lower ID, as the
// editors place a new line.
void InsertInIdOrder(QList<MasterEntry> &entries, const MasterEntry &entry);
