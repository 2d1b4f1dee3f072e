#include "ui/statistics/screens.h"

#include "core/model/master_list.h"
#include "core/statistics/forecast.h"
#include "core/statistics/graph_series.h"
#include "core/statistics/ranking.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/result_colors.h"
#include "ui/widgets/drawing_area.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
const QColor kBlack(0, 0, 0);

// Rounds a drawing coordinate: halves to the even neighbour.
qint32 roundEven(double v)
{
    return static_cast<qint32>(std::nearbyint(v));
}

// Texts end this far before the page's right edge; the graph's value labels
// begin at least this far from its left edge.
constexpr double kRightEdge = DrawingArea::kPageWidth - 30;
constexpr double kLeftEdge = 60;
// Space between texts that stand side by side.
constexpr double kGap = 20;

// The largest size up to points at which every text is at most width wide.
qint16 fittingSize(const QStringList &texts, qint16 points, double width)
{
    for (qint16 size = points; size > 4; --size) {
        if (std::all_of(texts.begin(), texts.end(), [&](const QString &t) {
                return DrawingArea::TextWidthAt(t, size) <= width;
            }))
            return size;
    }
    return 4;
}

double widestAt(const QStringList &texts, qint16 points)
{
    double widest = 0;
    for (const QString &t : texts)
        widest = std::max(widest, DrawingArea::TextWidthAt(t, points));
    return widest;
}

QPixmap defaultAdvisor()
{
    // Rendered at four times its size so that it stays crisp when the drawing
    // area is enlarged; it still counts as 70 × 147 pixels.
    constexpr int kScale = 4;
    QSvgRenderer svg(u":/pictures/advisor.svg"_s);
    if (!svg.isValid())
        return {};
    QImage image(70 * kScale, 147 * kScale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.render(&p);
    p.end();
    image.setDevicePixelRatio(kScale);
    return QPixmap::fromImage(image);
}
} // namespace

StatScreens::StatScreens(Platform &platform, const States &states, DrawingArea &HGamen,
                         const SMData &Stores, const SMData &Machines, const GraphSeries &graph,
                         const Rankings &ranks, std::function<bool()> stillOpen)
    : platform_(platform), states_(states), HGamen_(HGamen), Stores_(Stores), Machines_(Machines),
      graph_(graph), ranks_(ranks), stillOpen_(std::move(stillOpen)), advisor_(defaultAdvisor())
{}

void StatScreens::GamenWriteText(qint32 HX, qint32 HY, qint16 HSize, const QColor &HColNo,
                                 const QString &HText)
{
    HGamen_.SetCurrentX(HX);
    HGamen_.SetCurrentY(HY);
    HGamen_.SetFontSize(HSize);
    HGamen_.SetForeColor(HColNo);
    HGamen_.Print(HText);
}

void StatScreens::clearAll()
{
    HGamen_.Cls();
    HGamen_.RemovePicture();
}

bool StatScreens::pause(double seconds)
{
    // Copied first: the window (and this object) may be gone after the wait.
    const std::function<bool()> open = stillOpen_;
    TimeWait(platform_, seconds);
    return !open || open();
}

void StatScreens::sound()
{
    SoundPlay(platform_, states_, 2);
}

void StatScreens::GamenWrite_Default(const QString &HSeiseki, const QString &HKachikin)
{
    HGamen_.Cls();
    GamenWriteText(900, 500, 24, kScreenGreen, u"成　績"_s);
    sound();
    if (!pause(0.5))
        return;
    GamenWriteText(400, 1200, fittingSize({HSeiseki}, 12, kRightEdge - 400), kBlack, HSeiseki);
    sound();
    if (!pause(0.3))
        return;
    // Right-aligned in 13 characters; longer amounts simply start at the left.
    // An amount too wide for the page loses the padding, then gets smaller.
    QString t = QString(std::max<qsizetype>(0, 13 - HKachikin.size()), u' ') % HKachikin % u"円"_s;
    if (100 + DrawingArea::TextWidthAt(t, 24) > kRightEdge)
        t = HKachikin % u"円"_s;
    GamenWriteText(100, 1500, fittingSize({t}, 24, kRightEdge - 100),
                   HKachikin.startsWith(u'-') ? kLossColor : kWinColor, t);
    sound();
}

