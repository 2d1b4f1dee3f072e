#include "drawing_lines.h"

#include "core/model/master_list.h"
#include "core/model/player_settings.h"
#include "core/statistics/graph_series.h"
#include "core/statistics/ranking.h"
#include "support/fake_platform.h"
#include "ui/statistics/screens.h"
#include "ui/widgets/drawing_area.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
const QString kSupura = u"supura.wav"_s;
} // namespace

class ScreensTest : public ::testing::Test {
protected:
    ScreensTest()
    {
        states.Sound = true;
        stores.WriteData({4, 9, 0}, {u"駅前店"_s, u"本町店"_s, QString()});
        machines.WriteData({2, 0}, {u"海物語"_s, QString()});
        for (RankTable *t : {&ranks.RStore, &ranks.RStoreW, &ranks.RMachine, &ranks.RMachineW,
                             &ranks.RShouhai, &ranks.RShouhaiW})
            for (RankRow &r : *t)
                r[2] = kEmptyRank;
    }
    QStringList drawn() const { return ::drawn(area); }
    void setGraph(const QList<qint32> &balances)
    {
        QList<PlayRecord> records;
        for (qint32 b : balances) {
            PlayRecord r;
            r.DKaishuu = b;
            records << r;
        }
        Calc_Graph(records, graph);
    }

    FakePlatform platform;
    States states;
    DrawingArea area;
    SMData stores;
    SMData machines;
    GraphSeries graph;
    Rankings ranks;
    bool open = true;
    StatScreens screens{platform, states, area,  stores,
                        machines, graph,  ranks, [this] { return open; }};
};

TEST_F(ScreensTest, DefaultScreen)
{
    area.SetPicture(QPixmap(70, 147)); // 表示 and 成績 clear it; this screen does not
    screens.GamenWrite_Default(u"0戦 (0勝 0敗 0分)"_s, u"\\0"_s);
    EXPECT_EQ(drawn(), (QStringList{u"T 900,500 24 #008000 成　績"_s,
                                    u"T 400,1200 12 #000000 0戦 (0勝 0敗 0分)"_s,
                                    u"T 100,1500 24 #0000ff            \\0円"_s}));
    EXPECT_EQ(platform.waits, (QList<double>{0.5, 0.3}));
    EXPECT_EQ(platform.sounds, (QStringList{kSupura, kSupura, kSupura}));
    EXPECT_TRUE(area.HasPicture());

    screens.GamenWrite_Default(u"45戦 (12勝 30敗 3分)"_s, u"-\\12,345"_s);
    EXPECT_EQ(drawn().last(), u"T 100,1500 24 #ff0000      -\\12,345円"_s);
    EXPECT_EQ(drawn().size(), 3);

    // Amounts longer than the 13 places start at the left edge of the field;
    // too wide for the page, they lose the padding, then get smaller.
    screens.GamenWrite_Default(QString(), u"-\\2,110,000"_s);
    EXPECT_EQ(drawn().last(), u"T 100,1500 24 #ff0000 -\\2,110,000円"_s);
    screens.GamenWrite_Default(QString(), u"-\\1,234,567,890"_s);
    EXPECT_TRUE(drawn().last().startsWith(u"T 100,1500 1"_s)) << drawn().last().toStdString();
    EXPECT_LE(100 + area.TextWidth(area.Commands().last().text), DrawingArea::kPageWidth - 30);

    states.Sound = false;
    platform.sounds.clear();
    screens.GamenWrite_Default(QString(), u"\\0"_s);
    EXPECT_TRUE(platform.sounds.isEmpty());
}

TEST_F(ScreensTest, GraphOfAnEmptySelection)
{
    setGraph({});
    area.SetPicture(QPixmap(70, 147));
    screens.GamenWrite_Graph();
    EXPECT_FALSE(area.HasPicture());
    EXPECT_EQ(drawn(), (QStringList{
                           u"T 500,70 14 #008000 収支累積"_s,
                           u"L 600,600-600,2155 solid 1 #000000"_s,
                           u"L 500,700-3245,700 solid 1 #000000"_s,
                           u"T 600,580 9 #000000 円 [centre bottom]"_s, // above the axis
                           u"T 3265,700 9 #000000 回 [left vcentre]"_s, // after the zero line
                           u"T 480,700 9 #000000 0 [right vcentre]"_s,  // before it
                           u"T 1800,70 14 #000000 （全 0回）"_s,
                           u"C 600,700 r20 solid #ff0000"_s,
                       }));
    EXPECT_EQ(platform.waits, (QList<double>{0.5, 0.3}));
    EXPECT_EQ(platform.sounds, (QStringList{kSupura, kSupura}));
}

