// The monthly chart window, its drawing, saving and printing, and the menu
// items that open the calendar, the monthly chart and the summary table.

#include "core/file/save_sequence.h"
#include "core/model/data_change.h"
#include "core/model/shared_data.h"
#include "core/util/numbers.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "ui/app_font.h"
#include "ui/main_menu/main_form.h"
#include "ui/monthly_chart/monthly_chart.h"
#include "ui/monthly_chart/monthly_chart_window.h"
#include "ui/monthly_chart/print_page.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {
class MonthlyChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform.today = QDate(2026, 12, 6);
        shared.states.WakeKin = 1000;
        // 2025: one loss in May. 2026: +2,000 (in two hours), -5,000, +1,000
        // in January to March, two draws in April. One undated record.
        add(2025, 5, 10, 7000, 0);
        add(2026, 1, 5, 3000, 5000, 600, 720);
        add(2026, 2, 7, 8000, 3000);
        add(2026, 3, 1, 1000, 2000);
        add(2026, 4, 2, 1000, 1500);
        add(2026, 4, 9, 1000, 500);
        add(0, 3, 0, 1000, 0);
    }

    void add(qint16 y, qint16 m, qint16 d, qint32 toushi, qint32 kaishuu, qint16 start = kNoTime,
             qint16 end = kNoTime)
    {
        PlayRecord r{y, m, d, toushi, kaishuu, 1, 1, {}};
        r.startMinute = start;
        r.endMinute = end;
        ASSERT_TRUE(AddRecord(shared, r));
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
    const auto periods = [&] {
        QStringList texts;
        for (int i = 0; i < w->periodBox->count(); ++i)
            texts.append(w->periodBox->itemText(i));
        return texts;
    };
    EXPECT_EQ(periods(), (QStringList{u"全期間"_s, u"2026年"_s, u"2025年"_s}));
    EXPECT_EQ(w->ShownYear(), 2026); // today's year
    EXPECT_EQ(w->totalsLine->text(),
              u"合計  5戦 (2勝 1敗 2分)    収支 -¥2,000    回収率 85.7%    勝率 40.0%"_s);
    EXPECT_EQ(w->undatedNote->text(), u"日付が空または正しくない記録 1件は含まれていません。"_s);

    EXPECT_EQ(w->chart->TipText(0), u"2026年1月\n収支 ¥2,000  1戦 (1勝 0敗 0分)\n回収率 "
                                    u"166.7%\n稼働時間 2:00  時給 ¥1,000\n累積 ¥2,000"_s);
    EXPECT_EQ(w->chart->TipText(4), u"2026年5月\n来店なし\n累積 -¥2,000"_s);
    EXPECT_EQ(w->chart->TipText(12), QString());
    const ChartLayout layout = w->chart->Layout(w->chart->size());
    EXPECT_EQ(w->chart->MonthAt(layout.Bars[1].center()), 1);
    EXPECT_EQ(w->chart->MonthAt(QPointF(layout.Plot.left() - 2, layout.ZeroY)), -1);

    // All years: May 2025 to April 2026, the running total carried across.
    w->periodBox->setCurrentIndex(0);
    EXPECT_EQ(w->ShownYear(), 0);
    const QList<MonthPoint> all = w->chart->Series();
    ASSERT_EQ(all.size(), 12);
    EXPECT_EQ(all.first().Year, 2025);
    EXPECT_EQ(all.first().Month, 5);
    w->ShowYear(2025);
    EXPECT_EQ(w->periodBox->currentText(), u"2025年"_s);
    w->ShowYear(1999); // no such item: nothing changes
    EXPECT_EQ(w->ShownYear(), 2025);

    // A change of the data shows at once; the year shown stays.
    DataChange change;
    change.records = QList<PlayRecord>{shared.data.Record(1), {2027, 2, 1, 0, 500, 1, 1, {}}};
    ASSERT_TRUE(ChangePlayerData(shared, change));
    EXPECT_EQ(periods(), (QStringList{u"全期間"_s, u"2027年"_s, u"2025年"_s}));
    EXPECT_EQ(w->ShownYear(), 2025);
    EXPECT_FALSE(w->undatedNote->isVisibleTo(w.get()));
}

