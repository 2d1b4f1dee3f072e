// The summary table window: its texts and colours, sorting by a header click,
// copying, and how the main window opens it.

#include "support/fake_platform.h"
#include "support/summary_sample.h"
#include "support/test_files.h"
#include "ui/main_menu/main_form.h"
#include "ui/summary_table/summary_table.h"
#include "ui/widgets/data_grid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
class SummaryTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillSummarySample(shared);
        window = std::make_unique<Shuukei>(shared);
        window->show();
        QCoreApplication::processEvents();
    }

    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 1; r < window->SGrid->Rows(); ++r)
            out.append(window->SGrid->TextMatrix(r, c));
        return out;
    }

    void clickHeader(int c)
    {
        QHeaderView *header = window->SGrid->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(c) + header->sectionSize(c) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    FakePlatform platform;
    SharedData shared{platform};
    std::unique_ptr<Shuukei> window; // made in SetUp, over the sample
};

TEST_F(SummaryTableTest, ShowsMonthsWithYenTextsAndColours)
{
    const DataGrid &g = *window->SGrid;
    ASSERT_EQ(g.Rows(), 5); // titles, three months, totals
    EXPECT_EQ(g.TextMatrix(0, ColGroup), u"月"_s);
    EXPECT_EQ(column(ColGroup),
              (QStringList{u"2025年12月"_s, u"2026年01月"_s, u"2026年02月"_s, u"合計"_s}));
    EXPECT_EQ(column(ColBalance), (QStringList{u"¥15,000"_s, u"-¥5,500"_s, u"¥0"_s, u"¥9,500"_s}));
    EXPECT_EQ(column(ColPayoutRatio),
              (QStringList{u"250.0%"_s, u"80.4%"_s, u"100.0%"_s, u"122.1%"_s}));
    // Losses red, others black; rows tinted as in the statistics window; the
    // totals row in its own colour.
    EXPECT_EQ(g.CellForeColorAt(2, ColBalance), QColor(255, 64, 64));
    EXPECT_EQ(g.CellForeColorAt(2, ColWorst), QColor(255, 64, 64));
    EXPECT_EQ(g.CellForeColorAt(1, ColBalance), QColor(0, 0, 0));
    EXPECT_EQ(g.CellForeColorAt(2, ColWinRate), QColor(0, 0, 0));
    EXPECT_EQ(g.CellBackColorAt(1, ColVisits), QColor(249, 249, 255));
    EXPECT_EQ(g.CellBackColorAt(2, ColVisits), QColor(255, 255, 255));
    EXPECT_EQ(g.CellBackColorAt(4, ColVisits), QColor(255, 250, 224));

    // By weekday: Saturday blue, Sunday red; by store with an empty period.
    window->SGroup->setCurrentIndex(2);
    EXPECT_EQ(column(ColGroup), (QStringList{u"日曜日"_s, u"火曜日"_s, u"土曜日"_s, u"合計"_s}));
    EXPECT_EQ(g.CellForeColorAt(1, ColGroup), QColor(255, 64, 64));
    EXPECT_EQ(g.CellForeColorAt(3, ColGroup), QColor(64, 64, 255));
    window->SGroup->setCurrentIndex(3);
    EXPECT_EQ(g.TextMatrix(0, ColGroup), u"店名"_s);
    window->SStore->setCurrentIndex(2); // 銀河
    EXPECT_EQ(column(ColGroup), (QStringList{u"銀河"_s, u"合計"_s}));
    EXPECT_EQ(column(ColPayoutRatio), (QStringList{u"—"_s, u"—"_s}));
    window->SKikan->click();
    window->SFrom->setDate(QDate(2026, 2, 1));
    EXPECT_EQ(column(ColGroup), (QStringList{u"該当なし"_s, u"合計"_s}));
    EXPECT_EQ(g.TextMatrix(2, ColVisits), u"0"_s);
}

TEST_F(SummaryTableTest, HeaderClickSortsAndCopyGivesTabs)
{
    clickHeader(ColToushi);
    EXPECT_EQ(window->SortColumn(), ColToushi);
    EXPECT_FALSE(window->SortDescending());
    EXPECT_EQ(column(ColToushi),
              (QStringList{u"¥5,000"_s, u"¥10,000"_s, u"¥28,000"_s, u"¥43,000"_s}));
    clickHeader(ColToushi);
    EXPECT_TRUE(window->SortDescending());
    EXPECT_EQ(column(ColGroup),
              (QStringList{u"2026年01月"_s, u"2025年12月"_s, u"2026年02月"_s, u"合計"_s}));
    // The sort holds when the conditions change.
    window->SGroup->setCurrentIndex(0);
    EXPECT_EQ(column(ColGroup), (QStringList{u"2026年"_s, u"2025年"_s, u"合計"_s}));

    // Rows 1..2, columns 0..2: tabs between cells, carriage returns between rows.
    DataGrid &g = *window->SGrid;
    g.SetRow(1);
    g.SetCol(0);
    g.SetRowSel(2);
    g.SetColSel(2);
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"2026年\t4\t1\r2025年\t1\t1"_s);
    window->EAllCopy_Click();
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\r');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(u"年\t来店回数\t勝\t"_s));
    EXPECT_TRUE(lines[3].startsWith(u"合計\t5\t2\t1\t2\t40.0%\t¥43,000"_s));
}

TEST(SummaryTableMenu, CtrlTOpensTheWindowFromTheMainMenu)
{
    TempWorkDir dir;
    FakePlatform platform;
    SharedData shared(platform);
    MainForm form(shared);
    EXPECT_EQ(form.RShuukei->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    EXPECT_EQ(form.RShuukei->text(), u"集計表(&T)"_s);
    shared.states.UserName = u"p"_s; // with no player the selection would open first
    form.RShuukei->trigger();
    ASSERT_FALSE(platform.modalWindows.isEmpty());
    EXPECT_EQ(platform.modalWindows.first(), u"Shuukei"_s);
}
} // namespace
