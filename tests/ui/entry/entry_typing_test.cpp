// Typing as Japanese users type (input method, full-width digits), the play
// times, and undo of every kind of change.
#include "entry_fixture.h"
#include "support/player_data.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTextCharFormat>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {
void sendIme(QWidget *to, const QString &preedit, const QString &commit = QString())
{
    QTextCharFormat underline;
    underline.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    QInputMethodEvent event(preedit,
                            {{QInputMethodEvent::TextFormat, 0, int(preedit.size()), underline},
                             {QInputMethodEvent::Cursor, int(preedit.size()), 1, QVariant()}});
    event.setCommitString(commit);
    QCoreApplication::sendEvent(to, &event);
}
} // namespace

TEST_F(EntryWindowTest, InputMethodCompositionIsDrawnInTheCellAndCommitsAsTyped)
{
    addRecord(2001, 4, 1, 1000, 0, 0, 0, u"初"_s);
    Open();
    grid().setFocus();
    const struct {
        int col;
        QStringList preedits; // composed one after the other, none committed
        QString commit;       // then committed (empty: the composition is cancelled)
        QString cell;
        int beeps;
    } cases[] = {
        {11, {u"れ"_s, u"れん"_s}, u"連"_s, u"連"_s, 0},                   // replaces: first key
        {11, {u"ちゃん"_s}, QString(), u"連"_s, 0},                        // cancelled (Escape)
        {1, {u"１"_s, u"１２"_s, u"１２３"_s}, u"１２３"_s, u"１２"_s, 1}, // past the limit
        {4, {u"５０００"_s}, u"５０００"_s, u"５０００"_s, 0},
        {3, {u"あ"_s}, u"あ"_s, u"土"_s, 1}, // the weekday (of 2001-12-01) takes none
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.col);
        enter(1, c.col); // no editor open: the grid has the keyboard
        const qsizetype before = beeps();
        const QString text = cell(1, c.col);
        const QRect cellRect =
            grid().visualRect(grid().model()->index(0, c.col)).translated(grid().viewport()->pos());
        int caretX = -1;
        for (const QString &p : c.preedits) {
            sendIme(&grid(), p);
            EXPECT_EQ(grid().preeditText(), c.col == 3 ? QString() : p);
            EXPECT_EQ(cell(1, c.col), text); // nothing typed yet
            // The input method's window goes beside the caret, inside the cell
            // in the grid's coordinates, moving on as the composition grows.
            QInputMethodQueryEvent query(Qt::ImCursorRectangle | Qt::ImAnchorRectangle);
            QCoreApplication::sendEvent(&grid(), &query);
            const QRect caret = query.value(Qt::ImCursorRectangle).toRect();
            EXPECT_EQ(query.value(Qt::ImAnchorRectangle).toRect(), caret);
            EXPECT_TRUE(cellRect.contains(caret.center())) << caret.x() << "," << caret.y();
            EXPECT_GE(caret.x(), caretX);
            caretX = caret.x();
        }
        sendIme(&grid(), QString(), c.commit);
        EXPECT_EQ(grid().preeditText(), QString());
        EXPECT_EQ(cell(1, c.col), c.cell);
        EXPECT_EQ(beeps() - before, c.beeps);
        EXPECT_EQ(grid().Row(), 1); // the committing Return moves nothing
    }
    EXPECT_EQ(cell(1, 6), u"-5,000"_s); // read as 5000
    EXPECT_TRUE(window->isVisible());
}

