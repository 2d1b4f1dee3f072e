#include "entry_fixture.h"

#include "ui/twips.h"
#include "ui/widgets/grid_cell_delegate.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {
constexpr QRgb kGrey = qRgb(244, 244, 244);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kRed = qRgb(255, 64, 64);
constexpr QRgb kBlue = qRgb(64, 64, 255);
} // namespace

TEST_F(EntryWindowTest, EmptyTableGivesTitlesAndFiveGreyEmptyRows)
{
    Open();
    EXPECT_EQ(window->windowTitle(), u"入力画面"_s);
    ASSERT_EQ(grid().Rows(), 6);
    ASSERT_EQ(grid().Cols(), 18);
    EXPECT_EQ(grid().FixedRows(), 1);
    EXPECT_EQ(rowTexts(0),
              (QStringList{u"年"_s, u"月"_s, u"日"_s, u"曜"_s, u"投資"_s, u"回収"_s, u"収支"_s,
                           QString(), u"店名"_s, QString(), u"台名"_s, u"コメント"_s, u"開始"_s,
                           u"終了"_s, u"レート"_s, u"回転数"_s, u"大当たり"_s, u"タグ"_s}));
    for (int r = 1; r < 6; ++r)
        for (int c = 0; c < 18; ++c)
            EXPECT_EQ(back(r, c), (c == 3 || c == 6) ? kGrey : kWhite) << r << "," << c;
    // Before the first cell is entered: year of row 1, the input box shown.
    EXPECT_EQ(grid().Row(), 1);
    EXPECT_EQ(grid().Col(), 0);
    EXPECT_TRUE(window->IText->isVisible());
    EXPECT_FALSE(window->ICombo->isVisible());
    EXPECT_EQ(
        window->SetsumeiLabel->text(),
        u"・パチンコ成績を表に書き込んで下さい。\n\r・操作方法は表計算ソフトとほぼ同等です。\n\r"
        u"・同日に複数台でプレイした場合は別々に\n\r　入力して下さい。\n\r"_s);
}

TEST_F(EntryWindowTest, RecordsAreShownWithFormatsNamesAndColours)
{
    addRecord(2001, 4, 1, 10000, 8500, 3, 7, u"初打ち"_s); // Sunday, known store and machine
    addRecord(2001, 4, 7, 1000, 1000, 0, 9);               // Saturday, balance 0, unknown IDs
    addRecord(2001, 4, 2, 0, 123456);                      // Monday
    addRecord(0, 2, 30, 500, 0);                           // not a real date
    Open();
    ASSERT_EQ(grid().Rows(), 4 + 6);
    const QString unknown = u"(不明)"_s;
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(rowTexts(r).mid(12), QStringList(6)); // no play times, no details
    EXPECT_EQ(rowTexts(1).first(12),
              (QStringList{u"2001"_s, u"4"_s, u"1"_s, u"日"_s, u"10000"_s, u"8500"_s, u"-1,500"_s,
                           u"3"_s, u"駅前"_s, u"7"_s, u"海物語"_s, u"初打ち"_s}));
    EXPECT_EQ(rowTexts(2).first(12),
              (QStringList{u"2001"_s, u"4"_s, u"7"_s, u"土"_s, u"1000"_s, u"1000"_s, u"0"_s, u"0"_s,
                           unknown, u"9"_s, unknown, QString()}));
    EXPECT_EQ(rowTexts(3).first(12),
              (QStringList{u"2001"_s, u"4"_s, u"2"_s, u"月"_s, u"0"_s, u"123456"_s, u"123,456"_s,
                           u"0"_s, unknown, u"0"_s, unknown, QString()}));
    // Year 0 shows empty; the date does not exist.
    EXPECT_EQ(rowTexts(4).first(12),
              (QStringList{QString(), u"2"_s, u"30"_s, u"--"_s, u"500"_s, u"0"_s, u"-500"_s, u"0"_s,
                           unknown, u"0"_s, unknown, QString()}));
    EXPECT_EQ(fore(1, 3), kRed);
    EXPECT_EQ(fore(1, 6), kRed);
    EXPECT_EQ(fore(1, 0), kBlack);
    EXPECT_EQ(fore(2, 3), kBlue);
    EXPECT_EQ(fore(2, 6), kBlack);
    EXPECT_EQ(fore(3, 3), kBlack);
    EXPECT_EQ(back(4, 3), kGrey);
    // Loading ends on the year of row 1; the rows after the records stay empty.
    EXPECT_EQ(grid().Row(), 1);
    EXPECT_EQ(grid().Col(), 0);
    EXPECT_EQ(back(9, 6), kGrey);
    EXPECT_TRUE(cell(9, 6).isEmpty());
}

