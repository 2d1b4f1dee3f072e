#pragma once
// The ranking order written as plain nested loops over a 1-based table, the way
// it was first described: the reference that the fast order must match.

#include "core/statistics/ranking.h"

#include <QList>
#include <utility>

inline void LiteralSortGroups(QList<RankRow> &rows)
{
    // table[0] is unused so that positions run 1..n as in the loops.
    QList<RankRow> table;
    table.append(RankRow{});
    table.append(rows);
    const qsizetype n = rows.size();
    qsizetype m = 0;
    for (qsizetype j = 1; j <= n - 1; ++j) {
        qint32 max = kEmptyRank;
        for (qsizetype k = j; k <= n; ++k) {
            if (table[k][2] > max && table[k][1] != 0) {
                max = table[k][2];
                m = k;
            }
        }
        for (int f = 1; f <= 5; ++f)
            std::swap(table[j][f], table[m][f]);
    }
    rows = table.mid(1);
}