// Whatever an input method types for a number, a rate or tags is read as its
// value; what is still no value is refused at OK naming row and column, never
// stored as 0 or dropped.
TEST_F(EntryWindowTest, FullWidthNumbersAreReadAndOtherTextsRefused)
{
    addRecord(2001, 4, 1, 1000, 0);
    Open();
    const QString rowMessage = u"2行目で書き込みエラーが発生しました。\r\n"_s;
    const struct {
        int col;
        QString typed;
        QString message; // empty: stored
    } cases[] = {
        {0, u"２０２５"_s, {}},
        {1, u"１２"_s, {}},
        {2, u"３１"_s, {}},
        {4, u"１，０００円"_s, {}},
        {5, u"￥２５００"_s, {}},
        {5, u"－５００"_s, {}},
        {12, u"１０：３０"_s, {}},
        {13, u"2230"_s, {}},
        {14, u"４円パチンコ"_s, {}},
        {15, u"１，２３４"_s, {}},
        {16, u"３"_s, {}},
        {17, u"ＡＢＣ、並び,ｲﾍﾞﾝﾄ"_s, {}},
        {4, u"1000a"_s, u"「投資」の「1000a」は数ではありません。"_s},
        {0, u"二千"_s, u"「年」の「二千」は数ではありません。"_s},
        {12, u"25:00"_s, u"「開始」の「25:00」は時刻ではありません。"_s},
        {5, u"12345678901"_s,
         u"「回収」に書き込める金額は -2,147,483,648 から 2,147,483,647 までです。"_s},
        {15, u"12a"_s, u"「回転数」の「12a」は数ではありません。"_s},
        {16, u"10000"_s, u"「大当たり」に書き込めるのは 0 から 9,999 までの整数です。"_s},
        {14, u"4円"_s,
         u"「レート」の「4円」はレートではありません。「4円パチンコ」「20円スロット」のように書いてください。"_s},
        {17, u"並び、"_s + QString(21, u'あ'),
         u"「タグ」の「"_s + QString(21, u'あ') + u"」は長すぎます。タグは20文字までです。"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        for (int col : {0, 1, 2, 4, 5, 12, 13, 14, 15, 16, 17})
            grid().SetTextMatrix(2, col, QString());
        grid().SetTextMatrix(2, 0, u"2025"_s);
        grid().SetTextMatrix(2, 1, u"12"_s);
        grid().SetTextMatrix(2, 2, u"1"_s);
        grid().SetTextMatrix(2, 4, u"100"_s);
        enter(2, c.col);
        QInputMethodEvent commit;
        commit.setCommitString(c.typed);
        if (c.col != 14) {
            key(Qt::Key_Return); // typed in the input box, through the input method
            window->IText->selectAll();
            QCoreApplication::sendEvent(window->IText, &commit);
        } else { // the rate's place holds its list: typed on the grid
            QCoreApplication::sendEvent(&grid(), &commit);
        }
        EXPECT_EQ(cell(2, c.col), c.typed); // shown as typed
        platform.messages.clear();
        window->ISave_Click();
        if (!c.message.isEmpty()) {
            ASSERT_EQ(platform.messages.size(), 1);
            EXPECT_EQ(platform.messages[0].text, rowMessage + c.message);
            EXPECT_EQ(fore(2, c.col), qRgb(255, 64, 64)); // it stands out in the grid
            continue;
        }
        EXPECT_TRUE(platform.messages.isEmpty());
        ASSERT_EQ(shared.data.ListCount(), 2);
        const PlayRecord &r = shared.data.Record(2);
        const qint64 got[] = {r.DYear,
                              r.DMonth,
                              r.DDay,
                              0,
                              r.DToushi,
                              r.DKaishuu,
                              0,
                              0,
                              0,
                              0,
                              0,
                              0,
                              r.startMinute,
                              r.endMinute,
                              r.rate.price,
                              r.spins,
                              r.jackpots,
                              r.tags.size()};
        const qint64 expected[] = {2025, 12, 31, 0,   1000, 2500, 0,    0, 0,
                                   0,    0,  0,  630, 1350, 400,  1234, 3, 3};
        EXPECT_EQ(got[c.col], c.col == 5 && c.typed.startsWith(u'－') ? -500 : expected[c.col]);
        Open(); // the stored row comes back as its values
        EXPECT_EQ(cell(2, c.col),
                  QStringList({u"2025"_s,
                               u"12"_s,
                               u"31"_s,
                               {},
                               u"1000"_s,
                               c.col == 5 && c.typed.startsWith(u'－') ? u"-500"_s : u"2500"_s,
                               {},
                               {},
                               {},
                               {},
                               {},
                               {},
                               u"10:30"_s,
                               u"22:30"_s,
                               u"4円パチンコ"_s,
                               u"1234"_s,
                               u"3"_s,
                               u"ABC、並び、イベント"_s})[c.col]);
        SetRecords(shared, {});
        addRecord(2001, 4, 1, 1000, 0);
        Open();
    }
}

TEST_F(EntryWindowTest, PlayTimesAndDetailsAreShownCopiedPastedAndSortedWithTheirRow)
{
    PlayRecord late{2001, 4, 3, 1000, 0, 0, 0, u"b"_s, 600, 1290};
    late.rate = {PlayRate::Kind::Slot, 2000};
    late.spins = 0;
    late.tags = {u"並び"_s, u"新台"_s};
    ASSERT_TRUE(AddRecord(shared, late));
    addRecord(2001, 4, 2, 2000, 0);
    Open();
    const QStringList lateShown{u"b"_s, u"10:00"_s, u"21:30"_s,     u"20円スロット"_s,
                                u"0"_s, QString(),  u"並び、新台"_s};
    EXPECT_EQ(rowTexts(1).mid(11), lateShown);
    EXPECT_EQ(rowTexts(2).mid(12), QStringList(6));
    grid().SetRow(1);
    grid().SetCol(0);
    grid().SetRowSel(1);
    grid().SetColSel(17);
    window->HCopy_Click();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith(
        u"\tb\t10:00\t21:30\t20円スロット\t0\t\t並び、新台"_s));
    // A spreadsheet block of fourteen columns fills the times, one of
    // eighteen the details too.
    QGuiApplication::clipboard()->setText(
        u"2001\t4\t1\t\t500\t0\t\t0\t\t0\t\tc\t9:15\t12:00\r\n"
        u"2001\t4\t5\t\t500\t0\t\t0\t\t0\t\td\t\t\t1円パチンコ\t300\t2\tイベント\r\n"_s);
    grid().SetRow(3);
    grid().SetCol(0);
    window->EPaste_Click();
    EXPECT_EQ(rowTexts(3).mid(11), (QStringList{u"c"_s, u"9:15"_s, u"12:00"_s} + QStringList(4)));
    window->ISort_Click();
    EXPECT_EQ(rowTexts(1).mid(11), (QStringList{u"c"_s, u"9:15"_s, u"12:00"_s} + QStringList(4)));
    EXPECT_EQ(rowTexts(3).mid(11), lateShown);
    window->ISave_Click();
    ASSERT_EQ(shared.data.ListCount(), 4);
    EXPECT_EQ(shared.data.Record(1).startMinute, 555);
    EXPECT_EQ(shared.data.Record(2).startMinute, kNoTime);
    EXPECT_EQ(shared.data.Record(3), late);
    const PlayRecord &pasted = shared.data.Record(4);
    EXPECT_EQ(pasted.rate, (PlayRate{PlayRate::Kind::Pachinko, 100}));
    EXPECT_EQ(std::tuple(pasted.spins, pasted.jackpots, pasted.tags, pasted.endMinute),
              std::tuple(300, 2, QStringList{u"イベント"_s}, kNoTime));
}

