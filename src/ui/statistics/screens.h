#pragma once
// The screens of the statistics window, drawn on its drawing area with pauses
// and sounds between the steps. A pause keeps the window responsive: another
// screen may be drawn inside it, after which the first one finishes over it.

#include "core/statistics/ranking.h"

#include <QColor>
#include <QPixmap>
#include <QString>
#include <functional>

class DrawingArea;
class Platform;
class SMData;
class States;
struct GraphSeries;

// Shortens name with "…" so that it is at most maxTwips wide at the given size.
QString FitName(const QString &name, qint16 points, double maxTwips);

// Where the amount lines of a ranking stand (amount, then "円..." from yenX):
// "円" at the preferred yenX when everything fits, left of it when the lines
// would run off the page, right of it when an amount would reach leftLimit;
// a smaller size only when nothing else helps.
struct AmountColumn {
    qint16 points = 9;
    double yenX = 0;
};
AmountColumn LayOutAmounts(const QStringList &amounts, const QStringList &rests, double yenX,
                           double leftLimit);

// The graph's frame: the y of the lowest total (Ht), the x of the last visit
// (Wd) and of visit 0 (left, 600 unless a value label needs more room).
struct GraphFrame {
    qint32 Ht = 0, Wd = 0, left = 600;
    bool maxLabel = false, minLabel = false; // GMax and GMin have their labels
};
GraphFrame GraphFrameFor(qint32 gMax, qint32 gMin, double width, double height);
// Where the graph's value labels and its "0" stand: they end before the lines
// at x, each centred on its line in height (y, Qt::AlignVCenter), except that
// two labels whose lines come close go to the lines' far sides (Qt::AlignBottom:
// above y, Qt::AlignTop: below), so that none overlaps another or a line.
struct GraphLabels {
    double x = 0;
    qint32 maxY = 700, minY = 0, zeroY = 0;
    Qt::Alignment maxAlign = Qt::AlignVCenter, minAlign = Qt::AlignVCenter,
                  zeroAlign = Qt::AlignVCenter;
};
GraphLabels GraphLabelsFor(const GraphFrame &frame, double y0);

class StatScreens {
public:
    // stillOpen is asked after every pause; once it answers false the routine
    // stops without touching the drawing area or this object again (so it must
    // not depend on them, e.g. capture a QPointer to the window).
    StatScreens(Platform &platform, const States &states, DrawingArea &HGamen, const SMData &Stores,
                const SMData &Machines, const GraphSeries &graph, const Rankings &ranks,
                std::function<bool()> stillOpen);

    // Advisor picture for the advice screen (70 × 147 pixels).
    void SetAdvisorPicture(const QPixmap &picture) { advisor_ = picture; }

    void GamenWriteText(qint32 HX, qint32 HY, qint16 HSize, const QColor &HColNo,
                        const QString &HText);

    // HSeiseki and HKachikin: the captions of the totals labels.
    void GamenWrite_Default(const QString &HSeiseki, const QString &HKachikin);
    void GamenWrite_Graph();
    void GamenWrite_RStore();
    void GamenWrite_RStoreW();
    void GamenWrite_RMachine();
    void GamenWrite_RMachineW();
    void GamenWrite_RYoubi();
    void GamenWrite_RShouhai();
    void GamenWrite_RShouhaiW();
    void GamenWrite_Advice();

    // Which advice message was shown last; 表示 sets it to 0.
    qint16 AdviceNo = 0;

private:
    enum class RankKind { Store, Machine };
    void rankingScreen(qint32 titleX, qint32 titleY, const QString &title, const RankTable table,
                       qint16 places,
                       const std::function<void(qint16, const RankRow &)> &drawPlace);
    void rankScreen(RankKind kind, bool best);
    void shouhaiScreen(bool best);
    // Clears the drawing and the picture.
    void clearAll();
    // TimeWait, then whether drawing may go on.
    [[nodiscard]] bool pause(double seconds);
    void sound();

    Platform &platform_;
    const States &states_;
    DrawingArea &HGamen_;
    const SMData &Stores_;
    const SMData &Machines_;
    const GraphSeries &graph_;
    const Rankings &ranks_;
    std::function<bool()> stillOpen_;
    QPixmap advisor_;
};
