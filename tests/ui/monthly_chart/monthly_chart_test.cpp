// The monthly chart window, its drawing, saving and printing, and the menu
// items that open the calendar, the monthly chart and the summary table.

#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "ui/app_font.h"
#include "ui/main_menu/main_form.h"
#include "ui/monthly_chart/monthly_chart.h"
#include "ui/monthly_chart/monthly_chart_window.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
class MonthlyChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform.today = QDate(2026, 12, 6);
        shared.states.WakeKin = 1000;
        // 2025: one loss in May. 2026: +2,000, -5,000, +1,000 in January to
        // March, two draws in April. One undated record.
        add(2025, 5, 10, 7000, 0);
        add(2026, 1, 5, 3000, 5000);
        add(2026, 2, 7, 8000, 3000);
        add(2026, 3, 1, 1000, 2000);
        add(2026, 4, 2, 1000, 1500);
        add(2026, 4, 9, 1000, 500);
        add(0, 3, 0, 1000, 0);
    }

    void add(qint16 y, qint16 m, qint16 d, qint32 toushi, qint32 kaishuu)
    {
        ASSERT_TRUE(shared.data.DataWrite(y, m, d, toushi, kaishuu, 1, 1, QString()));
    }

    std::unique_ptr<MonthlyChartWindow> open()
    {
        auto w = std::make_unique<MonthlyChartWindow>(shared);
        w->show();
        QCoreApplication::processEvents();
        return w;
    }

    FakePlatform platform;
    SharedData shared{platform};
};
} // namespace

TEST_F(MonthlyChartTest, PeriodsTotalsAndTips)
{
    auto w = open();
    EXPECT_EQ(w->windowTitle(), u"るでら３  [月別グラフ]"_s);
    QStringList periods;
    for (int i = 0; i < w->JKikan->count(); ++i)
        periods.append(w->JKikan->itemText(i));
    EXPECT_EQ(periods, (QStringList{u"全期間"_s, u"2026年"_s, u"2025年"_s}));
    EXPECT_EQ(w->ShownYear(), 2026); // today's year
    EXPECT_EQ(w->HTotal->text(),
              u"合計  5戦 (2勝 1敗 2分)    収支 -¥2,000    回収率 85.7%    勝率 40.0%"_s);
    EXPECT_EQ(w->HUndated->text(), u"日付が空または正しくない記録 1件は含まれていません。"_s);

    EXPECT_EQ(w->Chart->TipText(0),
              u"2026年1月\n収支 ¥2,000  1戦 (1勝 0敗 0分)\n回収率 166.7%\n累積 ¥2,000"_s);
    EXPECT_EQ(w->Chart->TipText(4), u"2026年5月\n来店なし\n累積 -¥2,000"_s);
    EXPECT_EQ(w->Chart->TipText(12), QString());
    const ChartLayout layout = w->Chart->Layout(w->Chart->size());
    EXPECT_EQ(w->Chart->MonthAt(layout.Bars[1].center()), 1);
    EXPECT_EQ(w->Chart->MonthAt(QPointF(layout.Plot.left() - 2, layout.ZeroY)), -1);

    // All years: May 2025 to April 2026, the running total carried across.
    w->JKikan->setCurrentIndex(0);
    EXPECT_EQ(w->ShownYear(), 0);
    const QList<MonthPoint> all = w->Chart->Series();
    ASSERT_EQ(all.size(), 12);
    EXPECT_EQ(all.first().Year, 2025);
    EXPECT_EQ(all.first().Month, 5);
    w->ShowYear(2025);
    EXPECT_EQ(w->JKikan->currentText(), u"2025年"_s);
    w->ShowYear(1999); // no such item: nothing changes
    EXPECT_EQ(w->ShownYear(), 2025);
}

