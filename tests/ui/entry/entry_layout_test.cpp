#include "entry_fixture.h"

#include "ui/twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

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
    ASSERT_EQ(grid().Cols(), 14);
    EXPECT_EQ(grid().FixedRows(), 1);
    EXPECT_EQ(rowTexts(0), (QStringList{u"年"_s, u"月"_s, u"日"_s, u"曜"_s, u"投資"_s, u"回収"_s,
                                        u"収支"_s, QString(), u"店名"_s, QString(), u"台名"_s,
                                        u"コメント"_s, u"開始"_s, u"終了"_s}));
    for (int r = 1; r < 6; ++r)
        for (int c = 0; c < 14; ++c)
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
        EXPECT_EQ(rowTexts(r).mid(12), (QStringList{QString(), QString()})); // no play times
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

TEST_F(EntryWindowTest, ColumnsShareTheWidthAndTheHeightStaysFixed)
{
    Open();
    // Window 9225 twips wide: weights share 9225 - 400 - 500 = 8325 twips; the
    // names and the comment give room to the play times.
    const int weights[14] = {500, 350, 350, 350, 800, 800, 950, 0, 1400, 0, 1400, 1300, 550, 550};
    for (int c = 0; c < 14; ++c) {
        const int twips = int(std::nearbyint(weights[c] * 8325 / 9300.0));
        EXPECT_EQ(grid().columnWidth(c), Twips(twips)) << c;
    }
    EXPECT_TRUE(grid().isColumnHidden(7));
    EXPECT_TRUE(grid().isColumnHidden(9));
    EXPECT_EQ(grid().width(), window->width() - Twips(500));
    EXPECT_EQ(grid().geometry().topLeft(), QPoint(Twips(240), Twips(1560)));

    const int height = window->height();
    const int column = grid().columnWidth(11);
    window->resize(window->width() + 200, height + 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->height(), height);
    EXPECT_EQ(grid().width(), window->width() - Twips(500));
    EXPECT_EQ(grid().columnWidth(11), column);
}
