#include "entry_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

using namespace Qt::StringLiterals;

namespace {
constexpr QRgb kGrey = qRgb(244, 244, 244);

QClipboard *clipboard()
{
    return QGuiApplication::clipboard();
}
} // namespace

class EntryClipboardTest : public EntryWindowTest {
protected:
    void SetUp() override
    {
        addRecord(2001, 4, 1, 10000, 8500, 3, 7, u"初打ち"_s);
        addRecord(2001, 4, 2, 2000, 0, 0, 0);
        addRecord(2001, 4, 3, 3000, 9000, 5, 7);
        Open();
    }
    void select(int row, int col, int rowSel, int colSel)
    {
        grid().SetRow(row);
        grid().SetCol(col);
        grid().SetRowSel(rowSel);
        grid().SetColSel(colSel);
    }
};

TEST_F(EntryClipboardTest, ACopiedRowPastedIntoAnEmptyRowReproducesIt)
{
    select(1, 0, 1, 11);
    window->HCopy_Click();
    EXPECT_EQ(clipboard()->text(),
              u"2001\t4\t1\t日\t10000\t8500\t-1,500\t3\t駅前\t7\t海物語\t初打ち"_s);
    const int rows = grid().Rows();
    select(5, 0, 5, 0);
    window->EPaste_Click();
    EXPECT_EQ(rowTexts(5), rowTexts(1));
    EXPECT_EQ(grid().Rows(), rows);
    EXPECT_EQ(grid().Row(), 5);
    EXPECT_EQ(grid().Col(), 0);
    // Enter edits the pasted text in the input box, not what it showed before.
    key(Qt::Key_Return);
    EXPECT_EQ(window->IText->text(), u"2001"_s);
}

TEST_F(EntryClipboardTest, CopyingFromTheNameColumnTakesTheIdAlong)
{
    select(3, 8, 1, 8); // dragged upwards
    window->HCopy_Click();
    EXPECT_EQ(clipboard()->text(), u"3\t駅前\r0\t(不明)\r5\t本町"_s);
    EXPECT_EQ(grid().Row(), 1);
    EXPECT_EQ(grid().Col(), 7);
    EXPECT_EQ(grid().RowSel(), 3);
    EXPECT_EQ(grid().ColSel(), 8);
}

// As a spreadsheet puts a block on the clipboard: tabs, CR LF, a final CR LF.
TEST_F(EntryClipboardTest, ASpreadsheetBlockFillsAndAppendsRowsAndIsStored)
{
    const int rows = grid().Rows();
    clipboard()->setText(u"2001\t5\t4\t\t2000\t0\t\t5\t\t\t\t\r\n"
                         u"2001\t5\t3\t\t10000\t15000\t\t3\t\t7\t\tメモ\r\n"_s);
    select(5, 0, 5, 0);
    window->EPaste_Click();
    EXPECT_EQ(grid().Rows(), rows + 2);
    EXPECT_EQ(rowTexts(5).mid(0, 4), (QStringList{u"2001"_s, u"5"_s, u"4"_s, u"金"_s}));
    EXPECT_EQ(rowTexts(6).mid(0, 4), (QStringList{u"2001"_s, u"5"_s, u"3"_s, u"木"_s}));
    EXPECT_TRUE(rowTexts(7).join(QString()).isEmpty()); // the third line does not exist
    EXPECT_EQ(back(rows + 1, 6), kGrey);                // appended rows look like the others

    window->ISave_Click();
    EXPECT_TRUE(platform.messages.isEmpty());
    ASSERT_EQ(shared.data.ListCount(), 5);
    EXPECT_EQ(shared.data.Record(4), (PlayRecord{2001, 5, 3, 10000, 15000, 3, 7, u"メモ"_s}));
    EXPECT_EQ(shared.data.Record(5), (PlayRecord{2001, 5, 4, 2000, 0, 5, 0, QString()}));
}

// Lines end in CR LF, LF (many programs on this desktop) or CR alike; every
// pasted row shows its weekday and balance at once.
TEST_F(EntryClipboardTest, PastedLinesEndAnyWayAndShowTheirWeekdayAndBalance)
{
    const int rows = grid().Rows();
    clipboard()->setText(u"2024\t1\t6\t\t1000\t3000\t\t\t\t\t\t新台\n"
                         u"2024\t1\t7\t\t2000\t500\n2024\t1\t8\t\t500\r2024\t1\t9\n"_s);
    select(4, 0, 4, 0);
    window->EPaste_Click();
    EXPECT_EQ(grid().Rows(), rows + 4); // no line after the last line end
    const QStringList shown[] = {{u"土"_s, u"2,000"_s, u"新台"_s},
                                 {u"日"_s, u"-1,500"_s, QString()},
                                 {u"月"_s, u"-500"_s, QString()},
                                 {u"火"_s, QString(), QString()},
                                 {QString(), QString(), QString()}};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ((QStringList{cell(4 + i, 3), cell(4 + i, 6), cell(4 + i, 11)}), shown[i]) << i;
    EXPECT_EQ(fore(5, 6), qRgb(255, 64, 64));

    // Amounts pasted at the investment: the balances follow.
    clipboard()->setText(u"100\t50\r\n7\t7\r\n"_s);
    select(1, 4, 1, 4);
    window->EPaste_Click();
    EXPECT_EQ(cell(1, 6), u"-50"_s);
    EXPECT_EQ(fore(1, 6), qRgb(255, 64, 64));
    EXPECT_EQ(cell(2, 6), u"0"_s);
    EXPECT_EQ(cell(1, 3), u"日"_s);
    // Columns beyond the comment are cut off (the play times and details take
    // only a block that ends on the end time or the last column); the grid
    // keeps its columns.
    clipboard()->setText(u"a\tb\tc\td"_s);
    select(2, 11, 2, 11);
    window->EPaste_Click();
    EXPECT_EQ(cell(2, 11), u"a"_s);
    EXPECT_EQ(cell(2, 10), u"(不明)"_s);
    EXPECT_EQ(cell(2, 12), QString());
    EXPECT_EQ(grid().Cols(), 18);
}