TEST(ChartGrid, RoundStepsFromOneZeroFillingTheHeight)
{
    // One range from 0 to 100,000: five steps of 20,000 fill it exactly.
    const ChartGrid up = MakeChartGrid(100000, 0, 100000, 0, 5);
    EXPECT_EQ(std::tuple(up.Above, up.Below, up.BarStep, up.LineStep),
              std::tuple(5, 0, 20000, 20000));
    // Nothing but zeros: the zero in the middle.
    const ChartGrid flat = MakeChartGrid(0, 0, 0, 0, 6);
    EXPECT_EQ(flat.Above, flat.Below);

    struct Case {
        qint64 barMax, barMin, lineMax, lineMin;
        qint32 maxLines;
    };
    const Case cases[] = {{102000, -48000, 13000, -89000, 8},
                          {2000, -5000, 2000, -3000, 4},
                          {500, 0, 99999999999, -1, 10},
                          {0, -7000, 0, -7000, 2},
                          {1, -1, 3, 0, 3},
                          {2147483647, -2147483648, 0, -70000000000000, 7}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.barMax);
        const ChartGrid g = MakeChartGrid(c.barMax, c.barMin, c.lineMax, c.lineMin, c.maxLines);
        const qint32 lines = g.Above + g.Below;
        EXPECT_GE(lines, 2);
        EXPECT_LE(lines, std::max(2, c.maxLines));
        double fills[2];
        int i = 0;
        for (auto [step, max, min] : {std::tuple(g.BarStep, c.barMax, c.barMin),
                                      std::tuple(g.LineStep, c.lineMax, c.lineMin)}) {
            qint64 mantissa = step;
            while (mantissa % 10 == 0)
                mantissa /= 10;
            EXPECT_TRUE(mantissa == 1 || mantissa == 2 || mantissa == 5) << step;
            EXPECT_LE(max, g.Above * step);
            EXPECT_LE(-min, g.Below * step);
            fills[i++] = double(max - min) / double(lines * step);
        }
        EXPECT_GT(std::min(fills[0], fills[1]), 0.3);
    }
}

TEST_F(MonthlyChartTest, BarsAndLineShareTheZeroOnTheGrid)
{
    auto w = open();
    for (const QSize size : {QSize(420, 240), QSize(700, 420), QSize(1900, 900)}) {
        SCOPED_TRACE(size.width());
        const ChartLayout l = w->chart->Layout(size);
        ASSERT_EQ(l.Bars.size(), 12);
        ASSERT_EQ(l.Line.size(), 12);
        const QRectF plot = l.Plot;
        EXPECT_GT(plot.left(), 0);
        EXPECT_LT(plot.right(), size.width());
        // The zero on a grid line; a step of each scale is one line apart.
        const ChartGrid &g = l.Grid;
        const qreal gap = plot.height() / (g.Above + g.Below);
        EXPECT_NEAR(l.ZeroY, plot.top() + g.Above * gap, 1e-9);
        EXPECT_NEAR(l.BarScale * g.BarStep, gap, 1e-9);
        EXPECT_NEAR(l.LineScale * g.LineStep, gap, 1e-9);
        // Signs and proportions of the bars: +2,000, -5,000, +1,000, 0, then empty.
        EXPECT_DOUBLE_EQ(l.Bars[0].bottom(), l.ZeroY);
        EXPECT_DOUBLE_EQ(l.Bars[1].top(), l.ZeroY);
        EXPECT_NEAR(l.Bars[1].height() / l.Bars[0].height(), 2.5, 1e-9);
        EXPECT_NEAR(l.Bars[0].height() / l.Bars[2].height(), 2.0, 1e-9);
        for (int i = 3; i < 12; ++i)
            EXPECT_EQ(l.Bars[i].height(), 0);
        // Running totals 2,000, -3,000, -2,000, then level; each above its bar.
        EXPECT_NEAR((l.ZeroY - l.Line[1].y()) / (l.ZeroY - l.Line[0].y()), -1.5, 1e-9);
        EXPECT_DOUBLE_EQ(l.Line[11].y(), l.Line[2].y());
        for (int i = 0; i < 12; ++i) {
            EXPECT_DOUBLE_EQ(l.Line[i].x(), l.Bars[i].center().x());
            EXPECT_TRUE(plot.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(l.Line[i]));
            EXPECT_GE(l.Bars[i].top(), plot.top() - 1e-9);
            EXPECT_LE(l.Bars[i].bottom(), plot.bottom() + 1e-9);
        }
    }

    // The widest amounts keep their scales beside the plot, inside the page.
    MonthlyChart wide;
    QList<MonthPoint> huge(2);
    huge[0].Sum.Toushi = huge[1].Sum.Kaishuu = 99999999999;
    huge[0].Running = -99999999999;
    wide.SetSeries(huge, u"全期間"_s);
    const ChartLayout h = wide.Layout(QSize(420, 240));
    QFont font = UiFont(9);
    font.setPixelSize(12);
    const qreal widest = QFontMetricsF(font).horizontalAdvance(
        FormatGrouped(double(-h.Grid.Below * h.Grid.BarStep)));
    EXPECT_GE(h.Plot.left(), widest);
    EXPECT_GE(420 - h.Plot.right(), widest);
}

