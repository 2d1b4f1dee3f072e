// The calendar window over a busy December, with the recording platform.

#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/rank_rows.h" // readable texts in failure messages
#include "ui/app_font.h"
#include "ui/calendar/calendar_grid.h"
#include "ui/calendar/calendar_window.h"
#include "ui/result_colors.h"
#include "ui/widgets/data_grid.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
class CalendarWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform.today = QDate(2026, 12, 6);
        shared.states.WakeKin = 1000;
        shared.Stores.WriteData({1, 2, 0}, {u"駅前ホール"_s, u"パーラー銀河"_s, QString()});
        shared.Machines.WriteData({1, 2, 0}, {u"海物語"_s, u"北斗"_s, QString()});
    }

    void add(qint16 y, qint16 m, qint16 d, qint32 toushi, qint32 kaishuu, qint16 store = 1,
             qint16 machine = 1, const QString &comment = QString())
    {
        ASSERT_TRUE(shared.data.DataWrite(y, m, d, toushi, kaishuu, store, machine, comment));
    }

    // December 2026: a loss, two visits on the 3rd, a draw on Saturday the
    // 5th, a big win on Sunday the 6th (today), a loss of exactly the
    // threshold on the 31st; one visit on each side of the month; one undated.
    void addBusyMonth()
    {
        add(2026, 11, 30, 10000, 12000);
        add(2026, 12, 1, 10000, 5000, 1, 1, u"朝イチ"_s);
        add(2026, 12, 3, 12000, 20000, 2, 2, u"確変"_s);
        add(2026, 12, 5, 3000, 3500, 1, 2);
        add(2026, 12, 3, 4000, 2000, 9, 1);
        add(2026, 12, 6, 20000, 50000);
        add(2026, 12, 31, 6000, 5000, 2, 2);
        add(2027, 1, 1, 1000, 0);
        add(0, 0, 0, 1000, 0);
    }

    std::unique_ptr<CalendarWindow> open()
    {
        auto w = std::make_unique<CalendarWindow>(shared);
        w->show();
        QCoreApplication::processEvents();
        return w;
    }

    static QStringList row(const DataGrid &grid, int r)
    {
        QStringList texts;
        for (int c = 0; c < grid.Cols(); ++c)
            texts.append(grid.TextMatrix(r, c));
        return texts;
    }

    FakePlatform platform;
    SharedData shared{platform};
};
} // namespace