TEST_F(EntryClipboardTest, PastingNoTextKeepsTheCellAndTheGridSize)
{
    const int rows = grid().Rows();
    clipboard()->clear();
    auto *image = new QMimeData;
    image->setData(u"image/png"_s, QByteArray("\x89PNG"));
    clipboard()->setMimeData(image);
    select(1, 4, 3, 5);
    window->EPaste_Click();
    EXPECT_EQ(cell(1, 4), u"10000"_s);
    EXPECT_EQ(grid().Rows(), rows);
    EXPECT_EQ(grid().RowSel(), 1);
    EXPECT_EQ(grid().ColSel(), 4);
    clipboard()->setText(QString());
    window->EPaste_Click();
    EXPECT_EQ(cell(1, 4), u"10000"_s);
}

TEST_F(EntryClipboardTest, CutAndClearEmptyTheNameWithItsIdAndRecompute)
{
    select(1, 8, 1, 8);
    window->ECut_Click();
    EXPECT_EQ(clipboard()->text(), u"3\t駅前"_s);
    EXPECT_EQ(cell(1, 7), QString());
    EXPECT_EQ(cell(1, 8), QString());

    select(2, 4, 3, 5); // both amounts of rows 2 and 3
    window->EDel_Click();
    EXPECT_EQ(cell(2, 6), QString());
    EXPECT_EQ(cell(3, 6), QString());
    EXPECT_EQ(grid().Row(), 2); // the selection stays
    EXPECT_EQ(grid().RowSel(), 3);
    EXPECT_EQ(grid().ColSel(), 5);
    select(1, 2, 1, 2); // the day: no weekday any more
    window->EDel_Click();
    EXPECT_EQ(cell(1, 3), QString());
    EXPECT_EQ(back(1, 3), kGrey);
    EXPECT_EQ(cell(1, 6), u"-1,500"_s);
}

TEST_F(EntryClipboardTest, DeletingRowsAsksOnceAndRemovesExactlyThem)
{
    for (int r = 4; r <= 6; ++r)
        grid().SetTextMatrix(r, 11, u"row%1"_s.arg(r));
    const int rows = grid().Rows();
    select(5, 2, 3, 2);
    platform.msgAnswers = {MsgResult::Cancel};
    window->EGyouDel_Click();
    EXPECT_EQ(grid().Rows(), rows);
    platform.msgAnswers = {MsgResult::Ok};
    select(5, 2, 3, 2);
    window->EGyouDel_Click();
    const RecordedMessage question{u"この行を削除します。\r\nよろしいですか。"_s, u"確認"_s,
                                   MsgButtons::OkCancel, MsgIcon::Exclamation};
    EXPECT_EQ(platform.messages, (QList<RecordedMessage>{question, question}));
    EXPECT_EQ(grid().Rows(), rows - 3);
    EXPECT_EQ(cell(2, 2), u"2"_s);
    EXPECT_EQ(cell(3, 11), u"row6"_s);

    // Deleting every row leaves one empty row.
    select(1, 0, grid().Rows() - 1, 0);
    window->EGyouDel_Click();
    ASSERT_EQ(grid().Rows(), 2);
    EXPECT_TRUE(rowTexts(1).join(QString()).isEmpty());
    EXPECT_EQ(back(1, 6), kGrey);
    EXPECT_EQ(cell(0, 0), u"年"_s);
}

TEST_F(EntryClipboardTest, InsertingAddsGreyEmptyRowsAboveTheSelection)
{
    const int rows = grid().Rows();
    select(3, 4, 2, 4);
    window->EGyouInsert_Click();
    EXPECT_EQ(grid().Rows(), rows + 2);
    for (int r : {2, 3}) {
        EXPECT_TRUE(rowTexts(r).join(QString()).isEmpty());
        EXPECT_EQ(back(r, 3), kGrey);
        EXPECT_EQ(back(r, 6), kGrey);
    }
    EXPECT_EQ(cell(1, 2), u"1"_s);
    EXPECT_EQ(cell(4, 2), u"2"_s);
    EXPECT_EQ(cell(5, 2), u"3"_s);
    EXPECT_EQ(std::min(grid().Row(), grid().RowSel()), 2);
    EXPECT_EQ(std::max(grid().Row(), grid().RowSel()), 3);
}

TEST_F(EntryClipboardTest, EditingKeysAndTheExplanation)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    grid().setFocus();
    select(2, 4, 2, 5);
    QTest::keyClick(&grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard()->text(), u"2000\t0"_s);
    QTest::keyClick(&grid(), Qt::Key_Delete);
    EXPECT_EQ(cell(2, 4), QString());
    // A right click shows the edit menu as a pop-up.
    window->IGrid_MouseUp(Qt::RightButton, grid().mapToGlobal(QPoint(20, 40)));
    EXPECT_TRUE(window->Henshuu->isVisible());
    window->Henshuu->hide();
    window->FCSV_Click();
    EXPECT_EQ(
        platform.messages,
        (QList<RecordedMessage>{
            {u"Excelや1-2-3からのデータの入出力はｺﾋﾟｰ&ﾍﾟｰｽﾄで簡単に行えます。"_s, u"説明"_s}}));
}
