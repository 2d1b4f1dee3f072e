#include "entry_fixture.h"

#include "support/player_data.h"
#include "ui/widgets/picture_button.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {
constexpr QRgb kRed = qRgb(255, 64, 64);
constexpr QRgb kGrey = qRgb(244, 244, 244);
} // namespace

TEST_F(EntryWindowTest, KeysACellCannotTakeBeepAndAreDropped)
{
    addRecord(2001, 4, 1, 1000, 3000, 3, 7);
    Open();
    const struct {
        int col;
        QString typed, kept;
    } cases[] = {
        {3, u"1"_s, u"日"_s},       // computed cells
        {6, u"1"_s, u"2,000"_s},    // (the balance would be recomputed: the beep tells)
        {8, u"1"_s, u"駅前"_s},     // and the lists take no key
        {10, u"1"_s, u"海物語"_s},  //
        {0, u"20019"_s, u"2001"_s}, // the year takes four digits
        {1, u"123"_s, u"12"_s},     // month and day two
        {11, u"a\"b"_s, u"ab"_s},   // a comment no double quote
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.col);
        const qsizetype before = beeps();
        enter(1, c.col);
        type(c.typed);
        EXPECT_EQ(cell(1, c.col), c.kept);
        EXPECT_EQ(beeps(), before + 1);
    }
    // Nor does the input box take one; Enter on a computed cell beeps too.
    key(Qt::Key_Return);
    QTest::keyClicks(window->IText, u"\"c"_s);
    EXPECT_EQ(cell(1, 11), u"abc"_s);
    enter(1, 6);
    key(Qt::Key_Return);
    EXPECT_EQ(beeps(), 9);
}

TEST_F(EntryWindowTest, FirstKeyReplacesTheCellAndLaterKeysAppend)
{
    addRecord(2001, 3, 5, 1000, 0);
    Open();
    enter(1, 1);
    type(u"1"_s);
    EXPECT_EQ(cell(1, 1), u"1"_s);
    type(u"1"_s);
    EXPECT_EQ(cell(1, 1), u"11"_s);
    EXPECT_EQ(cell(1, 3), u"月"_s); // 2001-11-05 is a Monday
    enter(1, 1);
    key(Qt::Key_Backspace);
    EXPECT_EQ(cell(1, 1), QString()); // Backspace as the first key empties the cell
    type(u"4"_s);
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace); // on an empty cell: nothing to drop
    EXPECT_EQ(cell(1, 1), QString());
    EXPECT_EQ(cell(1, 3), QString()); // no month: no weekday
}

