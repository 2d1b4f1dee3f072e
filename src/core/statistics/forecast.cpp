#include "core/statistics/forecast.h"

#include "core/model/master_list.h"
#include "core/statistics/graph_series.h"
#include "core/statistics/ranking.h"
#include "core/util/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

void Saishou2jouhou(const QList<double> &X, const QList<double> &Y, qint16 m, qint16 x,
                    qint32 &result)
{
    double S[7] = {};
    double T[4] = {};
    for (qsizetype i = 0; i < m; ++i) {
        for (int j = 0; j <= 6; ++j)
            S[j] += std::pow(X[i], j); // pow(0, 0) is 1
        for (int j = 0; j <= 3; ++j)
            T[j] += Y[i] * std::pow(X[i], j);
    }
    double A[4][5];
    for (int r = 0; r <= 3; ++r) {
        for (int c = 0; c <= 3; ++c)
            A[r][c] = S[r + c];
        A[r][4] = T[r];
    }
    // Gauss–Jordan without row exchanges; a zero pivot zeroes its row.
    for (int k = 0; k <= 3; ++k) {
        const double p = A[k][k];
        for (int c = k; c <= 4; ++c)
            A[k][c] = p != 0 ? A[k][c] / p : 0;
        for (int r = 0; r <= 3; ++r) {
            if (r == k)
                continue;
            const double f = A[r][k];
            for (int c = k; c <= 4; ++c)
                A[r][c] = A[r][c] - A[k][c] * f;
        }
    }
    double value = 0;
    for (int k = 0; k <= 3; ++k)
        value = value + A[k][4] * std::pow(double(x), k);
    if (!ToInt32(value, result))
        result = std::isnan(value) || value < 0 ? std::numeric_limits<qint32>::min()
                                                : std::numeric_limits<qint32>::max();
}

qint64 ForecastNext(const GraphSeries &graph)
{
    const qint32 n = std::max(graph.Count(), 0);
    QList<double> X, Y;
    const qint32 first = n <= 18 ? 0 : n - 19;
    for (qint32 i = first; i <= n; ++i) {
        X.append(i - first);
        Y.append(graph.GData[i]);
    }
    const auto m = static_cast<qint16>(X.size());
    qint32 p = 0;
    Saishou2jouhou(X, Y, m, m, p);
    const qint64 step = qint64(p) - graph.GData[n];
    const auto quarter = static_cast<qint64>(std::nearbyint(double(step) / 4.0));
    // Down to the multiple of 100 not above it: −1512 → −1600, −50 → −100.
    const qint64 floorDiv = quarter >= 0 ? quarter / 100 : -((-quarter + 99) / 100);
    return floorDiv * 100;
}

qint16 NextAdviceNo(qint16 AdviceNo)
{
    return AdviceNo >= 4 || AdviceNo < 0 ? 1 : static_cast<qint16>(AdviceNo + 1);
}

namespace {
QString dot(const QString &name)
{
    return u"　・"_s % name;
}

QString nameOf(const SMData &list, const RankRow &row)
{
    return row.Empty() ? UnknownName() : list.SeekName(static_cast<qint16>(row[1]));
}

QString dayOf(const RankRow &row)
{
    return row.Empty() ? UnknownName() : YoubiName(row[1]) % u"曜日"_s;
}
} // namespace

QStringList AdviceLines(qint16 AdviceNo, const GraphSeries &graph, const Rankings &ranks,
                        const SMData &Stores, const SMData &Machines)
{
    switch (AdviceNo) {
    case 1: {
        const qint64 d = ForecastNext(graph);
        return {u"グラフから推測すると次は、"_s, FormatYen(double(d)) % u"円"_s,
                (d < 0 ? u"負けると"_s : u"勝つと"_s) % u"思うわ。"_s, u"（最小２乗法で予測）"_s};
    }
    case 2: return {QString(), u"これからも「るでら」を"_s, u"応援してね。"_s, QString()};
    case 3:
        return {dot(dayOf(ranks.RYoubi[0])), dot(nameOf(Stores, ranks.RStore[0])),
                dot(nameOf(Machines, ranks.RMachine[0])), u"が最高の組み合わせよ。"_s};
    case 4:
        return {dot(dayOf(ranks.RYoubi[6])), dot(nameOf(Stores, ranks.RStoreW[0])),
                dot(nameOf(Machines, ranks.RMachineW[0])), u"が最低の組み合わせよ。"_s};
    default: return {QString(), QString(), QString(), QString()};
    }
}