TEST_F(MonthlyChartTest, BarsAndLineShareTheZeroAndFillThePlot)
{
    auto w = open();
    for (const QSize size : {QSize(420, 240), QSize(700, 420), QSize(1900, 900)}) {
        SCOPED_TRACE(size.width());
        const ChartLayout l = w->Chart->Layout(size);
        ASSERT_EQ(l.Bars.size(), 12);
        ASSERT_EQ(l.Line.size(), 12);
        const QRectF plot = l.Plot;
        EXPECT_GT(plot.left(), 0);
        EXPECT_LT(plot.right(), size.width());
        // Signs and proportions of the bars: +2,000, -5,000, +1,000, 0, then empty.
        EXPECT_DOUBLE_EQ(l.Bars[0].bottom(), l.ZeroY);
        EXPECT_DOUBLE_EQ(l.Bars[1].top(), l.ZeroY);
        EXPECT_DOUBLE_EQ(l.Bars[2].bottom(), l.ZeroY);
        EXPECT_NEAR(l.Bars[1].height() / l.Bars[0].height(), 2.5, 1e-9);
        EXPECT_NEAR(l.Bars[0].height() / l.Bars[2].height(), 2.0, 1e-9);
        for (int i = 3; i < 12; ++i)
            EXPECT_EQ(l.Bars[i].height(), 0);
        // The largest loss reaches the bottom, the highest running total the top.
        EXPECT_NEAR(l.Bars[1].bottom(), plot.bottom(), 1e-9);
        EXPECT_NEAR(l.Line[0].y(), plot.top(), 1e-9);
        // Running totals 2,000, -3,000, -2,000, then level; each above its bar.
        EXPECT_NEAR((l.ZeroY - l.Line[1].y()) / (l.ZeroY - l.Line[0].y()), -1.5, 1e-9);
        EXPECT_DOUBLE_EQ(l.Line[11].y(), l.Line[2].y());
        for (int i = 0; i < 12; ++i) {
            EXPECT_DOUBLE_EQ(l.Line[i].x(), l.Bars[i].center().x());
            EXPECT_TRUE(plot.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(l.Line[i]));
            if (i > 0) {
                EXPECT_GT(l.Bars[i].left(), l.Bars[i - 1].right());
            }
        }
    }

    // Only draws: no bar and a level line, the zero in the middle.
    MonthlyChart flat;
    flat.SetSeries({{2030, 1, {}, 0}, {2030, 2, {}, 0}, {2030, 3, {}, 0}}, u"2030年"_s);
    const ChartLayout l = flat.Layout(QSize(500, 300));
    EXPECT_DOUBLE_EQ(l.ZeroY, l.Plot.center().y());
    EXPECT_EQ(l.Bars[1].height(), 0);
    EXPECT_DOUBLE_EQ(l.Line[2].y(), l.ZeroY);

    // The widest amounts keep their labels beside the plot, inside the page.
    QList<MonthPoint> huge(2);
    huge[0].Sum.Toushi = huge[1].Sum.Kaishuu = 99999999999;
    huge[0].Running = -99999999999;
    flat.SetSeries(huge, u"全期間"_s);
    const ChartLayout h = flat.Layout(QSize(420, 240));
    QFont font = UiFont(9);
    font.setPixelSize(12);
    const qreal widest = QFontMetricsF(font).horizontalAdvance(u"-99,999,999,999"_s);
    EXPECT_GE(h.Plot.left(), widest);
    EXPECT_GE(420 - h.Plot.right(), widest);
}

TEST_F(MonthlyChartTest, SavesThePictureAsPng)
{
    QTemporaryDir dir;
    auto w = open();
    platform.fileAnswers = {dir.filePath(u"graph"_s)};
    w->SSave_Click();
    EXPECT_EQ(platform.fileDialogs, (QStringList{u"月別グラフを画像で保存"_s}));
    QImage saved(dir.filePath(u"graph.png"_s), "PNG");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), w->Picture().size());
    EXPECT_EQ(saved.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_TRUE(platform.messages.isEmpty());

    // Cancelled: nothing written, nothing said.
    w->SSave_Click();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{u"graph.png"_s}));
    EXPECT_TRUE(platform.messages.isEmpty());

    // A folder that is not there.
    const QString bad = dir.filePath(u"missing/graph.png"_s);
    platform.fileAnswers = {bad};
    w->SSave_Click();
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"画像を保存できませんでした。\n"_s + bad}}));
}

TEST_F(MonthlyChartTest, PrintsThroughThePrintModule)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"chart.pdf"_s);
    auto w = open();
    w->PrintModule = QStringLiteral(LEDRA_PRINT_MODULE);
    w->SPrint_Click(); // the fake rejects the dialog: nothing printed
    EXPECT_EQ(platform.modalWindows, (QStringList{u"QPrintDialog"_s}));
    platform.onModal = [&](QObject &window) {
        auto &dialog = static_cast<QPrintDialog &>(window);
        EXPECT_EQ(dialog.windowTitle(), u"月別グラフの印刷"_s);
        QPrinter *printer = dialog.printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    };
    w->SPrint_Click();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_TRUE(platform.messages.isEmpty());

    // Without the module there is nothing to print with.
    w->PrintModule = dir.filePath(u"no_such_module"_s);
    w->SPrint_Click();
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"印刷の機能が見つからないため印刷できません。"_s}}));
}

TEST_F(MonthlyChartTest, MenuItemsOpenTheNewWindows)
{
    MainForm form(shared);
    shared.states.UserName = u"p"_s; // with no player the selection would open first
    const struct {
        QAction *item;
        QString text, keys, window;
    } items[] = {{form.RCalendar, u"カレンダー(&C)"_s, u"Ctrl+K"_s, u"CalendarWindow"_s},
                 {form.RMonthlyChart, u"月別グラフ(&G)"_s, u"Ctrl+G"_s, u"MonthlyChartWindow"_s},
                 {form.RShuukei, u"集計表(&T)"_s, u"Ctrl+T"_s, u"Shuukei"_s}};
    for (const auto &i : items) {
        EXPECT_EQ(i.item->text(), i.text);
        EXPECT_EQ(i.item->shortcut(), QKeySequence(i.keys));
        platform.modalWindows.clear();
        i.item->trigger();
        // (The main window's first activation also asks for a player.)
        platform.modalWindows.removeAll(u"PSelect"_s);
        EXPECT_EQ(platform.modalWindows, QStringList{i.window});
    }
}