TEST_F(EntryWindowTest, TabFollowsTheRowAndAppendsARowAfterTheLast)
{
    Open();
    enter(1, 0);
    QList<int> visited;
    for (int i = 0; i < 8; ++i) {
        visited << grid().Col();
        key(Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (QList<int>{0, 1, 2, 4, 5, 8, 10, 11}));
    EXPECT_EQ(grid().Row(), 2);
    EXPECT_EQ(grid().Col(), 0);

    enter(5, 11);
    key(Qt::Key_Tab);
    EXPECT_EQ(grid().Rows(), 7);
    EXPECT_EQ(grid().Row(), 6);
    EXPECT_EQ(grid().Col(), 0);
    EXPECT_EQ(back(6, 3), kGrey);
    EXPECT_TRUE(window->IText->isVisible());
    // From a computed cell Tab goes on too.
    enter(2, 6);
    key(Qt::Key_Tab);
    EXPECT_EQ(grid().Col(), 8);
    EXPECT_TRUE(window->ICombo->isVisible());
    EXPECT_FALSE(window->IText->isVisible());
    // Through the times and the details, scrolled into sight, to the next row.
    enter(2, 12);
    visited.clear();
    for (int i = 0; i < 6; ++i) {
        visited << grid().Col();
        EXPECT_EQ(window->ICombo->isVisible(), grid().Col() == 14); // the rate list
        key(Qt::Key_Tab);
        QCoreApplication::processEvents();
        const QRect cell = grid().visualRect(grid().model()->index(1, grid().Col()));
        EXPECT_TRUE(grid().viewport()->rect().contains(cell)) << grid().Col();
    }
    EXPECT_EQ(visited, (QList<int>{12, 13, 14, 15, 16, 17}));
    EXPECT_EQ(grid().Row(), 3);
    EXPECT_EQ(grid().Col(), 0);
}

TEST_F(EntryWindowTest, AmountsUnderADatedRowTakeOverItsDate)
{
    addRecord(2001, 4, 1, 1000, 3000);
    Open();
    enter(2, 4);
    type(u"5000"_s);
    EXPECT_EQ(cell(2, 0), u"2001"_s);
    EXPECT_EQ(cell(2, 1), u"4"_s);
    EXPECT_EQ(cell(2, 2), u"1"_s);
    EXPECT_EQ(cell(2, 3), u"日"_s);
    EXPECT_EQ(fore(2, 3), kRed);
    EXPECT_EQ(cell(2, 6), u"-5,000"_s);
    EXPECT_EQ(fore(2, 6), kRed);
    // The payout brings the balance back to black.
    enter(2, 5);
    type(u"7000"_s);
    EXPECT_EQ(cell(2, 6), u"2,000"_s);
    EXPECT_EQ(fore(2, 6), qRgb(0, 0, 0));
    // Nothing is taken over into row 1 from the title row.
    enter(3, 0);
    enter(1, 0);
    key(Qt::Key_Backspace);
    EXPECT_EQ(cell(1, 0), QString());
}

TEST_F(EntryWindowTest, ListCellsFollowTheChosenEntry)
{
    PlayRecord first{2001, 4, 1, 1000, 0, 5, 0, {}};
    first.rate = {PlayRate::Kind::Pachinko, 400};
    ASSERT_TRUE(AddRecord(shared, first));
    addRecord(2001, 4, 2, 1000, 0, 42, 0);
    Open();
    // Entering a store cell selects its entry; in a row in use an unknown ID
    // becomes "(不明)" with ID 0.
    enter(1, 8);
    EXPECT_TRUE(window->ICombo->isVisible());
    EXPECT_EQ(window->ICombo->currentIndex(), 2);
    EXPECT_EQ(cell(1, 7), u"5"_s);
    enter(2, 8);
    EXPECT_EQ(window->ICombo->currentIndex(), 0);
    EXPECT_EQ(cell(2, 7), u"0"_s);
    EXPECT_EQ(cell(2, 8), u"(不明)"_s);
    // The person's choice arrives through the list's activation; machines alike.
    enter(2, 10);
    window->ICombo->setCurrentIndex(1);
    emit window->ICombo->activated(1);
    EXPECT_EQ(cell(2, 9), u"7"_s);
    EXPECT_EQ(cell(2, 10), u"海物語"_s);

    // The rate list: the usual rates and those of the grid, balls first,
    // dearer first; the row's own chosen. A choice writes the cell.
    enter(2, 14);
    commit(u"2.5円スロ"_s);
    enter(1, 14);
    EXPECT_TRUE(window->ICombo->isVisible());
    EXPECT_FALSE(window->IText->isVisible());
    QStringList rates;
    for (int i = 0; i < window->ICombo->count(); ++i)
        rates << window->ICombo->itemText(i);
    EXPECT_EQ(rates, (QStringList{u"4円パチンコ"_s, u"2円パチンコ"_s, u"1円パチンコ"_s,
                                  u"0.5円パチンコ"_s, u"20円スロット"_s, u"10円スロット"_s,
                                  u"5円スロット"_s, u"2.5円スロット"_s, u"2円スロット"_s}));
    EXPECT_EQ(window->ICombo->currentIndex(), 0);
    window->ICombo->setCurrentIndex(4);
    emit window->ICombo->activated(4);
    EXPECT_EQ(cell(1, 14), u"20円スロット"_s);

    // In a row not in use, "(不明)" empties ID and name. A store chosen takes
    // the rate last played there into an empty rate cell; another choice in
    // the same stay replaces it, a rate the person typed stays.
    enter(3, 8);
    EXPECT_EQ(window->ICombo->count(), 3);
    EXPECT_EQ(window->ICombo->itemText(0), u"(不明)"_s);
    EXPECT_EQ(window->ICombo->itemText(2), u"本町"_s);
    window->ICombo->setCurrentIndex(2);
    emit window->ICombo->activated(2);
    EXPECT_EQ(cell(3, 7), u"5"_s);
    EXPECT_EQ(cell(3, 8), u"本町"_s);
    EXPECT_EQ(cell(3, 14), u"20円スロット"_s);
    window->ICombo->setCurrentIndex(0);
    emit window->ICombo->activated(0);
    EXPECT_EQ(cell(3, 7), QString());
    EXPECT_EQ(cell(3, 8), QString());
    EXPECT_EQ(cell(3, 14), QString());
    enter(3, 14);
    commit(u"1円パチ"_s);
    enter(3, 8);
    window->ICombo->setCurrentIndex(2);
    emit window->ICombo->activated(2);
    EXPECT_EQ(cell(3, 14), u"1円パチ"_s);
}

TEST_F(EntryWindowTest, InputBoxEditsTheCellAndEnterReturnsToTheGrid)
{
    addRecord(2001, 4, 1, 1000, 3000);
    Open();
    enter(2, 5);
    key(Qt::Key_Return); // Enter on a text cell: the input box takes the keyboard
    EXPECT_TRUE(window->IText->hasFocus() || QApplication::focusWidget() == window->IText ||
                !window->isActiveWindow());
    QTest::keyClicks(window->IText, u"2500"_s);
    EXPECT_EQ(cell(2, 5), u"2500"_s);
    EXPECT_EQ(cell(2, 6), u"2,500"_s);
    QTest::keyClick(window->IText, Qt::Key_Return);
    EXPECT_EQ(window->result(), 0); // Enter stored nothing and closed nothing
    EXPECT_TRUE(window->isVisible());

    // Japanese through the input method: a commit string in the input box...
    enter(2, 11);
    commit(u"大当たり〜"_s, window->IText);
    EXPECT_EQ(cell(2, 11), u"大当たり〜"_s);
    // ...and on the grid, character by character as if typed.
    enter(1, 11);
    grid().setFocus();
    commit(u"連チャン"_s);
    EXPECT_EQ(cell(1, 11), u"連チャン"_s);
    EXPECT_EQ(window->IText->text(), u"連チャン"_s); // the input box shows the cell

    // Tags complete from those of the grid, most used first; only the tag
    // being typed, whatever its width or kana.
    grid().SetTextMatrix(1, 17, u"イベント、並び、イベ"_s);
    grid().SetTextMatrix(3, 17, u"並び"_s);
    enter(2, 17);
    key(Qt::Key_Return);
    commit(u"新台、い"_s, window->IText); // hiragana find katakana
    QCompleter *completer = window->IText->completer();
    ASSERT_TRUE(completer);
    ASSERT_TRUE(completer->popup()->isVisible());
    EXPECT_EQ(completer->completionCount(), 2);
    QTest::keyClick(window->IText, u',');
    EXPECT_EQ(completer->completionCount(), 3);
    QTest::keyClick(completer->popup(), Qt::Key_Down);
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    EXPECT_EQ(cell(2, 17), u"新台、い,並び"_s);
    enter(2, 11);
    EXPECT_FALSE(window->IText->completer());
}

TEST_F(EntryWindowTest, EnteringACellWithOtherTextRecomputesItsRow)
{
    addRecord(2001, 4, 1, 1000, 3000);
    Open();
    // Amounts pasted into row 2 without a date.
    grid().SetTextMatrix(2, 4, u"100"_s);
    grid().SetTextMatrix(2, 5, u"300"_s);
    enter(1, 4); // input box "1000"
    enter(2, 5); // input box takes "300": its change runs the row's computation
    EXPECT_EQ(cell(2, 0), u"2001"_s);
    EXPECT_EQ(cell(2, 3), u"日"_s);
    EXPECT_EQ(cell(2, 6), u"200"_s);
}

TEST_F(EntryWindowTest, EditorButtonsOpenTheEditorAndRefreshNames)
{
    addRecord(2001, 4, 1, 1000, 0, 3, 0);
    Open();
    enter(2, 8);
    platform.onModal = [this](QObject &) {
        SetStores(shared, {{3, u"駅前新館"_s}, {5, u"本町"_s}, {8, u"港"_s}});
        return int(QDialog::Accepted);
    };
    window->MMiseAdd_Click();
    EXPECT_EQ(platform.modalWindows, QStringList{u"MasterEditor"_s});
    EXPECT_EQ(cell(1, 8), u"駅前新館"_s);  // other rows follow the edited names
    EXPECT_EQ(window->ICombo->count(), 4); // the list shows the new entry
    EXPECT_EQ(window->ICombo->itemText(3), u"港"_s);

    // Pressing the image plays the selection sound and shows the pressed border.
    emit window->MDaiAdd->mouseDown(Qt::LeftButton);
    EXPECT_TRUE(window->MDaiAdd->hasBorder());
    EXPECT_EQ(platform.sounds.last(), u"sentaku.wav"_s);
    emit window->MDaiAdd->mouseUp(Qt::LeftButton);
    EXPECT_FALSE(window->MDaiAdd->hasBorder());
    emit window->MLDaiAdd->clicked(); // the caption opens the editor too
    EXPECT_EQ(platform.modalWindows.size(), 2);
}