void StatScreens::GamenWrite_Graph()
{
    const qint32 n = std::max(graph_.Count(), 0);
    const qint32 gMax = graph_.GMax, gMin = graph_.GMin;
    const QList<qint32> data = graph_.GData; // a nested 表示 cannot change it under us
    const GraphFrame f = GraphFrameFor(gMax, gMin, HGamen_.ScaleWidth(), HGamen_.ScaleHeight());
    const qint32 Ht = f.Ht, Wd = f.Wd, left = f.left;
    const double yScale = gMax == gMin ? 0.0 : (Ht - 700) / (double(gMax) - double(gMin));
    const double xScale = n == 0 ? 0.0 : (Wd - left) / double(n);
    const auto px = [&](qint32 i) { return float(left + i * xScale); };
    const auto py = [&](qint32 i) { return float(700 + (double(gMax) - data[i]) * yScale); };
    const double y0 = 700 + gMax * yScale;
    const GraphLabels labels = GraphLabelsFor(f, y0);

    clearAll();
    if (!pause(0.5))
        return;
    GamenWriteText(500, 70, 14, kScreenGreen, u"収支累積"_s);
    sound();
    if (!pause(0.3))
        return;

    const float lineStart = float(left - 100);
    HGamen_.SetDrawStyle(DrawingArea::LineStyle::Solid);
    HGamen_.SetDrawWidth(1);
    HGamen_.Line(float(left), 600, float(left), float(Ht + 100), kBlack);
    HGamen_.Line(lineStart, float(y0), float(Wd + 50), float(y0), kBlack);
    HGamen_.SetDrawStyle(DrawingArea::LineStyle::Dotted);
    // The values end before the lines; "円" stands above the axis, "回" after
    // the zero line's end.
    const auto label = [this](double x, double y, Qt::Alignment align, const QString &text) {
        HGamen_.SetCurrentX(x);
        HGamen_.SetCurrentY(y);
        HGamen_.SetFontSize(9);
        HGamen_.SetForeColor(kBlack);
        HGamen_.PrintLabel(text, align);
    };
    if (gMax != 0) {
        HGamen_.Line(lineStart, 700, float(Wd + 50), 700, kBlack);
        label(labels.x, labels.maxY, Qt::AlignRight | labels.maxAlign, FormatGrouped(gMax));
    }
    if (gMin != 0) {
        HGamen_.Line(lineStart, float(Ht), float(Wd + 50), float(Ht), kBlack);
        label(labels.x, labels.minY, Qt::AlignRight | labels.minAlign, FormatGrouped(gMin));
    }
    label(left, 600 - kGap, Qt::AlignHCenter | Qt::AlignBottom, u"円"_s);
    label(Wd + 50 + kGap, roundEven(y0), Qt::AlignLeft | Qt::AlignVCenter, u"回"_s);
    label(labels.x, labels.zeroY, Qt::AlignRight | labels.zeroAlign, u"0"_s);
    const QString count = u"（全 "_s % FormatAtLeastOne(n) % u"回）"_s;
    GamenWriteText(std::min(1800, roundEven(kRightEdge - DrawingArea::TextWidthAt(count, 14))), 70,
                   14, kBlack, count);
    HGamen_.SetDrawStyle(DrawingArea::LineStyle::Solid);
    for (qint32 i = 0; i <= n; ++i)
        HGamen_.Circle(px(i), py(i), 20, kScreenRed);
    HGamen_.SetDrawWidth(1);
    for (qint32 i = 1; i <= n; ++i)
        HGamen_.Line(px(i - 1), py(i - 1), px(i), py(i), kScreenBlue);
    sound();
}

GraphFrame GraphFrameFor(qint32 gMax, qint32 gMin, double width, double height)
{
    GraphFrame f;
    f.Ht = roundEven(height - 300);
    f.Wd = roundEven(width - 300);
    // The value labels end before the lines' ends, the axis 100 further
    // right: it moves right when a label is wider than its place.
    double widest = DrawingArea::TextWidthAt(u"0"_s, 9);
    if (gMax != 0)
        widest = std::max(widest, DrawingArea::TextWidthAt(FormatGrouped(gMax), 9));
    if (gMin != 0)
        widest = std::max(widest, DrawingArea::TextWidthAt(FormatGrouped(gMin), 9));
    f.left = std::max(600, static_cast<qint32>(std::ceil(kLeftEdge + widest + kGap + 100)));
    f.maxLabel = gMax != 0;
    f.minLabel = gMin != 0;
    return f;
}

GraphLabels GraphLabelsFor(const GraphFrame &f, double y0)
{
    const double h = QFontMetricsF(DrawingArea::DrawingFont(9)).height();
    GraphLabels l;
    l.x = f.left - 100 - kGap;
    l.maxY = 700;
    l.minY = f.Ht;
    l.zeroY = roundEven(y0);
    // The zero line close to the top or the bottom line: the labels go to the
    // far sides of their lines.
    constexpr qint32 kAside = 5;
    if (f.maxLabel && y0 - 700 < h + kAside) {
        l.maxY = 700 - kAside;
        l.maxAlign = Qt::AlignBottom;
        l.zeroY = roundEven(y0 + kAside);
        l.zeroAlign = Qt::AlignTop;
    } else if (f.minLabel && f.Ht - y0 < h + kAside) {
        l.minY = f.Ht + kAside;
        l.minAlign = Qt::AlignTop;
        l.zeroY = roundEven(y0 - kAside);
        l.zeroAlign = Qt::AlignBottom;
    }
    return l;
}

