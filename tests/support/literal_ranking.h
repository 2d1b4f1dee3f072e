#pragma once
// The ranking order written as plain nested loops over a 1-based table, the way
// it was first described: the reference that the fast order must match.

#include "core/statistics/ranking.h"

#include <QList>
#include <cstdlib>

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

// Store ranking and single-visit ranking as plain loops: grouping through the
// 999-slot index, the quadratic order, best from the top, worst from the
// bottom, empty rows marked in field 2 only.
inline void LiteralRankByStore(const QList<PlayRecord> &TData, qint32 WakeKin, RankTable &best,
                               RankTable &worst, qint32 &count)
{
    QList<RankRow> groups;
    QList<qint16> index(1000, 0);
    for (const PlayRecord &r : TData) {
        if (r.DSId == 0)
            continue;
        if (index[r.DSId] == 0) {
            groups.append(RankRow{});
            index[r.DSId] = qint16(groups.size());
            groups.last()[1] = r.DSId;
        }
        RankRow &g = groups[index[r.DSId] - 1];
        const qint64 d = r.Balance();
        g[2] += qint32(d);
        if (d != 0 && std::abs(d) >= WakeKin)
            ++g[d > 0 ? 3 : 4];
        else
            ++g[5];
    }
    LiteralSortGroups(groups);
    const qsizetype n = groups.size();
    for (qsizetype r = 1; r <= 5; ++r) {
        if (r <= n) {
            best[r - 1] = groups[r - 1];
            worst[r - 1] = groups[n - r];
        } else {
            best[r - 1][2] = kEmptyRank;
            worst[r - 1][2] = kEmptyRank;
        }
    }
    count = qint32(n);
}

inline void LiteralRankShouhai(const QList<PlayRecord> &TData, RankTable &best, RankTable &worst)
{
    QList<RankRow> rows;
    for (qsizetype i = 0; i < TData.size(); ++i) {
        rows.append(RankRow{});
        rows.last()[1] = qint32(i + 1);
        rows.last()[2] = qint32(TData[i].Balance());
    }
    LiteralSortGroups(rows);
    const qsizetype n = rows.size();
    const auto fill = [&](RankRow &out, const RankRow &g) {
        const PlayRecord &p = TData[g[1] - 1];
        out.f = {g[1], g[2], p.DYear, p.DMonth, p.DDay};
    };
    for (qsizetype r = 1; r <= 5; ++r) {
        if (r <= n) {
            fill(best[r - 1], rows[r - 1]);
            fill(worst[r - 1], rows[n - r]);
        } else {
            best[r - 1][2] = kEmptyRank;
            worst[r - 1][2] = kEmptyRank;
        }
    }
}