TEST_F(ScreensTest, GraphWorkedExample)
{
    // The heights as worked out; the frame starts where the widest value label
    // leaves room ("-3,000" is wider in this font than the 440 twips before the
    // lines, with 60 from the page's edge).
    setGraph({2000, -5000, 1000});
    screens.GamenWrite_Graph();
    const qint32 left = GraphFrameFor(2000, -3000, 3495, 2355).left;
    EXPECT_EQ(left, qint32(std::ceil(60 + DrawingArea::TextWidthAt(u"-3,000"_s, 9) + 120)));
    const QStringList lines = drawn();
    const QString labelsEnd = QString::number(left - 120);
    for (const QString &expected : QStringList{
             u"L "_s + QString::number(left - 100) + u",1242-3245,1242 solid 1 #000000"_s,
             u"T "_s + labelsEnd + u",700 9 #000000 2,000 [right vcentre]"_s,
             u"T "_s + labelsEnd + u",2055 9 #000000 -3,000 [right vcentre]"_s,
             u"T 3265,1242 9 #000000 回 [left vcentre]"_s, u"T 1800,70 14 #000000 （全 3回）"_s})
        EXPECT_TRUE(lines.contains(expected)) << expected.toStdString();
    EXPECT_EQ(lines.filter(u"C "_s).size(), 4);
    const double step = (3195.0 - left) / 3;
    const QList<QPointF> points = {
        {double(left), 1242}, {left + step, 700}, {left + 2 * step, 2055}, {3195, 1784}};
    for (const DrawCommand &c : area.Commands()) {
        if (c.kind != DrawCommand::Kind::Circle)
            continue;
        const QPointF &p = points[qsizetype(std::lround((c.x1 - left) / step))];
        EXPECT_NEAR(c.x1, p.x(), 0.01);
        EXPECT_EQ(c.y1, p.y());
    }
}

TEST_F(ScreensTest, GraphOfWinsOnlyAndOfNoChange)
{
    setGraph({1000, 500});
    screens.GamenWrite_Graph();
    QStringList lines = drawn();
    const QString s = QString::number(GraphFrameFor(1500, 0, 3495, 2355).left - 100);
    EXPECT_TRUE(lines.contains(u"L "_s + s + u",2055-3245,2055 solid 1 #000000"_s)); // zero at Ht
    EXPECT_TRUE(lines.contains(u"L "_s + s + u",700-3245,700 dotted 1 #000000"_s));
    EXPECT_EQ(lines.filter(u"dotted"_s).size(), 1);
    EXPECT_EQ(lines.filter(u" 9 #000000 0"_s).size(), 1);

    setGraph({0, 0});
    screens.GamenWrite_Graph();
    lines = drawn();
    EXPECT_TRUE(lines.contains(u"L 500,700-3245,700 solid 1 #000000"_s));
    EXPECT_EQ(lines.filter(u"C "_s),
              (QStringList{u"C 600,700 r20 solid #ff0000"_s, u"C 1897.5,700 r20 solid #ff0000"_s,
                           u"C 3195,700 r20 solid #ff0000"_s}));
}

TEST_F(ScreensTest, BestStoresBottomUpWithAmountsEndingAtTheYenSign)
{
    ranks.RStore[0] = row(4, 52000, 6, 3, 1);
    ranks.RStore[1] = row(33, -1500, 0, 2, 0); // not in the list
    screens.GamenWrite_RStore();
    const QStringList lines = drawn();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], u"T 400,300 20 #008000 優秀店ﾗﾝｷﾝｸﾞ"_s);
    EXPECT_EQ(lines[1], u"T 100,1200 9 #0000ff 2位"_s);
    EXPECT_EQ(lines[2], u"T 400,1200 9 #000000 (不明)"_s);
    EXPECT_TRUE(lines[3].endsWith(u" 9 #000000 -\\1,500円(0勝/2戦)"_s)) << lines[3].toStdString();
    EXPECT_EQ(lines[4], u"T 100,950 9 #0000ff 1位"_s);
    EXPECT_EQ(lines[5], u"T 400,950 9 #000000 駅前店"_s);
    EXPECT_TRUE(lines[6].endsWith(u" 9 #000000 \\52,000円(6勝/10戦)"_s));

    for (const QString &amount : {u"\\52,000"_s, u"-\\1,500"_s}) {
        const DrawCommand &c = area.Commands()[amount == u"\\52,000"_s ? 6 : 3];
        EXPECT_EQ(c.x1, std::nearbyint(c.x1));
        EXPECT_NEAR(c.x1 + DrawingArea::TextWidthAt(amount, 9), 2350, 0.5);
        EXPECT_EQ(c.y1, amount == u"\\52,000"_s ? 950 : 1200);
    }
    EXPECT_EQ(platform.waits, (QList<double>{0.5, 0.4, 0.3, 0.3}));
    EXPECT_EQ(platform.sounds.size(), 3);
}