// A name from a hand-edited file can be longer than the editors allow; it is
// shortened with "…" so that it never runs into the amount after it.
QString FitName(const QString &name, qint16 points, double maxTwips)
{
    if (DrawingArea::TextWidthAt(name, points) <= maxTwips)
        return name;
    QString shortened = name;
    while (!shortened.isEmpty() && DrawingArea::TextWidthAt(shortened + u'…', points) > maxTwips)
        shortened.chop(1);
    return shortened + u'…';
}

AmountColumn LayOutAmounts(const QStringList &amounts, const QStringList &rests, double yenX,
                           double leftLimit)
{
    for (qint16 size = 9; size > 4; --size) {
        const double lowest = leftLimit + widestAt(amounts, size);
        const double highest = kRightEdge - widestAt(rests, size);
        if (lowest <= highest)
            return {size, std::clamp(yenX, lowest, highest)};
    }
    return {4, leftLimit + widestAt(amounts, 4)};
}

// The ranking screens' common course: the title, then the places from the
// last to the first, each with its sound and pause. The table is a copy: a
// screen button pressed during a pause may compute the rankings anew.
void StatScreens::rankingScreen(qint32 titleX, qint32 titleY, const QString &title,
                                const RankTable table, qint16 places,
                                const std::function<void(qint16, const RankRow &)> &drawPlace)
{
    clearAll();
    if (!pause(0.5))
        return;
    GamenWriteText(titleX, titleY, 20, kScreenGreen, title);
    sound();
    if (!pause(0.4))
        return;
    for (qint16 r = places; r >= 1; --r) {
        const RankRow &row = table[r - 1];
        if (row.Empty())
            continue;
        drawPlace(r, row);
        sound();
        if (!pause(0.3))
            return;
    }
}

namespace {
// The amount and the rest of a ranking's amount line.
QString amountOf(const RankRow &row)
{
    return FormatYen(row[2]);
}

double gamesOf(const RankRow &row)
{
    return double(qint64(row[3]) + row[4] + row[5]);
}

// The amount lines of the places that are drawn.
template <typename Rest>
void amountLines(const RankTable &table, qint16 places, QStringList &amounts, QStringList &rests,
                 Rest rest)
{
    for (qint16 r = 0; r < places; ++r) {
        if (table[r].Empty())
            continue;
        amounts.append(amountOf(table[r]));
        rests.append(rest(table[r]));
    }
}
} // namespace

void StatScreens::rankScreen(RankKind kind, bool best)
{
    const bool store = kind == RankKind::Store;
    const SMData &names = store ? Stores_ : Machines_;
    const QString title = store ? (best ? u"優秀店ﾗﾝｷﾝｸﾞ"_s : u"店ﾜｰｽﾄﾗﾝｷﾝｸﾞ"_s)
                                : (best ? u"優秀台ﾗﾝｷﾝｸﾞ"_s : u"台ﾜｰｽﾄﾗﾝｷﾝｸﾞ"_s);
    const RankTable &table = store ? (best ? ranks_.RStore : ranks_.RStoreW)
                                   : (best ? ranks_.RMachine : ranks_.RMachineW);
    const auto rest = [best](const RankRow &row) -> QString {
        return u"円("_s % FormatAtLeastOne(best ? row[3] : row[4]) % (best ? u"勝/"_s : u"敗/"_s) %
               FormatAtLeastOne(gamesOf(row)) % u"戦)"_s;
    };
    // "円" begins at 2350, or where every amount line fits (names keep some room).
    QStringList amounts, rests;
    amountLines(table, 5, amounts, rests, rest);
    const AmountColumn column = LayOutAmounts(amounts, rests, 2350, 400 + 400);
    rankingScreen(400, 300, title, table, 5, [&](qint16 r, const RankRow &row) {
        const qint32 y = 700 + 250 * r;
        GamenWriteText(100, y, 9, best ? kScreenBlue : kScreenRed, FormatPlain(r) % u"位"_s);
        const QString a = amountOf(row);
        const qint32 x = roundEven(column.yenX - DrawingArea::TextWidthAt(a, column.points));
        GamenWriteText(400, y, 9, kBlack,
                       FitName(names.SeekName(static_cast<qint16>(row[1])), 9, x - 400 - 60));
        GamenWriteText(x, y, column.points, kBlack, a % rest(row));
    });
}