// A page is the header (title with the period, player, totals) over the
// chart, which fills the rest of the page; the picture is such a page.
TEST_F(MonthlyChartTest, PageHeaderOverTheChart)
{
    shared.states.UserName = u"たろう"_s;
    auto w = open();
    const QSizeF page(1046, 720); // A4 across, at 96 per inch, less margins
    const ChartPage layout = w->chart->PageLayout(page);
    QStringList header;
    for (const PageLine &l : layout.Header) {
        header.append(l.Text);
        EXPECT_EQ(l.Rect.width(), page.width());
        EXPECT_LE(l.Rect.bottom(), layout.Chart.top());
    }
    EXPECT_EQ(header,
              (QStringList{u"月別収支　2026年"_s, u"プレーヤー　たろう"_s, w->totalsLine->text()}));
    EXPECT_EQ(layout.Chart, QRectF(0, w->chart->PageHeaderHeight(), page.width(),
                                   page.height() - w->chart->PageHeaderHeight()));
    // What is drawn stays on the page and spans it.
    QPicture drawing;
    QPainter painter(&drawing);
    w->chart->PaintPage(painter, page);
    painter.end();
    EXPECT_EQ(drawing.boundingRect(), QRect(QPoint(0, 0), page.toSize()));

    const QImage picture = w->Picture();
    EXPECT_EQ(picture.size(), w->chart->size() + QSize(0, qRound(w->chart->PageHeaderHeight())));
}

TEST_F(MonthlyChartTest, SavesThePictureAsPng)
{
    QTemporaryDir dir;
    auto w = open();
    platform.fileAnswers = {dir.filePath(u"graph"_s)};
    w->savePicture();
    EXPECT_EQ(platform.fileDialogs, (QStringList{u"月別グラフを画像で保存"_s}));
    QImage saved(dir.filePath(u"graph.png"_s), "PNG");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), w->Picture().size());
    EXPECT_EQ(saved.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_TRUE(platform.messages.isEmpty());

    // Cancelled: nothing written, nothing said.
    w->savePicture();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{u"graph.png"_s}));
    EXPECT_TRUE(platform.messages.isEmpty());

    // A folder that is not there.
    const QString bad = dir.filePath(u"missing/graph.png"_s);
    platform.fileAnswers = {bad};
    w->savePicture();
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"画像を保存できませんでした。\n"_s + bad}}));
}

TEST_F(MonthlyChartTest, PrintsThroughThePrintModule)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"chart.pdf"_s);
    auto w = open();
    w->PrintModule = QStringLiteral(LEDRA_PRINT_MODULE);
    w->print(); // the fake rejects the dialog: nothing printed
    EXPECT_EQ(platform.modalWindows, (QStringList{u"QPrintDialog"_s}));
    const auto printTo = [&](const QString &path) {
        platform.onModal = [path](QObject &window) {
            auto &dialog = static_cast<QPrintDialog &>(window);
            EXPECT_EQ(dialog.windowTitle(), u"月別グラフの印刷"_s);
            dialog.printer()->setOutputFileName(path);
            return int(QDialog::Accepted);
        };
    };
    const auto contents = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };

    // A PDF in the place of a link replaces the link; the file it led to stays.
    const QString elsewhere = dir.filePath(u"elsewhere.pdf"_s);
    ASSERT_TRUE(ReplaceFileContents(elsewhere, "earlier"));
    ASSERT_TRUE(QFile::link(elsewhere, pdf));
    printTo(pdf);
    w->print();
    EXPECT_TRUE(contents(pdf).startsWith("%PDF-"));
    EXPECT_FALSE(QFileInfo(pdf).isSymLink());
    EXPECT_EQ(contents(elsewhere), "earlier");
    EXPECT_TRUE(platform.messages.isEmpty());

    // A disk that fills up: the earlier file stays whole, and the person is told.
    w->writeFile = [](QIODevice &device, const QByteArray &bytes) {
        return device.write(bytes.left(4096)) < 0 ? -1 : qint64(4096);
    };
    printTo(elsewhere);
    w->print();
    EXPECT_EQ(contents(elsewhere), "earlier");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary left
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"PDFファイルを保存できませんでした。\n"_s +
                                       QDir::toNativeSeparators(elsewhere)}}));

    // The page fills the printable area, at 96 pixels per inch.
    QSizeF printable, painted;
    platform.onModal = [&](QObject &dialog) {
        QPrinter *printer = static_cast<QPrintDialog &>(dialog).printer();
        printer->setOutputFileName(pdf);
        printable = printer->pageLayout().paintRectPixels(96).size();
        return int(QDialog::Accepted);
    };
    PrintFile file;
    const PrintPageFn printPage = LoadPrintPage(w->PrintModule);
    ASSERT_EQ(printPage(
                  platform, w.get(), u"月別グラフ"_s,
                  [&](QPainter &p, const QSizeF &page) {
                      painted = page;
                      EXPECT_EQ(p.transform(), QTransform::fromScale(12.5, 12.5));
                  },
                  file),
              PrintOutcome::Printed);
    EXPECT_GT(printable.width(), printable.height());     // across the page
    EXPECT_NEAR(painted.width(), printable.width(), 1.5); // each side rounded to pixels
    EXPECT_NEAR(painted.height(), printable.height(), 1.5);
    EXPECT_EQ(file.Name, pdf);

    // Without the module there is nothing to print with.
    platform.messages.clear();
    w->PrintModule = dir.filePath(u"no_such_module"_s);
    w->print();
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
