#pragma once
// Rank rows in one call and readable texts in failure messages: shared by the
// statistics and calendar tests.

#include "core/statistics/ranking.h"
#include "support/print_text.h"

inline RankRow row(qint32 f1, qint32 f2, qint32 f3, qint32 f4, qint32 f5)
{
    RankRow r;
    r.f = {f1, f2, f3, f4, f5};
    return r;
}