// At the default size the controls and the grid stand where they always did;
// the columns shown there fill the grid and the details follow beyond it.
// Enlarged, the grid takes the room: the details come into sight first, then
// the names, comment and tags widen; more rows; the controls where they were.
TEST_F(EntryWindowTest, ColumnsFillTheGridAndTheGridTakesTheRoom)
{
    for (int r = 0; r < 40; ++r)
        addRecord(2001, 4, 1, 1000, 0); // the rows scroll
    Open();
    const auto widths = [this] {
        QList<int> widths;
        for (int c = 0; c < 18; ++c)
            widths << (grid().isColumnHidden(c) ? 0 : grid().columnWidth(c));
        return widths;
    };
    const auto total = [&](int columns) {
        const QList<int> w = widths();
        return std::accumulate(w.begin(), w.begin() + columns, 0);
    };
    EXPECT_TRUE(grid().isColumnHidden(7));
    EXPECT_TRUE(grid().isColumnHidden(9));
    EXPECT_EQ(grid().geometry(),
              QRect(Twips(240), Twips(1560), window->width() - Twips(500), Twips(2655)));
    EXPECT_EQ(total(14), grid().viewport()->width());
    EXPECT_GT(grid().horizontalScrollBar()->maximum(), 0); // the details beyond
    // The columns of numbers have at least their design share of 8325 twips,
    // and what their widest text needs: a year, a time as typed and a rate
    // show whole.
    const int weights[] = {500, 350, 350, 350, 800, 800, 950};
    for (int c = 0; c < 7; ++c)
        EXPECT_GE(grid().columnWidth(c), Twips(std::nearbyint(weights[c] * 8325 / 9300.0))) << c;
    const QFontMetrics metrics(grid().font());
    for (const auto &[col, widest] : {std::pair(12, u"２３：５９"_s), std::pair(0, u"2025"_s),
                                      std::pair(14, u"0.5円パチンコ"_s)})
        EXPECT_TRUE(GridCellDelegate::FitText(metrics, widest, grid().columnWidth(col)).whole)
            << col;

    const QList<int> before = widths();
    const int details = total(18) - total(14);
    const int rowsShown = grid().viewport()->height() / grid().rowHeight(0);
    const QPoint sortAt = window->ISort->pos(),
                 okFromBottom =
                     window->ISave->mapTo(window.get(), QPoint(0, 0)) - QPoint(0, window->height());
    window->resize(window->width() + details / 2, window->height() + 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(widths(), before);
    window->resize(window->width() + details, window->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(total(18), grid().viewport()->width());
    const QList<int> after = widths();
    for (int c = 0; c < 18; ++c)
        EXPECT_EQ(after[c] > before[c], c == 8 || c == 10 || c == 11 || c == 17) << c;
    EXPECT_GE(grid().viewport()->height() / grid().rowHeight(0), rowsShown + 9);
    EXPECT_EQ(window->ISort->pos(), sortAt);
    EXPECT_EQ(window->ISave->mapTo(window.get(), QPoint(0, 0)) - QPoint(0, window->height()),
              okFromBottom);
}
