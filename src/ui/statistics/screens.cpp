#include "ui/statistics/screens.h"

#include "core/model/master_list.h"
#include "core/statistics/forecast.h"
#include "core/statistics/graph_series.h"
#include "core/statistics/ranking.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/result_colors.h"
#include "ui/widgets/drawing_area.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
const QColor kBlack(0, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

// Rounds a drawing coordinate: halves to the even neighbour.
qint32 roundEven(double v)
{
    return static_cast<qint32>(std::nearbyint(v));
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
    GamenWriteText(900, 500, 24, kGreen, u"成　績"_s);
    sound();
    if (!pause(0.5))
        return;
    GamenWriteText(400, 1200, 12, kBlack, HSeiseki);
    sound();
    if (!pause(0.3))
        return;
    // Right-aligned in 13 characters; longer amounts simply start at the left.
    const QString t =
        QString(std::max<qsizetype>(0, 13 - HKachikin.size()), u' ') % HKachikin % u"円"_s;
    GamenWriteText(100, 1500, 24, HKachikin.startsWith(u'-') ? kLossColor : kWinColor, t);
    sound();
}

void StatScreens::GamenWrite_Graph()
{
    const qint32 n = std::max(graph_.Count(), 0);
    const qint32 gMax = graph_.GMax, gMin = graph_.GMin;
    const QList<qint32> data = graph_.GData; // a nested 表示 cannot change it under us
    const qint32 Ht = roundEven(HGamen_.ScaleHeight() - 300);
    const qint32 Wd = roundEven(HGamen_.ScaleWidth() - 300);
    const double yScale = gMax == gMin ? 0.0 : (Ht - 700) / (double(gMax) - double(gMin));
    const double xScale = n == 0 ? 0.0 : (Wd - 600) / double(n);
    const auto px = [&](qint32 i) { return float(600 + i * xScale); };
    const auto py = [&](qint32 i) { return float(700 + (double(gMax) - data[i]) * yScale); };
    const double y0 = 700 + gMax * yScale;

    clearAll();
    if (!pause(0.5))
        return;
    GamenWriteText(500, 70, 14, kGreen, u"収支累積"_s);
    sound();
    if (!pause(0.3))
        return;

    HGamen_.SetDrawStyle(DrawingArea::LineStyle::Solid);
    HGamen_.SetDrawWidth(1);
    HGamen_.Line(600, 600, 600, float(Ht + 100), kBlack);
    HGamen_.Line(500, float(y0), float(Wd + 50), float(y0), kBlack);
    HGamen_.SetDrawStyle(DrawingArea::LineStyle::Dotted);
    if (gMax != 0) {
        HGamen_.Line(500, 700, float(Wd + 50), 700, kBlack);
        GamenWriteText(10, 600, 9, kBlack, FormatGrouped(gMax));
    }
    if (gMin != 0) {
        HGamen_.Line(500, float(Ht), float(Wd + 50), float(Ht), kBlack);
        GamenWriteText(10, Ht - 50, 9, kBlack, FormatGrouped(gMin));
    }
    GamenWriteText(500, 400, 9, kBlack, u"円"_s);
    GamenWriteText(Wd + 50, roundEven(y0 - 70), 9, kBlack, u"回"_s);
    GamenWriteText(400, roundEven(y0 - 70), 9, kBlack, u"0"_s);
    GamenWriteText(1800, 70, 14, kBlack, u"（全 "_s % FormatAtLeastOne(n) % u"回）"_s);
    HGamen_.SetDrawStyle(DrawingArea::LineStyle::Solid);
    for (qint32 i = 0; i <= n; ++i)
        HGamen_.Circle(px(i), py(i), 20, kRed);
    HGamen_.SetDrawWidth(1);
    for (qint32 i = 1; i <= n; ++i)
        HGamen_.Line(px(i - 1), py(i - 1), px(i), py(i), kBlue);
    sound();
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
    GamenWriteText(titleX, titleY, 20, kGreen, title);
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

void StatScreens::rankScreen(RankKind kind, bool best)
{
    const bool store = kind == RankKind::Store;
    const SMData &names = store ? Stores_ : Machines_;
    const QString title = store ? (best ? u"優秀店ﾗﾝｷﾝｸﾞ"_s : u"店ﾜｰｽﾄﾗﾝｷﾝｸﾞ"_s)
                                : (best ? u"優秀台ﾗﾝｷﾝｸﾞ"_s : u"台ﾜｰｽﾄﾗﾝｷﾝｸﾞ"_s);
    rankingScreen(400, 300, title,
                  store ? (best ? ranks_.RStore : ranks_.RStoreW)
                        : (best ? ranks_.RMachine : ranks_.RMachineW),
                  5, [&](qint16 r, const RankRow &row) {
                      const qint32 y = 700 + 250 * r;
                      GamenWriteText(100, y, 9, best ? kBlue : kRed, FormatPlain(r) % u"位"_s);
                      const QString a = FormatYen(row[2]);
                      const qint32 x = roundEven(900 - DrawingArea::TextWidthAt(a, 9) + 1450);
                      GamenWriteText(
                          400, y, 9, kBlack,
                          FitName(names.SeekName(static_cast<qint16>(row[1])), 9, x - 400 - 60));
                      const qint64 games = qint64(row[3]) + row[4] + row[5];
                      GamenWriteText(x, y, 9, kBlack,
                                     a % u"円("_s % FormatAtLeastOne(best ? row[3] : row[4]) %
                                         (best ? u"勝/"_s : u"敗/"_s) %
                                         FormatAtLeastOne(double(games)) % u"戦)"_s);
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
    rankingScreen(500, 100, u"曜日別ﾗﾝｷﾝｸﾞ"_s, ranks_.RYoubi, 7, [&](qint16 r, const RankRow &row) {
        const qint32 y = 500 + 200 * r;
        GamenWriteText(200, y, 9, kBlue, FormatPlain(r) % u"位"_s);
        const QColor dayColor = row[1] == 1 ? kSundayColor : row[1] == 7 ? kSaturdayColor : kBlack;
        GamenWriteText(600, y, 9, dayColor, YoubiName(row[1]) % u"曜日"_s);
        const QString a = FormatYen(row[2]);
        const qint32 x = roundEven(800 - DrawingArea::TextWidthAt(a, 9) + 1200);
        const qint64 games = qint64(row[3]) + row[4] + row[5];
        GamenWriteText(x, y, 9, kBlack,
                       a % u"円 ("_s % FormatAtLeastOne(row[3]) % u"勝"_s %
                           FormatAtLeastOne(row[4]) % u"敗/"_s % FormatAtLeastOne(double(games)) %
                           u"戦)"_s);
    });
}

void StatScreens::shouhaiScreen(bool best)
{
    rankingScreen(400, 300, best ? u"最大勝ちﾗﾝｷﾝｸﾞ"_s : u"最大負けﾗﾝｷﾝｸﾞ"_s,
                  best ? ranks_.RShouhai : ranks_.RShouhaiW, 5, [&](qint16 r, const RankRow &row) {
                      const qint32 y = 700 + 250 * r;
                      GamenWriteText(100, y, 9, best ? kBlue : kRed, FormatPlain(r) % u"位"_s);
                      QString youbi;
                      YoubiGet(youbi, static_cast<qint16>(row[3]), static_cast<qint16>(row[4]),
                               static_cast<qint16>(row[5]));
                      GamenWriteText(500, y, 9, kBlack,
                                     FormatZeroPad(row[3], 4) % u"年"_s % FormatZeroPad(row[4], 2) %
                                         u"月"_s % FormatZeroPad(row[5], 2) % u"日("_s % youbi %
                                         u")　"_s % FormatYen(row[2]) % u"円"_s);
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
    GamenWriteText(1300, 300, 22, kRed, u"ｱﾄﾞﾊﾞｲｽ"_s);
    sound();
    if (!pause(0.3))
        return;
    AdviceNo = NextAdviceNo(AdviceNo);
    const QStringList lines = AdviceLines(AdviceNo, graph_, ranks_, Stores_, Machines_);
    for (qsizetype i = 0; i < lines.size(); ++i)
        GamenWriteText(1100, static_cast<qint32>(900 + 300 * i), 10, kBlack, lines[i]);
    sound();
}
