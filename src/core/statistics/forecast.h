#pragma once
// The advice texts and the least-squares forecast of the next visit.

#include <QList>
#include <QString>
#include <QStringList>

class SMData;
struct GraphSeries;
struct Rankings;

// Fits y = a0 + a1·x + a2·x² + a3·x³ to the points (X[i], Y[i]), i < m, through
// the normal equations (Gauss–Jordan without row exchanges; a zero pivot turns
// its row into zeros) and gives the value at x, halves to even. A value outside
// 32 bits is clamped.
void Saishou2jouhou(const QList<double> &X, const QList<double> &Y, qint16 m, qint16 x,
                    qint32 &result);

// The expected balance of the next visit from the last twenty running totals:
// a quarter of the fitted step, rounded down to hundreds.
qint64 ForecastNext(const GraphSeries &graph);

// AdviceNo after one more press: 1, 2, 3, 4, 1, …
qint16 NextAdviceNo(qint16 AdviceNo);

// The four lines of advice message 1 (forecast), 2 (closing), 3 (best
// combination) or 4 (worst combination).
QStringList AdviceLines(qint16 AdviceNo, const GraphSeries &graph, const Rankings &ranks,
                        const SMData &Stores, const SMData &Machines);
