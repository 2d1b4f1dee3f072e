#include "entry_fixture.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {
QList<PlayRecord> Records(const Data &data)
{
    QList<PlayRecord> all;
    for (qint32 n = 1; n <= data.ListCount(); ++n)
        all << data.Record(n);
    return all;
}
} // namespace

// Row 3 under an empty row: the message counts grid rows, not records.
TEST_F(EntryWindowTest, ValuesThatCannotBeStoredAreRefusedAtOkWithTheirRow)
{
    addRecord(2001, 4, 1, 1000, 0);
    Open();
    enter(5, 4);
    const QString rowMessage = u"3行目で書き込みエラーが発生しました。"_s;
    const QString range = u"に書き込める金額は -2,147,483,648 から 2,147,483,647 までです。"_s;
    const struct {
        int col;
        QString text;
        QString message;
    } cases[] = {{2, u"32"_s, rowMessage}, // no such date
                 {0, u"40000"_s, rowMessage},
                 {1, u"-40000"_s, rowMessage},
                 {4, u"3000000000"_s, rowMessage + u"\r\n「投資」"_s + range},
                 {5, u"-2147483649"_s, rowMessage + u"\r\n「回収」"_s + range},
                 {7, u"32768"_s, rowMessage},
                 {9, u"1e9"_s, rowMessage},
                 // A character the file cannot hold is named after the row's message.
                 {11, u"say \"hi\""_s, rowMessage + u"\r\n「\"」は保存できない文字です。"_s},
                 {11, u"¥5 한국어"_s, rowMessage + u"\r\n「한」は保存できない文字です。"_s}};
    for (const auto &c : cases) {
        grid().SetTextMatrix(3, 0, u"2001"_s);
        grid().SetTextMatrix(3, 1, u"5"_s);
        grid().SetTextMatrix(3, 2, u"1"_s);
        grid().SetTextMatrix(3, 4, u"100"_s);
        grid().SetTextMatrix(3, c.col, c.text);
        platform.messages.clear();
        window->ISave_Click();
        ASSERT_EQ(platform.messages.size(), 1) << c.text.toStdString();
        EXPECT_EQ(platform.messages[0].text, c.message);
        grid().SetTextMatrix(3, c.col, QString());
    }
    EXPECT_EQ(grid().Row(), 3); // the cursor goes to the row's first cell
    EXPECT_EQ(grid().Col(), 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(shared.data.ListCount(), 1);
    EXPECT_FALSE(shared.states.Corrected);
    // The widest values that fit, and a comment in its input-method form (the
    // yen key included), are stored.
    grid().SetTextMatrix(3, 5, u"2147483647"_s);
    grid().SetTextMatrix(3, 7, u"32767"_s);
    grid().SetTextMatrix(3, 11, u"〜¥"_s);
    window->ISave_Click();
    EXPECT_TRUE(platform.messages.size() == 1);
    ASSERT_EQ(shared.data.ListCount(), 2);
    EXPECT_EQ(shared.data.Record(2).DKaishuu, 2147483647);
    EXPECT_EQ(shared.data.Record(2).DSId, 32767);
}

TEST_F(EntryWindowTest, SortPutsUndatedRowsLastAndKeepsEqualDatesInOrder)
{
    Open();
    const QStringList rows[] = {{u"2001"_s, u"5"_s, u"3"_s, u"a"_s},
                                {u""_s, u""_s, u""_s, u"undated"_s},
                                {u"2001"_s, u"4"_s, u"10"_s, u"b"_s},
                                {u"2001"_s, u"5"_s, u"5"_s, u"c"_s},
                                {u"2001"_s, u""_s, u"1"_s, u"no month"_s}};
    for (int i = 0; i < 5; ++i) {
        for (int c = 0; c < 3; ++c)
            grid().SetTextMatrix(i + 1, c, rows[i][c]);
        grid().SetTextMatrix(i + 1, 11, rows[i][3]);
        grid().SetTextMatrix(i + 1, 4, u"100"_s);
    }
    // Row 1's Saturday is coloured by typing its day again.
    enter(1, 2);
    type(u"5"_s);
    EXPECT_EQ(cell(1, 3), u"土"_s);
    window->ISort_Click();
    QStringList order;
    for (int r = 1; r <= 5; ++r)
        order << cell(r, 11);
    EXPECT_EQ(order, (QStringList{u"b"_s, u"a"_s, u"c"_s, u"no month"_s, u"undated"_s}));
    EXPECT_EQ(cell(2, 3), u"土"_s); // colours travel with their texts
    EXPECT_EQ(fore(2, 3), qRgb(64, 64, 255));
    EXPECT_EQ(fore(1, 3), qRgb(0, 0, 0));
    EXPECT_EQ(grid().Rows(), 6);
    EXPECT_EQ(cell(0, 0), u"年"_s);
}

TEST_F(EntryWindowTest, OkStoresCompleteRowsInDateOrderAndUpdatesTheSummary)
{
    addRecord(2001, 4, 1, 1000, 500);
    shared.states.WakeKin = 1000;
    Open();
    // Row 2: a win on 2001-03-31; row 3: a date without amounts; row 4: amounts
    // without a date under an empty row.
    const QStringList texts[] = {{u"2001"_s, u"3"_s, u"31"_s, u"1000"_s, u"6000"_s, u"5"_s},
                                 {u"2001"_s, u"6"_s, u"1"_s, u""_s, u"0"_s, u""_s},
                                 {u""_s, u""_s, u""_s, u""_s, u""_s, u""_s},
                                 {u""_s, u""_s, u""_s, u"700"_s, u""_s, u""_s}};
    const int cols[] = {0, 1, 2, 4, 5, 7};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 6; ++j)
            grid().SetTextMatrix(i + 2, cols[j], texts[i][j]);
    grid().SetTextMatrix(2, 11, u"ﾊﾝｶｸ ok"_s);
    window->ISave_Click();
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(window->result(), int(QDialog::Accepted));
    EXPECT_FALSE(window->isVisible());
    const QList<PlayRecord> expected{{2001, 3, 31, 1000, 6000, 5, 0, u"ﾊﾝｶｸ ok"_s},
                                     {2001, 4, 1, 1000, 500, 0, 0, QString()}};
    EXPECT_EQ(Records(shared.data), expected);
    EXPECT_TRUE(shared.states.Corrected);
    EXPECT_EQ(shared.states.Kachi, 1);
    EXPECT_EQ(shared.states.Make, 0);
    EXPECT_EQ(shared.states.Wake, 1);
    EXPECT_EQ(shared.states.Kingaku, 4500);
}