TEST(FitName, LongNamesStopBeforeTheAmount)
{
    EXPECT_EQ(FitName(u"駅前店"_s, 9, 1000), u"駅前店"_s);
    const QString longName = u"マルハン新宿東宝ビル店"_s;
    const double room = 900;
    const QString fitted = FitName(longName, 9, room);
    EXPECT_TRUE(fitted.endsWith(u'…'));
    EXPECT_TRUE(longName.startsWith(fitted.chopped(1)));
    EXPECT_LE(DrawingArea::TextWidthAt(fitted, 9), room);
    EXPECT_EQ(FitName(longName, 9, 0), u"…"_s);
}

TEST_F(ScreensTest, WorstAndMachineScreens)
{
    ranks.RStoreW[0] = row(4, 52000, 6, 3, 1);
    screens.GamenWrite_RStoreW();
    QStringList lines = drawn();
    EXPECT_EQ(lines[0], u"T 400,300 20 #008000 店ﾜｰｽﾄﾗﾝｷﾝｸﾞ"_s);
    EXPECT_EQ(lines[1], u"T 100,950 9 #ff0000 1位"_s);
    EXPECT_TRUE(lines[3].endsWith(u"\\52,000円(3敗/10戦)"_s));

    ranks.RMachine[0] = row(2, 0, 0, 0, 2);
    screens.GamenWrite_RMachine();
    lines = drawn();
    EXPECT_EQ(lines[0], u"T 400,300 20 #008000 優秀台ﾗﾝｷﾝｸﾞ"_s);
    EXPECT_EQ(lines[2], u"T 400,950 9 #000000 海物語"_s);
    EXPECT_TRUE(lines[3].endsWith(u"\\0円(0勝/2戦)"_s));

    screens.GamenWrite_RMachineW();
    EXPECT_EQ(drawn(), (QStringList{u"T 400,300 20 #008000 台ﾜｰｽﾄﾗﾝｷﾝｸﾞ"_s}));
}

TEST_F(ScreensTest, WeekdayScreen)
{
    const qint32 order[7] = {4, 7, 1, 3, 5, 6, 2};
    for (int r = 0; r < 7; ++r)
        ranks.RYoubi[r] = row(order[r], 1000 - 1000 * r, 1, 0, 0);
    ranks.RYoubi[6] = row(2, -3000, 2, 5, 1);
    screens.GamenWrite_RYoubi();
    const QStringList lines = drawn();
    ASSERT_EQ(lines.size(), 1 + 7 * 3);
    EXPECT_EQ(lines[0], u"T 500,100 20 #008000 曜日別ﾗﾝｷﾝｸﾞ"_s);
    EXPECT_EQ(lines[1], u"T 200,1900 9 #0000ff 7位"_s);
    EXPECT_EQ(lines[2], u"T 600,1900 9 #000000 月曜日"_s);
    EXPECT_TRUE(lines[3].endsWith(u",1900 9 #000000 -\\3,000円 (2勝5敗/8戦)"_s));
    EXPECT_NEAR(area.Commands()[3].x1 + DrawingArea::TextWidthAt(u"-\\3,000"_s, 9), 2000, 0.5);
    EXPECT_EQ(lines[3 * 4 + 2], u"T 600,1100 9 #ff0000 日曜日"_s);
    EXPECT_EQ(lines[3 * 5 + 2], u"T 600,900 9 #0000ff 土曜日"_s);
    EXPECT_EQ(lines[3 * 6 + 1], u"T 200,700 9 #0000ff 1位"_s);
}

