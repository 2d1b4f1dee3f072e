#pragma once
// A small player for the summary and CSV tests: two stores, two machines and
// five visits, two of them at stores the list does not have.
//
//   date        weekday  投資    回収    収支    store    machine
//   2025/12/30  火      10000   25000  +15000   1 駅前   1 ドラゴン
//   2026/01/04  日      20000   19500    -500   1 駅前   2 海
//   2026/01/10  土          0    3000   +3000   2 銀河   1 ドラゴン
//   2026/01/10  土       8000       0   -8000   7 (不明) 1 ドラゴン
//   2026/02/01  日       5000    5000       0   9 (不明) 5 (不明)

#include "core/model/shared_data.h"
#include "support/player_data.h"

#include <gtest/gtest.h>

inline void FillSummarySample(SharedData &shared)
{
    using namespace Qt::StringLiterals;
    SetStores(shared, {{1, u"駅前"_s}, {2, u"銀河"_s}});
    SetMachines(shared, {{1, u"ドラゴン"_s}, {2, u"海"_s}});
    ASSERT_TRUE(SetRecords(shared, {{2025, 12, 30, 10000, 25000, 1, 1, u"朝一"_s},
                                    {2026, 1, 4, 20000, 19500, 1, 2, u""_s},
                                    {2026, 1, 10, 0, 3000, 2, 1, u"貯玉, 再プレイ"_s},
                                    {2026, 1, 10, 8000, 0, 7, 1, u""_s},
                                    {2026, 2, 1, 5000, 5000, 9, 5, u""_s}}));
    shared.states.WakeKin = 1000;
}