TEST_F(CalendarWindowTest, BusyMonthCellsColoursAndTotals)
{
    addBusyMonth();
    auto w = open();
    EXPECT_EQ(w->windowTitle(), u"るでら３  [カレンダー]"_s);
    EXPECT_EQ(w->CurrentDate(), QDate(2026, 12, 6));
    EXPECT_EQ(CalendarGrid::WeekdayNames(),
              (QStringList{u"日"_s, u"月"_s, u"火"_s, u"水"_s, u"木"_s, u"金"_s, u"土"_s}));

    struct Expected {
        qint32 day;
        QString balance, visits;
        QColor fore;
    };
    const Expected cells[] = {
        {1, u"-¥5,000"_s, u"1回"_s, kLossColor},  {2, QString(), QString(), Qt::black},
        {3, u"¥6,000"_s, u"2回"_s, kWinColor},    {5, u"¥500"_s, u"1回"_s, Qt::black},
        {6, u"¥30,000"_s, u"1回"_s, kWinColor},   {30, QString(), QString(), Qt::black},
        {31, u"-¥1,000"_s, u"1回"_s, kLossColor},
    };
    for (const Expected &e : cells) {
        SCOPED_TRACE(e.day);
        const DayCell c = w->Days->Cell(e.day);
        EXPECT_EQ(c.Balance, e.balance);
        EXPECT_EQ(c.Visits, e.visits);
        EXPECT_EQ(c.Fore, e.fore);
    }
    // Tints: none without visits, grey for a draw, deeper for larger amounts.
    EXPECT_EQ(w->Days->Cell(2).Back, QColor(Qt::white));
    const QColor draw = w->Days->Cell(5).Back;
    EXPECT_TRUE(draw.red() == draw.green() && draw.green() == draw.blue() && draw.red() < 255);
    const QColor small = w->Days->Cell(3).Back, big = w->Days->Cell(6).Back;
    EXPECT_EQ(big.blue(), 255);
    EXPECT_LT(big.red(), small.red());
    EXPECT_LT(small.red(), 255);
    const QColor loss = w->Days->Cell(1).Back;
    EXPECT_EQ(loss.red(), 255);
    EXPECT_LT(loss.green(), 255);

    EXPECT_EQ(w->HMonth->text(), u"12月の成績"_s);
    EXPECT_EQ(w->HSeiseki->text(), u"6戦 (2勝 3敗 1分)"_s);
    EXPECT_EQ(w->HShuushi->text(), u"収支 ¥30,500"_s);
    EXPECT_EQ(w->HShuushi->palette().color(QPalette::WindowText), kWinColor);
    EXPECT_EQ(w->HKaishuuRitsu->text(), u"回収率 155.5%"_s);
    EXPECT_EQ(w->HShouritsu->text(), u"勝率 33.3%"_s);
    EXPECT_TRUE(w->HUndated->isVisibleTo(w.get()));
    EXPECT_EQ(w->HUndated->text(), u"日付が空または正しくない記録 1件は含まれていません。"_s);

    // An empty month.
    w->ShowMonth(2026, 10, 1);
    EXPECT_EQ(w->HSeiseki->text(), u"0戦 (0勝 0敗 0分)"_s);
    EXPECT_EQ(w->HKaishuuRitsu->text(), u"回収率 —"_s);
    EXPECT_EQ(w->Days->Cell(1).Balance, QString());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(CalendarWindowTest, KeysButtonsAndPickersMoveTheDay)
{
    addBusyMonth();
    auto w = open();
    // The day, the page and the pickers move together.
    const auto at = [&](const QDate &d) {
        EXPECT_EQ(w->CurrentDate(), d);
        EXPECT_EQ(w->Days->SelectedDay(), d.day());
        EXPECT_EQ(w->Days->Grid().Month, d.month());
        EXPECT_EQ(w->JMonth->currentIndex(), d.month() - 1);
        EXPECT_EQ(w->JYear->value(), d.year());
    };
    const std::pair<Qt::Key, QDate> keys[] = {
        {Qt::Key_Right, {2026, 12, 7}},  {Qt::Key_Up, {2026, 11, 30}}, // across the month's start
        {Qt::Key_Right, {2026, 12, 1}},  {Qt::Key_Left, {2026, 11, 30}},
        {Qt::Key_Down, {2026, 12, 7}},   {Qt::Key_PageDown, {2027, 1, 7}}, // the year turns
        {Qt::Key_PageUp, {2026, 12, 7}}, {Qt::Key_Home, {2026, 12, 6}}};
    for (const auto &[key, date] : keys) {
        SCOPED_TRACE(date.toString(Qt::ISODate).toStdString());
        QTest::keyClick(w->Days, key);
        at(date);
    }

    // A month shorter than the chosen day keeps its last day, leap days included.
    w->ShowMonth(2024, 1, 31);
    QTest::keyClick(w->Days, Qt::Key_PageDown);
    at(QDate(2024, 2, 29));
    w->SNext_Click();
    at(QDate(2024, 3, 29));
    w->SPrev_Click();
    w->SPrev_Click();
    at(QDate(2024, 1, 29));
    w->JYear->setValue(1900);
    w->JMonth->setCurrentIndex(1);
    at(QDate(1900, 2, 28));
    w->SKongetsu_Click();
    at(QDate(2026, 12, 6));

    // The first day there is stays the first.
    w->ShowMonth(1, 1, 1);
    QTest::keyClick(w->Days, Qt::Key_Left);
    QTest::keyClick(w->Days, Qt::Key_PageUp);
    at(QDate(1, 1, 1));
}

TEST_F(CalendarWindowTest, ChosenDayListsItsVisits)
{
    addBusyMonth();
    auto w = open();
    EXPECT_EQ(w->HDay->text(), u"2026年12月6日 (日)"_s);
    EXPECT_EQ(w->HDaySum->text(), u"1回  収支 ¥30,000"_s);

    const QPointF third = w->Days->CellRect(w->Days->Grid().CellOf(3)).center();
    QTest::mouseClick(w->Days, Qt::LeftButton, {}, third.toPoint());
    EXPECT_EQ(w->CurrentDate(), QDate(2026, 12, 3));
    EXPECT_EQ(w->HDay->text(), u"2026年12月3日 (木)"_s);
    EXPECT_EQ(w->HDaySum->text(), u"2回  収支 ¥6,000"_s);
    const DataGrid &list = *w->DayList;
    ASSERT_EQ(list.Rows(), 3);
    EXPECT_EQ(row(list, 0),
              (QStringList{u"店名"_s, u"台名"_s, u"投資"_s, u"回収"_s, u"収支"_s, u"コメント"_s}));
    EXPECT_EQ(row(list, 1), (QStringList{u"パーラー銀河"_s, u"北斗"_s, u"12,000"_s, u"20,000"_s,
                                         u"8,000"_s, u"確変"_s}));
    EXPECT_EQ(row(list, 2), (QStringList{u"(不明)"_s, u"海物語"_s, u"4,000"_s, u"2,000"_s,
                                         u"-2,000"_s, QString()}));
    EXPECT_EQ(list.CellForeColorAt(1, 4), kWinColor);
    EXPECT_EQ(list.CellForeColorAt(2, 4), kLossColor);

    // A click outside the month's days changes nothing; an empty day empties the list.
    QTest::mouseClick(w->Days, Qt::LeftButton, {},
                      w->Days->CellRect(0).center().toPoint()); // a November cell
    EXPECT_EQ(w->CurrentDate(), QDate(2026, 12, 3));
    w->Days_Click(2);
    EXPECT_EQ(w->HDaySum->text(), u"来店の記録はありません"_s);
    EXPECT_EQ(list.Rows(), 1);
    w->Days_Click(5); // a draw is shown in black
    EXPECT_EQ(w->HDaySum->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(list.CellForeColorAt(1, 4), QColor(Qt::black));
}

TEST_F(CalendarWindowTest, LargestAmountsFitAtTheSmallestSize)
{
    // The largest loss the table can hold, as the month's only visit.
    add(2026, 12, 6, 2147483647, 0);
    auto w = open();
    w->resize(w->minimumSizeHint());
    QCoreApplication::processEvents();
    for (QLabel *l : {w->HMonth, w->HSeiseki, w->HShuushi, w->HKaishuuRitsu, w->HShouritsu, w->HDay,
                      w->HDaySum}) {
        SCOPED_TRACE(l->text().toStdString());
        EXPECT_GE(l->width(), l->sizeHint().width());
    }
    EXPECT_EQ(w->HShuushi->text(), u"収支 -¥2,147,483,647"_s);

    // Amounts beyond the table's: every one still fits its cell.
    CalendarGrid grid;
    ResultSum huge;
    huge.Visits = 32767;
    huge.Make = 32767;
    huge.Toushi = 99999999999;
    QList<DaySum> days;
    for (int d = 1; d <= 28; ++d)
        days.append(DaySum{QDate(2026, 2, d), huge, {}});
    grid.SetMonth(MakeMonthGrid(2026, 2), days, 0, QDate());
    grid.resize(grid.minimumSizeHint());
    grid.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.Cell(28).Balance, u"-¥99,999,999,999"_s);
    QFont font = UiFont(9);
    font.setPointSizeF(grid.AmountPointSize());
    font.setBold(true);
    EXPECT_LE(QFontMetricsF(font).horizontalAdvance(grid.Cell(28).Balance) + 8,
              grid.CellRect(grid.Grid().CellOf(28)).width());
    // Larger cells take larger text.
    const qreal smallest = grid.AmountPointSize();
    grid.resize(grid.minimumSizeHint() * 3);
    QCoreApplication::processEvents();
    EXPECT_GT(grid.AmountPointSize(), smallest);
}