TEST_F(ScreensTest, SingleVisitScreens)
{
    ranks.RShouhai[0] = row(3, 25000, 2001, 3, 4);
    ranks.RShouhai[1] = row(1, 100, 2001, 2, 29);
    screens.GamenWrite_RShouhai();
    QStringList lines = drawn();
    EXPECT_EQ(lines[0], u"T 400,300 20 #008000 最大勝ちﾗﾝｷﾝｸﾞ"_s);
    EXPECT_EQ(lines[1], u"T 100,1200 9 #0000ff 2位"_s);
    EXPECT_EQ(lines[2], u"T 500,1200 9 #000000 2001年02月29日(--)　\\100円"_s);
    EXPECT_EQ(lines[4], u"T 500,950 9 #000000 2001年03月04日(日)　\\25,000円"_s);

    ranks.RShouhaiW[0] = row(7, -18000, 2001, 5, 20);
    screens.GamenWrite_RShouhaiW();
    lines = drawn();
    EXPECT_EQ(lines,
              (QStringList{u"T 400,300 20 #008000 最大負けﾗﾝｷﾝｸﾞ"_s, u"T 100,950 9 #ff0000 1位"_s,
                           u"T 500,950 9 #000000 2001年05月20日(日)　-\\18,000円"_s}));
}

// The texts themselves are the core's (Advice, Forecast tests): here where
// and how they are drawn, from this window's graph, one message a press.
TEST_F(ScreensTest, AdviceDrawsTheNextMessageBesideItsAdvisor)
{
    setGraph({1000, -1000, 1000});
    screens.GamenWrite_Advice();
    EXPECT_TRUE(area.HasPicture());
    EXPECT_EQ(area.Picture().deviceIndependentSize(), QSizeF(70, 147));
    EXPECT_EQ(drawn(), (QStringList{u"T 1300,300 22 #ff0000 ｱﾄﾞﾊﾞｲｽ"_s,
                                    u"T 1100,900 10 #000000 グラフから推測すると次は、"_s,
                                    u"T 1100,1200 10 #000000 \\1,700円"_s,
                                    u"T 1100,1500 10 #000000 勝つと思うわ。"_s,
                                    u"T 1100,1800 10 #000000 （最小２乗法で予測）"_s}));
    EXPECT_EQ(platform.waits, (QList<double>{0.3, 0.3, 0.3}));
    EXPECT_EQ(platform.sounds.size(), 3);

    screens.GamenWrite_Advice();
    EXPECT_EQ(screens.AdviceNo, 2);
    EXPECT_EQ(drawn().size(), 5);
    EXPECT_EQ(drawn()[2], u"T 1100,1200 10 #000000 これからも「るでら」を"_s);
}

TEST_F(ScreensTest, AScreenPressedDuringAPauseDrawsAndTheFirstFinishesOverIt)
{
    setGraph({2000, -5000, 1000});
    ranks.RStore[0] = row(4, 52000, 6, 3, 1);
    bool nested = false;
    platform.onWait = [&](double) {
        if (!nested) {
            nested = true;
            screens.GamenWrite_Graph();
        }
    };
    screens.GamenWrite_RStore();
    const QStringList lines = drawn();
    ASSERT_EQ(lines.size(), 18 + 4);
    EXPECT_EQ(lines[0], u"T 500,70 14 #008000 収支累積"_s);
    EXPECT_EQ(lines[18], u"T 400,300 20 #008000 優秀店ﾗﾝｷﾝｸﾞ"_s);
    EXPECT_EQ(lines[19], u"T 100,950 9 #0000ff 1位"_s);
    // Store pause, graph's two pauses, then the rest of the store screen.
    EXPECT_EQ(platform.waits, (QList<double>{0.5, 0.5, 0.3, 0.4, 0.3}));
}

TEST_F(ScreensTest, ClosingDuringAPauseStopsTheDrawing)
{
    ranks.RStore[0] = row(4, 52000, 6, 3, 1);
    ranks.RStore[1] = row(9, 100, 1, 0, 0);
    platform.onWait = [&](double) {
        if (platform.waits.size() == 3)
            open = false;
    };
    screens.GamenWrite_RStore();
    // Title and rank 2 drawn; after the pause that saw the window close, nothing.
    EXPECT_EQ(drawn().size(), 4);
    EXPECT_EQ(platform.waits.size(), 3);
    EXPECT_EQ(platform.sounds.size(), 2);
}