// Each kind of change is one step back to the grid as it was, and forward again.
TEST_F(EntryWindowTest, EveryChangeUndoesAndRedoesAsOneStep)
{
    addRecord(2001, 5, 3, 1000, 0, 3, 7, u"a"_s);
    PlayRecord b{2001, 4, 1, 2000, 500, 5, 0, u"b"_s};
    b.rate = {PlayRate::Kind::Slot, 500};
    ASSERT_TRUE(AddRecord(shared, b));
    addRecord(2001, 4, 2, 3000, 0, 42); // no store has ID 42
    Open();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QAbstractItemModelTester tester(grid().model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto snapshot = [this] {
        QList<QStringList> rows;
        for (int r = 0; r < grid().Rows(); ++r)
            rows << rowTexts(r);
        return rows;
    };
    const auto select = [this](int row, int col, int rowSel, int colSel) {
        grid().SetRow(row);
        grid().SetCol(col);
        grid().SetRowSel(rowSel);
        grid().SetColSel(colSel);
    };
    const struct {
        const char *what;
        std::function<void()> change;
    } cases[] = {
        {"typing",
         [&] {
             enter(2, 4);
             type(u"45"_s);
             key(Qt::Key_Backspace);
             type(u"6"_s);
         }},
        {"input box",
         [&] {
             enter(4, 5);
             key(Qt::Key_Return);
             QTest::keyClicks(window->IText, u"700"_s);
         }},
        {"paste",
         [&] {
             QGuiApplication::clipboard()->setText(u"1\t2\r\n3\t4\r\n5\t6\r\n"_s);
             select(2, 4, 2, 4);
             window->EPaste_Click();
         }},
        {"cut",
         [&] {
             select(1, 8, 2, 11);
             window->ECut_Click();
         }},
        {"clear",
         [&] {
             select(1, 0, 3, 2);
             window->EDel_Click();
         }},
        {"insert",
         [&] {
             select(2, 0, 3, 0);
             window->EGyouInsert_Click();
         }},
        {"delete",
         [&] {
             platform.msgAnswers = {MsgResult::Ok};
             select(1, 0, 2, 0);
             window->EGyouDel_Click();
         }},
        {"delete all",
         [&] {
             platform.msgAnswers = {MsgResult::Ok};
             select(1, 0, grid().Rows() - 1, 0);
             window->EGyouDel_Click();
         }},
        {"sort", [&] { window->ISort_Click(); }},
        {"store list", // entering the cell made the store "(不明)"; the choice goes
                       // with it, and the rate last played at the store
         [&] {
             enter(3, 8);
             window->ICombo->setCurrentIndex(2);
             emit window->ICombo->activated(2);
             EXPECT_EQ(cell(3, 14), u"5円スロット"_s);
         }},
        {"rate list",
         [&] {
             enter(1, 14);
             window->ICombo->setCurrentIndex(1);
             emit window->ICombo->activated(1);
         }},
    };
    const QList<QStringList> opened = snapshot();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        const QList<QStringList> changed = snapshot();
        ASSERT_NE(changed, opened);
        EXPECT_EQ(window->undoStack()->count(), 1);
        grid().setFocus();
        QTest::keyClick(&grid(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(snapshot(), opened);
        EXPECT_FALSE(window->undoAction->isEnabled());
        QTest::keyClick(&grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(snapshot(), changed);
        window->undoAction->trigger();
        window->undoStack()->clear();
    }
    // Undoing every change leaves nothing to ask about on closing.
    enter(1, 11);
    type(u"x"_s);
    window->undoAction->trigger();
    platform.messages.clear();
    window->close();
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_FALSE(window->isVisible());
}
