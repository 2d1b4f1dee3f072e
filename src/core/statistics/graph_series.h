#pragma once
// The running balance of the selection, as the graph and the forecast use it.

#include "core/model/play_record.h"

#include <QList>

struct GraphSeries {
    // GData[0] = 0, GData[i] = balance total of records 1..i, and one spare 0
    // at the end: GData.size() = n + 2 for n selected records.
    QList<qint32> GData{0, 0};
    qint32 GMax = 0; // largest of GData[0..n], never below 0
    qint32 GMin = 0; // smallest of GData[0..n], never above 0

    qint32 Count() const { return static_cast<qint32>(GData.size()) - 2; }
};

// Fills graph from TData. Running totals that leave 32 bits are clamped; the
// selection refuses such data before it gets here.
void Calc_Graph(const QList<PlayRecord> &TData, GraphSeries &graph);
