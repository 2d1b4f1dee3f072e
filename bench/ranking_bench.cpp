// What 表示 computes for a full table of 32,767 visits: the selection, the
// running balance and the four rankings; and the ordering of single visits
// alone, fast and as the plain quadratic loops.

#include "data/record_table.h"
#include "platform/platform.h"
#include "ui/statistics/graph_series.h"
#include "ui/statistics/literal_ranking.h"
#include "ui/statistics/ranking.h"
#include "ui/statistics/selection.h"

#include <QDate>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {
// A platform that answers every question at once; nothing is shown.
class QuietPlatform : public Platform {
public:
    MsgResult MsgBox(const QString &, MsgButtons, MsgIcon, const QString &) override
    {
        return MsgResult::Ok;
    }
    QString InputBox(const QString &, const QString &, const QString &) override { return {}; }
    void PlaySound(const QString &) override {}
    void Beep() override {}
    QString GetSetting(const QString &, const QString &, const QString &,
                       const QString &defaultValue) override
    {
        return defaultValue;
    }
    void SaveSetting(const QString &, const QString &, const QString &, const QString &) override {}
    QString BrowserPath() override { return {}; }
    bool StartProgram(const QString &, const QStringList &, QString &) override { return false; }
    QDate Today() override { return QDate(2026, 12, 6); }
    void TimeWait(double) override {}
    int ShowModal(QDialog &) override { return 0; }
};

// Visits from 1990 on, one a day, 40 stores, 120 machines, balances in
// steps of 500 yen so that many are equal.
void fill(Data &data, int n)
{
    QRandomGenerator rng(32767);
    QDate day(1990, 1, 1);
    data.DataClear();
    for (int i = 0; i < n; ++i, day = day.addDays(1)) {
        const qint32 toushi = 500 * int(rng.bounded(1, 80));
        const qint32 kaishuu = 500 * int(rng.bounded(0, 120));
        data.DataWrite(qint16(day.year()), qint16(day.month()), qint16(day.day()), toushi, kaishuu,
                       qint16(rng.bounded(1, 41)), qint16(rng.bounded(1, 121)), {});
    }
}

void BM_Hyouji(benchmark::State &state)
{
    QuietPlatform platform;
    Data data(platform);
    fill(data, int(state.range(0)));
    GraphSeries graph;
    Rankings ranks;
    for (auto _ : state) {
        data.JoukenSet(0, 0, 0, 0);
        Selection sel;
        DataRead(platform, data, 1000, sel);
        CalcRank(platform, sel.TData, 1000, graph, ranks);
        benchmark::DoNotOptimize(ranks.RShouhai[0][2]);
    }
}
BENCHMARK(BM_Hyouji)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

QList<RankRow> singleVisits(int n)
{
    QRandomGenerator rng(4);
    QList<RankRow> rows;
    for (int i = 1; i <= n; ++i) {
        RankRow r;
        r[1] = i;
        r[2] = 500 * (int(rng.bounded(0, 120)) - int(rng.bounded(1, 80)));
        rows.append(r);
    }
    return rows;
}

void BM_SortGroups(benchmark::State &state)
{
    const QList<RankRow> rows = singleVisits(int(state.range(0)));
    for (auto _ : state) {
        QList<RankRow> copy = rows;
        SortGroups(copy);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_SortGroups)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_LiteralSortGroups(benchmark::State &state)
{
    const QList<RankRow> rows = singleVisits(int(state.range(0)));
    for (auto _ : state) {
        QList<RankRow> copy = rows;
        LiteralSortGroups(copy);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_LiteralSortGroups)->Arg(32767)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