void StatScreens::GamenWrite_RStore()
{
    rankScreen(RankKind::Store, true);
}

void StatScreens::GamenWrite_RStoreW()
{
    rankScreen(RankKind::Store, false);
}

void StatScreens::GamenWrite_RMachine()
{
    rankScreen(RankKind::Machine, true);
}

void StatScreens::GamenWrite_RMachineW()
{
    rankScreen(RankKind::Machine, false);
}

void StatScreens::GamenWrite_RYoubi()
{
    const auto rest = [](const RankRow &row) -> QString {
        return u"円 ("_s % FormatAtLeastOne(row[3]) % u"勝"_s % FormatAtLeastOne(row[4]) %
               u"敗/"_s % FormatAtLeastOne(gamesOf(row)) % u"戦)"_s;
    };
    // "円" begins at 2000, or right of the longest day name where the amounts
    // are wider.
    QStringList amounts, rests;
    amountLines(ranks_.RYoubi, 7, amounts, rests, rest);
    double dayWidth = 0;
    for (qint32 d = 1; d <= 7; ++d)
        dayWidth = std::max(dayWidth, DrawingArea::TextWidthAt(YoubiName(d) % u"曜日"_s, 9));
    const AmountColumn column = LayOutAmounts(amounts, rests, 2000, 600 + dayWidth + 60);
    rankingScreen(500, 100, u"曜日別ﾗﾝｷﾝｸﾞ"_s, ranks_.RYoubi, 7, [&](qint16 r, const RankRow &row) {
        const qint32 y = 500 + 200 * r;
        GamenWriteText(200, y, 9, kScreenBlue, FormatPlain(r) % u"位"_s);
        const QColor dayColor = row[1] == 1 ? kSundayColor : row[1] == 7 ? kSaturdayColor : kBlack;
        GamenWriteText(600, y, 9, dayColor, YoubiName(row[1]) % u"曜日"_s);
        const QString a = amountOf(row);
        const qint32 x = roundEven(column.yenX - DrawingArea::TextWidthAt(a, column.points));
        GamenWriteText(x, y, column.points, kBlack, a % rest(row));
    });
}

void StatScreens::shouhaiScreen(bool best)
{
    const RankTable &table = best ? ranks_.RShouhai : ranks_.RShouhaiW;
    const auto line = [](const RankRow &row) -> QString {
        QString youbi;
        YoubiGet(youbi, static_cast<qint16>(row[3]), static_cast<qint16>(row[4]),
                 static_cast<qint16>(row[5]));
        return FormatZeroPad(row[3], 4) % u"年"_s % FormatZeroPad(row[4], 2) % u"月"_s %
               FormatZeroPad(row[5], 2) % u"日("_s % youbi % u")　"_s % FormatYen(row[2]) % u"円"_s;
    };
    QStringList lines;
    for (const RankRow &row : table)
        if (!row.Empty())
            lines.append(line(row));
    const qint16 points = fittingSize(lines, 9, kRightEdge - 500);
    rankingScreen(400, 300, best ? u"最大勝ちﾗﾝｷﾝｸﾞ"_s : u"最大負けﾗﾝｷﾝｸﾞ"_s, table, 5,
                  [&](qint16 r, const RankRow &row) {
                      const qint32 y = 700 + 250 * r;
                      GamenWriteText(100, y, 9, best ? kScreenBlue : kScreenRed,
                                     FormatPlain(r) % u"位"_s);
                      GamenWriteText(500, y, points, kBlack, line(row));
                  });
}

void StatScreens::GamenWrite_RShouhai()
{
    shouhaiScreen(true);
}

void StatScreens::GamenWrite_RShouhaiW()
{
    shouhaiScreen(false);
}

void StatScreens::GamenWrite_Advice()
{
    clearAll();
    if (!pause(0.3))
        return;
    HGamen_.SetPicture(advisor_);
    sound();
    if (!pause(0.3))
        return;
    GamenWriteText(1300, 300, 22, kScreenRed, u"ｱﾄﾞﾊﾞｲｽ"_s);
    sound();
    if (!pause(0.3))
        return;
    AdviceNo = NextAdviceNo(AdviceNo);
    const QStringList lines = AdviceLines(AdviceNo, graph_, ranks_, Stores_, Machines_);
    const qint16 points = fittingSize(lines, 10, kRightEdge - 1100);
    for (qsizetype i = 0; i < lines.size(); ++i)
        GamenWriteText(1100, static_cast<qint32>(900 + 300 * i), points, kBlack, lines[i]);
    sound();
}