namespace {
struct Box {
    QRectF rect;
    QString text;
};

// Every text inside the page, apart from every other text and from every line.
void expectNothingOverlaps(const DrawingArea &area)
{
    QList<Box> texts;
    QList<QLineF> lines;
    for (const DrawCommand &c : area.Commands()) {
        if (c.kind == DrawCommand::Kind::Text && !c.text.trimmed().isEmpty()) {
            // Leading blanks (the 成績 screen's padding) are empty room.
            const double lead =
                c.text.size() - QString(c.text).remove(QRegularExpression(u"^ +"_s)).size();
            const double blank = lead * DrawingArea::TextWidthAt(u" "_s, c.fontSize);
            texts.append({DrawingArea::TextBox(c).adjusted(blank, 0, 0, 0), c.text});
        } else if (c.kind == DrawCommand::Kind::Line) {
            lines.append(QLineF(c.x1, c.y1, c.x2, c.y2));
        }
    }
    const QRectF page(0, 0, DrawingArea::kPageWidth, DrawingArea::kPageHeight);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const Box &a = texts[i];
        EXPECT_TRUE(page.contains(a.rect)) << a.text.toStdString();
        for (qsizetype j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(a.rect.intersects(texts[j].rect))
                << a.text.toStdString() << " / " << texts[j].text.toStdString();
        for (const QLineF &line : lines) {
            // The line's bounding box reaching into the text (touching is fine).
            const QRectF l = QRectF(line.p1(), line.p2()).normalized();
            const bool crosses = l.left() < a.rect.right() && l.right() > a.rect.left() &&
                                 l.top() < a.rect.bottom() && l.bottom() > a.rect.top();
            EXPECT_FALSE(crosses) << a.text.toStdString() << " / line at " << line.x1() << ','
                                  << line.y1();
        }
    }
}
} // namespace

// Any amount the table can hold: labels and lines never run into each other.
TEST_F(ScreensTest, GraphLabelsStayClearAtExtremeAmounts)
{
    constexpr qint32 kMax = 2147483647;
    const QList<QList<qint32>> series = {{kMax},
                                         {-kMax},
                                         {kMax, -kMax, -kMax},
                                         {1000, -2000000000},
                                         {-1000, 2000000000},
                                         {-89000, 150000, -1234567},
                                         {2000, -5000, 1000}};
    for (const QList<qint32> &balances : series) {
        setGraph(balances);
        screens.GamenWrite_Graph();
        SCOPED_TRACE(balances.first());
        expectNothingOverlaps(area);
    }
}

TEST_F(ScreensTest, RankingsStayOnThePageAtExtremeAmounts)
{
    constexpr qint32 kMax = 2147483647;
    stores.WriteData({4, 0}, {u"ＷＷＷＷＷＷＷＷ"_s, QString()});
    for (int r = 0; r < 5; ++r) {
        ranks.RStore[r] = row(4, r % 2 ? -kMax : kMax, 32767, 0, 0);
        ranks.RStoreW[r] = row(4, -123456, 0, 32767, 0);
        ranks.RShouhaiW[r] = row(1, -kMax, 2001, 12, 31);
    }
    for (int r = 0; r < 7; ++r)
        ranks.RYoubi[r] = row(r + 1, r == 3 ? -kMax : -123456 * r, 32767, 32767, 0);
    for (auto draw : {&StatScreens::GamenWrite_RStore, &StatScreens::GamenWrite_RStoreW,
                      &StatScreens::GamenWrite_RYoubi, &StatScreens::GamenWrite_RShouhaiW}) {
        (screens.*draw)();
        expectNothingOverlaps(area);
    }
    // Six-digit losses stand clear of the day names at the usual size.
    for (int r = 0; r < 7; ++r)
        ranks.RYoubi[r] = row(r + 1, -123456 * r, 2, 5, 1);
    screens.GamenWrite_RYoubi();
    expectNothingOverlaps(area);
    EXPECT_EQ(area.Commands().last().fontSize, 9);

    screens.GamenWrite_Default(u"32767戦 (10922勝 10922敗 10923分)"_s, u"-\\2,147,483,647"_s);
    expectNothingOverlaps(area);
}
