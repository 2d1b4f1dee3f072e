#include "drawing_lines.h"

#include "core/model/master_list.h"
#include "core/model/player_settings.h"
#include "core/statistics/graph_series.h"
#include "core/statistics/ranking.h"
#include "support/fake_platform.h"
#include "ui/statistics/screens.h"
#include "ui/widgets/drawing_area.h"

#include <gtest/gtest.h>
#include <memory>

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
    // The x at which a row's amount line starts, from its text.
    const DrawCommand &textCommand(const QString &text) const
    {
        for (const DrawCommand &c : area.Commands())
            if (c.text == text)
                return c;
        static const DrawCommand none;
        ADD_FAILURE() << "no text " << text.toStdString();
        return none;
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

    // Amounts longer than the 13 places start at the left edge of the field.
    screens.GamenWrite_Default(QString(), u"-\\1,234,567,890"_s);
    EXPECT_EQ(drawn().last(), u"T 100,1500 24 #ff0000 -\\1,234,567,890円"_s);

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
                           u"T 500,400 9 #000000 円"_s,
                           u"T 3245,630 9 #000000 回"_s,
                           u"T 400,630 9 #000000 0"_s,
                           u"T 1800,70 14 #000000 （全 0回）"_s,
                           u"C 600,700 r20 solid #ff0000"_s,
                       }));
    EXPECT_EQ(platform.waits, (QList<double>{0.5, 0.3}));
    EXPECT_EQ(platform.sounds, (QStringList{kSupura, kSupura}));
}

TEST_F(ScreensTest, GraphWorkedExample)
{
    setGraph({2000, -5000, 1000});
    screens.GamenWrite_Graph();
    EXPECT_EQ(drawn(), (QStringList{
                           u"T 500,70 14 #008000 収支累積"_s,
                           u"L 600,600-600,2155 solid 1 #000000"_s,
                           u"L 500,1242-3245,1242 solid 1 #000000"_s,
                           u"L 500,700-3245,700 dotted 1 #000000"_s,
                           u"T 10,600 9 #000000 2,000"_s,
                           u"L 500,2055-3245,2055 dotted 1 #000000"_s,
                           u"T 10,2005 9 #000000 -3,000"_s,
                           u"T 500,400 9 #000000 円"_s,
                           u"T 3245,1172 9 #000000 回"_s,
                           u"T 400,1172 9 #000000 0"_s,
                           u"T 1800,70 14 #000000 （全 3回）"_s,
                           u"C 600,1242 r20 solid #ff0000"_s,
                           u"C 1465,700 r20 solid #ff0000"_s,
                           u"C 2330,2055 r20 solid #ff0000"_s,
                           u"C 3195,1784 r20 solid #ff0000"_s,
                           u"L 600,1242-1465,700 solid 1 #0000ff"_s,
                           u"L 1465,700-2330,2055 solid 1 #0000ff"_s,
                           u"L 2330,2055-3195,1784 solid 1 #0000ff"_s,
                       }));
}

TEST_F(ScreensTest, GraphOfWinsOnlyAndOfNoChange)
{
    setGraph({1000, 500});
    screens.GamenWrite_Graph();
    QStringList lines = drawn();
    EXPECT_TRUE(lines.contains(u"L 500,2055-3245,2055 solid 1 #000000"_s)); // zero line at Ht
    EXPECT_TRUE(lines.contains(u"L 500,700-3245,700 dotted 1 #000000"_s));
    EXPECT_EQ(lines.filter(u"dotted"_s).size(), 1);
    EXPECT_FALSE(lines.contains(u"T 10,2005 9 #000000 0"_s));

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

TEST_F(ScreensTest, EmptyRankingsShowOnlyTheirTitle)
{
    screens.GamenWrite_RShouhai();
    EXPECT_EQ(drawn(), (QStringList{u"T 400,300 20 #008000 最大勝ちﾗﾝｷﾝｸﾞ"_s}));
    EXPECT_EQ(platform.waits, (QList<double>{0.5, 0.4}));
    EXPECT_EQ(platform.sounds, (QStringList{kSupura}));
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
    EXPECT_EQ(platform.waits.size(), 2 + 7);
    EXPECT_EQ(platform.sounds.size(), 1 + 7);
}

TEST_F(ScreensTest, SingleVisitScreens)
{
    ranks.RShouhai[0] = row(3, 25000, 2001, 3, 4);
    ranks.RShouhai[1] = row(1, 100, 2001, 2, 29);
    screens.GamenWrite_RShouhai();
    QStringList lines = drawn();
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

TEST_F(ScreensTest, AdviceRotatesThroughItsMessages)
{
    setGraph({});
    screens.GamenWrite_Advice();
    EXPECT_TRUE(area.HasPicture());
    EXPECT_EQ(area.Picture().deviceIndependentSize(), QSizeF(70, 147));
    EXPECT_EQ(screens.AdviceNo, 1);
    EXPECT_EQ(drawn(), (QStringList{u"T 1300,300 22 #ff0000 ｱﾄﾞﾊﾞｲｽ"_s,
                                    u"T 1100,900 10 #000000 グラフから推測すると次は、"_s,
                                    u"T 1100,1200 10 #000000 \\0円"_s,
                                    u"T 1100,1500 10 #000000 勝つと思うわ。"_s,
                                    u"T 1100,1800 10 #000000 （最小２乗法で予測）"_s}));
    EXPECT_EQ(platform.waits, (QList<double>{0.3, 0.3, 0.3}));
    EXPECT_EQ(platform.sounds.size(), 3);

    screens.GamenWrite_Advice();
    EXPECT_EQ(drawn().mid(1), (QStringList{u"T 1100,900 10 #000000 "_s,
                                           u"T 1100,1200 10 #000000 これからも「るでら」を"_s,
                                           u"T 1100,1500 10 #000000 応援してね。"_s,
                                           u"T 1100,1800 10 #000000 "_s}));
    screens.GamenWrite_Advice();
    EXPECT_TRUE(drawn().last().endsWith(u"が最高の組み合わせよ。"_s));
    screens.GamenWrite_Advice();
    EXPECT_TRUE(drawn().last().endsWith(u"が最低の組み合わせよ。"_s));

    setGraph({1000, -1000, 1000});
    screens.GamenWrite_Advice();
    EXPECT_EQ(screens.AdviceNo, 1);
    EXPECT_EQ(drawn()[2], u"T 1100,1200 10 #000000 \\1,700円"_s);

    setGraph({-6048});
    screens.AdviceNo = 0; // as 表示 does
    screens.GamenWrite_Advice();
    EXPECT_EQ(drawn()[2], u"T 1100,1200 10 #000000 -\\1,600円"_s);
    EXPECT_EQ(drawn()[3], u"T 1100,1500 10 #000000 負けると思うわ。"_s);
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

TEST(ScreensLifetime, TheWindowMayBeDestroyedDuringAPause)
{
    FakePlatform platform;
    States states;
    SMData stores, machines;
    GraphSeries graph;
    Rankings ranks;
    auto area = std::make_unique<DrawingArea>();
    auto alive = std::make_shared<bool>(true);
    auto screens = std::make_unique<StatScreens>(platform, states, *area, stores, machines, graph,
                                                 ranks, [alive] { return *alive; });
    platform.onWait = [&](double) {
        *alive = false;
        screens.reset();
        area.reset();
    };
    StatScreens *raw = screens.get();
    raw->GamenWrite_Advice();
    EXPECT_EQ(platform.waits.size(), 1);
    EXPECT_FALSE(area);
}