TEST_F(EntryWindowTest, OnlyAnUndatedRowStoresAnEmptyTable)
{
    addRecord(2001, 4, 1, 1000, 500);
    shared.states.Kingaku = -500;
    Open();
    for (int c : {0, 1, 2, 4, 5})
        grid().SetTextMatrix(1, c, QString());
    grid().SetTextMatrix(1, 4, u"1000"_s);
    window->ISave_Click();
    EXPECT_EQ(shared.data.ListCount(), 0);
    EXPECT_TRUE(shared.states.Corrected);
    EXPECT_EQ(shared.states.Kingaku, 0);
}

TEST_F(EntryWindowTest, CancelAndTheCloseBoxLeaveTheTableAsItWas)
{
    addRecord(2001, 5, 1, 1000, 0);
    addRecord(2001, 4, 1, 2000, 0);
    const QList<PlayRecord> before = Records(shared.data);
    Open();
    window->ISort_Click(); // sorts the grid only
    EXPECT_EQ(cell(1, 4), u"2000"_s);
    window->ICancel_Click(); // without a question
    EXPECT_EQ(window->result(), int(QDialog::Rejected));
    EXPECT_TRUE(platform.messages.isEmpty());

    Open();
    enter(grid().Rows() - 1, 11);
    key(Qt::Key_Tab); // an empty row appended at the end is no change
    window->close();
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_FALSE(window->isVisible());

    Open();
    enter(1, 4);
    type(u"5"_s);
    platform.msgAnswers = {MsgResult::Cancel};
    window->close();
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"入力した内容を破棄します。\r\nよろしいですか？"_s,
                                       u"確認"_s, MsgButtons::OkCancel, MsgIcon::Exclamation}}));
    EXPECT_TRUE(window->isVisible());
    window->close(); // OK
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), int(QDialog::Rejected));
    EXPECT_EQ(Records(shared.data), before);
    EXPECT_FALSE(shared.states.Corrected);
}

TEST_F(EntryWindowTest, ARefusedRecordLeavesTheTableUntouched)
{
    addRecord(2001, 4, 1, 0, 2000000000);
    const QList<PlayRecord> before = Records(shared.data);
    Open();
    // A second huge win: the total balance would leave 32 bits.
    const QStringList texts{u"2001"_s, u"3"_s,    u"1"_s,    QString(), QString(), u"0"_s,
                            QString(), QString(), QString(), QString(), QString(), QString()};
    for (int c = 0; c < 12; ++c)
        grid().SetTextMatrix(2, c, texts[c]);
    grid().SetTextMatrix(2, 5, u"2000000000"_s);
    window->ISave_Click();
    ASSERT_EQ(platform.messages.size(), 1);
    // Row numbers count the sorted grid: the March row went first.
    EXPECT_EQ(platform.messages[0].text, u"2行目で書き込みエラーが発生しました。"_s);
    EXPECT_EQ(Records(shared.data), before);
    EXPECT_FALSE(shared.states.Corrected);
    EXPECT_TRUE(window->isVisible());
}
