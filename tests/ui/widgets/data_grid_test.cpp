#include "ui/widgets/data_grid.h"
#include "ui/widgets/grid_cell_delegate.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

class DataGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.SetCols(4);
        grid.SetRows(5);
        grid.SetFixedRows(1);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 4; ++c)
                grid.SetTextMatrix(r, c, u"%1%2"_s.arg(QChar(u'a' + r)).arg(c));
        grid.resize(400, 300);
        grid.show();
        QCoreApplication::processEvents();
    }

    DataGrid grid;
};

TEST_F(DataGridTest, ModelPassesTheConsistencyChecks)
{
    QAbstractItemModelTester tester(grid.gridModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    grid.SetRows(40);
    grid.AddItem(u"x\ty"_s, 2);
    grid.RemoveItem(3);
    grid.SetCols(6);
    grid.SetRows(2);
    EXPECT_EQ(grid.gridModel()->rowCount(), 1); // the title row is the header
}

TEST_F(DataGridTest, SettingRowOrColMakesTheCurrentCellTheSelection)
{
    EXPECT_EQ(grid.gridModel()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), u"a1"_s);
    EXPECT_EQ(grid.TextMatrix(9, 0), QString()); // outside: empty, no crash
    grid.SetRow(1);
    grid.SetCol(1);
    grid.SetRowSel(3);
    grid.SetColSel(2);
    EXPECT_EQ(grid.Clip(), u"b1\tb2\rc1\tc2\rd1\td2"_s);
    grid.SetRow(2);
    EXPECT_EQ(grid.RowSel(), 2);
    EXPECT_EQ(grid.ColSel(), 1);
    EXPECT_EQ(grid.Clip(), u"c1"_s);
    // Reversed corners give the same rectangle.
    grid.SetRow(3);
    grid.SetCol(2);
    grid.SetRowSel(2);
    grid.SetColSel(1);
    EXPECT_EQ(grid.Clip(), u"c1\tc2\rd1\td2"_s);
}

TEST_F(DataGridTest, SetClipFillsOnlyTheRectangleFromTheTopLeft)
{
    grid.SetRow(1);
    grid.SetCol(1);
    grid.SetRowSel(2);
    grid.SetColSel(2);
    grid.SetClip(u"1\t2\t3\r4\r5\t6\r"_s);
    EXPECT_EQ(grid.TextMatrix(1, 1), u"1"_s);
    EXPECT_EQ(grid.TextMatrix(1, 2), u"2"_s);
    EXPECT_EQ(grid.TextMatrix(1, 3), u"b3"_s); // outside the rectangle
    EXPECT_EQ(grid.TextMatrix(2, 1), u"4"_s);
    EXPECT_EQ(grid.TextMatrix(2, 2), u"c2"_s); // not reached: kept
    EXPECT_EQ(grid.TextMatrix(3, 1), u"d1"_s);
}

TEST_F(DataGridTest, RowsGrowAndShrinkAtTheEndAndItemsInsertAndRemove)
{
    grid.SetRows(7);
    EXPECT_EQ(grid.TextMatrix(4, 0), u"e0"_s);
    EXPECT_EQ(grid.TextMatrix(6, 0), QString());
    grid.AddItem(QString(), 2);
    EXPECT_EQ(grid.Rows(), 8);
    EXPECT_EQ(grid.TextMatrix(2, 0), QString());
    EXPECT_EQ(grid.TextMatrix(3, 0), u"c0"_s);
    grid.RemoveItem(1);
    EXPECT_EQ(grid.TextMatrix(1, 0), QString());
    EXPECT_EQ(grid.TextMatrix(2, 0), u"c0"_s);
    grid.SetRow(6);
    grid.SetRows(3);
    EXPECT_EQ(grid.Row(), 2); // the current cell stays inside the grid
}

// Each move of the person is reported once, with the selection it ends in
// (never a cell passed on the way, which a window would act on).
TEST_F(DataGridTest, OnlyThePersonsMovesReportASelectionChange)
{
    QList<QList<int>> reported;
    QObject::connect(&grid, &DataGrid::selChange, [&] {
        reported << QList<int>{grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()};
    });
    grid.SetRow(1);
    grid.SetCol(0);
    grid.syncView();
    EXPECT_TRUE(reported.isEmpty());
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
    const QRect cell = grid.visualRect(grid.gridModel()->index(2, 2));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(reported,
              (QList<QList<int>>{{2, 0, 2, 0}, {2, 0, 2, 1}, {2, 0, 3, 1}, {3, 2, 3, 2}}));
}

TEST_F(DataGridTest, RightButtonReleaseIsReportedWithoutMovingTheSelection)
{
    grid.SetRow(1);
    grid.SetCol(0);
    grid.syncView();
    Qt::MouseButton released = Qt::NoButton;
    QObject::connect(&grid, &DataGrid::mouseUp,
                     [&](Qt::MouseButton b, const QPoint &) { released = b; });
    const QRect cell = grid.visualRect(grid.gridModel()->index(2, 2));
    QTest::mousePress(grid.viewport(), Qt::RightButton, {}, cell.center());
    QTest::mouseRelease(grid.viewport(), Qt::RightButton, {}, cell.center());
    EXPECT_EQ(released, Qt::RightButton);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 0);
}

TEST(DataGridFocus, TabStaysInTheGridBesideOtherControls)
{
    QWidget window;
    auto *edit = new QLineEdit(&window);
    auto *grid = new DataGrid(&window);
    grid->SetCols(3);
    grid->SetRows(3);
    edit->move(0, 0);
    grid->setGeometry(0, 40, 300, 200);
    window.show();
    grid->setFocus();
    QList<int> codes;
    QObject::connect(grid, &DataGrid::keyPress, [&](int k) { codes << k; });
    QTest::keyClick(grid, Qt::Key_Tab);
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(codes, (QList<int>{9, 9}));
}

// A text is never shown cut nor squeezed: one a pixel too wide for its
// margins ends with "…" and shows whole in its tooltip.
TEST_F(DataGridTest, TextTooWideIsElidedWithTheWholeTextAsTooltip)
{
    const QFontMetrics fm(grid.font());
    const QString amount = u"-99,999,999,999"_s;
    const int width = GridCellDelegate::CellWidth(fm, amount) - 1; // a cell rect: less its line
    EXPECT_TRUE(GridCellDelegate::FitText(fm, amount, width).whole);
    const auto elided = GridCellDelegate::FitText(fm, amount, width - 1);
    EXPECT_TRUE(!elided.whole && elided.text.endsWith(u'…'));

    grid.SetCols(2);
    grid.SetRows(2);
    grid.SetColWidth(0, 600);
    grid.SetColWidth(1, 6000);
    grid.SetTextMatrix(1, 0, amount);
    grid.SetTextMatrix(1, 1, amount);
    grid.resize(600, 200);
    grid.show();
    QCoreApplication::processEvents();
    auto *delegate = qobject_cast<GridCellDelegate *>(grid.itemDelegate());
    ASSERT_NE(delegate, nullptr);
    for (int col : {1, 0}) { // the wide column first: no tooltip yet
        const QModelIndex index = grid.model()->index(0, col);
        QStyleOptionViewItem option;
        option.initFrom(grid.viewport());
        option.rect = grid.visualRect(index);
        QHelpEvent help(QEvent::ToolTip, option.rect.center(),
                        grid.viewport()->mapToGlobal(option.rect.center()));
        delegate->helpEvent(&help, &grid, option, index);
        EXPECT_EQ(QToolTip::text(), col == 0 ? amount : QString()) << col;
    }
}
