#include "core/statistics/graph_series.h"

#include <algorithm>
#include <limits>

void Calc_Graph(const QList<PlayRecord> &TData, GraphSeries &graph)
{
    graph.GData = {0};
    graph.GData.reserve(TData.size() + 2);
    qint64 sum = 0;
    qint32 max = 0, min = 0;
    for (const PlayRecord &r : TData) {
        sum = std::clamp<qint64>(sum + r.Balance(), std::numeric_limits<qint32>::min(),
                                 std::numeric_limits<qint32>::max());
        const auto g = static_cast<qint32>(sum);
        graph.GData.append(g);
        max = std::max(max, g);
        min = std::min(min, g);
    }
    graph.GData.append(0); // the spare
    graph.GMax = max;
    graph.GMin = min;
}
