// The calendar window over a busy December, with the recording platform.

#include "core/model/data_change.h"
#include "core/model/shared_data.h"
#include "core/statistics/day_list_model.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "ui/app_font.h"
#include "ui/calendar/calendar_grid.h"
#include "ui/calendar/calendar_window.h"
#include "ui/calendar/year_box.h"
#include "ui/readable_colors.h"
#include "ui/result_colors.h"
#include "ui/tone_colors.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
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
        SetStores(shared, {{1, u"駅前ホール"_s}, {2, u"パーラー銀河"_s}});
        SetMachines(shared, {{1, u"海物語"_s}, {2, u"北斗"_s}});
    }

    void add(qint16 y, qint16 m, qint16 d, qint32 toushi, qint32 kaishuu, qint16 store = 1,
             qint16 machine = 1, const QString &comment = QString(), qint16 start = kNoTime,
             qint16 end = kNoTime)
    {
        PlayRecord r{y, m, d, toushi, kaishuu, store, machine, comment};
        r.startMinute = start;
        r.endMinute = end;
        ASSERT_TRUE(AddRecord(shared, r));
    }

    // December 2026: a loss, two visits on the 3rd (one of them past
    // midnight), a draw on Saturday the 5th, a big win on Sunday the 6th
    // (today), a loss of exactly the threshold on the 31st; one visit on each
    // side of the month; one undated.
    void addBusyMonth()
    {
        add(2026, 11, 30, 10000, 12000);
        add(2026, 12, 1, 10000, 5000, 1, 1, u"朝イチ"_s, 600, 780);
        add(2026, 12, 3, 12000, 20000, 2, 2, u"確変"_s, 1350, 60);
        add(2026, 12, 5, 3000, 3500, 1, 2, QString(), 900);
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

    // The day list as shown (sorted), row by row.
    static QStringList row(const QTableView &list, int r)
    {
        QStringList texts;
        for (int c = 0; c < list.model()->columnCount(); ++c)
            texts.append(list.model()->index(r, c).data().toString());
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
        const DayCell c = w->monthPage->Cell(e.day);
        EXPECT_EQ(c.Balance, e.balance);
        EXPECT_EQ(c.Visits, e.visits);
        EXPECT_EQ(c.Fore, e.fore);
    }
    EXPECT_EQ(w->monthPage->Cell(3).Tip, u"12月3日 (木)\n2回  収支 ¥6,000\n投資 ¥16,000  回収 "
                                         u"¥22,000\n稼働時間 2:30  時給 ¥3,200"_s);
    // Tints: none without visits, grey for a draw, deeper for larger amounts.
    const CalendarGrid &page = *w->monthPage;
    EXPECT_EQ(page.Cell(2).Back, QColor(Qt::white));
    const QColor draw = page.Cell(5).Back;
    EXPECT_TRUE(draw.red() == draw.green() && draw.green() == draw.blue() && draw.red() < 255);
    const QColor small = page.Cell(3).Back, big = page.Cell(6).Back;
    EXPECT_EQ(big.blue(), 255);
    EXPECT_LT(big.red(), small.red());
    EXPECT_LT(small.red(), 255);
    const QColor loss = page.Cell(1).Back;
    EXPECT_EQ(loss.red(), 255);
    EXPECT_LT(loss.green(), 255);

    // The month's figures; play time and the hourly result over the two
    // visits with both times (3:00 and 2:30, -5,000 and +8,000).
    const std::pair<QLabel *, QString> totals[] = {
        {w->monthTitle, u"12月の成績"_s}, {w->monthRecord, u"6戦 (2勝 3敗 1分)"_s},
        {w->monthBalance, u"¥30,500"_s},  {w->monthPayoutRatio, u"155.5%"_s},
        {w->monthWinRate, u"33.3%"_s},    {w->monthPlayTime, u"5:30"_s},
        {w->monthHourly, u"¥545"_s}};
    for (const auto &[label, text] : totals)
        EXPECT_EQ(label->text(), text);
    // Sums are amounts: plain above zero (red below, as the summary table shows them).
    for (QLabel *l : {w->monthBalance, w->monthHourly})
        EXPECT_EQ(l->palette().color(QPalette::WindowText),
                  w->palette().color(QPalette::WindowText));
    EXPECT_EQ(w->monthHourly->toolTip(),
              u"開始と終了の時刻がある来店 2回（6回のうち）の合計です。"_s);
    EXPECT_TRUE(w->undatedNote->isVisibleTo(w.get()));
    EXPECT_EQ(w->undatedNote->text(), u"日付が空または正しくない記録 1件は含まれていません。"_s);

    // An empty month.
    w->ShowMonth(2026, 10, 1);
    EXPECT_EQ(w->monthRecord->text(), u"0戦 (0勝 0敗 0分)"_s);
    for (QLabel *l : {w->monthPayoutRatio, w->monthPlayTime, w->monthHourly})
        EXPECT_EQ(l->text(), u"—"_s);
    EXPECT_EQ(w->monthPage->Cell(1).Balance, QString());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(CalendarWindowTest, KeysButtonsAndPickersMoveTheDay)
{
    addBusyMonth();
    auto w = open();
    // The day, the page and the pickers move together.
    const auto at = [&](const QDate &d) {
        EXPECT_EQ(w->CurrentDate(), d);
        EXPECT_EQ(w->monthPage->SelectedDay(), d.day());
        EXPECT_EQ(w->monthPage->Grid().Month, d.month());
        EXPECT_EQ(w->monthBox->currentIndex(), d.month() - 1);
        EXPECT_EQ(w->yearBox->value(), d.year());
    };
    const std::pair<Qt::Key, QDate> keys[] = {
        {Qt::Key_Right, {2026, 12, 7}},  {Qt::Key_Up, {2026, 11, 30}}, // across the month's start
        {Qt::Key_Right, {2026, 12, 1}},  {Qt::Key_Left, {2026, 11, 30}},
        {Qt::Key_Down, {2026, 12, 7}},   {Qt::Key_PageDown, {2027, 1, 7}}, // the year turns
        {Qt::Key_PageUp, {2026, 12, 7}}, {Qt::Key_Home, {2026, 12, 6}}};
    for (const auto &[key, date] : keys) {
        SCOPED_TRACE(date.toString(Qt::ISODate).toStdString());
        QTest::keyClick(w->monthPage, key);
        at(date);
    }

    // A month shorter than the chosen day keeps its last day, leap days included.
    w->ShowMonth(2024, 1, 31);
    QTest::keyClick(w->monthPage, Qt::Key_PageDown);
    at(QDate(2024, 2, 29));
    w->nextButton->click();
    at(QDate(2024, 3, 29));
    w->prevButton->click();
    w->prevButton->click();
    at(QDate(2024, 1, 29));
    w->yearBox->setValue(1900);
    w->monthBox->setCurrentIndex(1);
    at(QDate(1900, 2, 28));
    w->thisMonthButton->click();
    at(QDate(2026, 12, 6));

    // The first day there is stays the first.
    w->ShowMonth(1, 1, 1);
    QTest::keyClick(w->monthPage, Qt::Key_Left);
    QTest::keyClick(w->monthPage, Qt::Key_PageUp);
    at(QDate(1, 1, 1));
}

// The year as an input method commits it, in full-width digits; what is no
// year is refused with a message and the year stays.
TEST_F(CalendarWindowTest, YearBoxTakesTypedYearsAndRefusesTheRest)
{
    auto w = open();
    QApplication::setActiveWindow(w.get());
    const auto commit = [&](const QString &text) {
        w->yearBox->setFocus();
        w->yearBox->selectAll();
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(QGuiApplication::focusObject(), &event);
        QTest::keyClick(w->yearBox, Qt::Key_Return);
        QCoreApplication::processEvents();
    };
    commit(u"２０２３"_s);
    EXPECT_EQ(w->CurrentDate(), QDate(2023, 12, 6));
    EXPECT_EQ(w->yearBox->text(), u"2023年"_s);
    EXPECT_TRUE(platform.messages.isEmpty());

    for (const QString &wrong : {u"２０２３ａ"_s, u"0"_s, u"10000"_s, u"20.5"_s}) {
        SCOPED_TRACE(wrong.toStdString());
        platform.messages.clear();
        commit(wrong);
        EXPECT_EQ(w->CurrentDate(), QDate(2023, 12, 6));
        EXPECT_EQ(w->yearBox->text(), u"2023年"_s);
        EXPECT_EQ(platform.messages,
                  QList<RecordedMessage>{{u"年は1から9999までの数字で入力してください。"_s}});
    }
}

TEST_F(CalendarWindowTest, ChosenDayListsItsVisits)
{
    addBusyMonth();
    // The visit at パーラー銀河 on the 3rd with a rate and tags.
    PlayRecord detailed = shared.data.Record(3);
    detailed.rate = {PlayRate::Kind::Slot, 2000};
    detailed.tags = {u"並び"_s, u"イベント日"_s};
    QList<PlayRecord> records;
    for (qint32 n = 1; n <= shared.data.ListCount(); ++n)
        records.append(n == 3 ? detailed : shared.data.Record(n));
    ASSERT_TRUE(SetRecords(shared, records));
    auto w = open();
    QAbstractItemModelTester tester(w->dayModel,
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(w->dayTitle->text(), u"2026年12月6日 (日)"_s);
    EXPECT_EQ(w->daySummary->text(), u"1回  収支 ¥30,000"_s);

    const QPointF third = w->monthPage->CellRect(w->monthPage->Grid().CellOf(3)).center();
    QTest::mouseClick(w->monthPage, Qt::LeftButton, {}, third.toPoint());
    EXPECT_EQ(w->CurrentDate(), QDate(2026, 12, 3));
    EXPECT_EQ(w->dayTitle->text(), u"2026年12月3日 (木)"_s);
    EXPECT_EQ(w->daySummary->text(), u"2回  収支 ¥6,000  稼働時間 2:30  時給 ¥3,200"_s);
    const QTableView &list = *w->dayList;
    ASSERT_EQ(list.model()->rowCount(), 2);
    QStringList titles;
    for (int c = 0; c < DayListModel::kColumns; ++c)
        titles.append(list.model()->headerData(c, Qt::Horizontal).toString());
    EXPECT_EQ(titles, (QStringList{u"店名"_s, u"台名"_s, u"レート"_s, u"時間"_s, u"投資"_s,
                                   u"回収"_s, u"収支"_s, u"タグ"_s, u"コメント"_s}));
    const QStringList first{
        u"パーラー銀河"_s, u"北斗"_s,  u"20円スロット"_s,     u"22:30～01:00"_s, u"12,000"_s,
        u"20,000"_s,       u"8,000"_s, u"並び、イベント日"_s, u"確変"_s};
    const QStringList second{u"(不明)"_s, u"海物語"_s, QString(), QString(), u"4,000"_s,
                             u"2,000"_s,  u"-2,000"_s, QString(), QString()};
    EXPECT_FALSE(list.isColumnHidden(DayListModel::ColRate));
    EXPECT_FALSE(list.isColumnHidden(DayListModel::ColTags));
    EXPECT_EQ(row(list, 0), first);
    EXPECT_EQ(row(list, 1), second);
    const auto fore = [&](int r) {
        return list.model()->index(r, DayListModel::ColBalance).data(Qt::ForegroundRole);
    };
    EXPECT_EQ(fore(0), ToneColor(Tone::Win, list.palette()));
    EXPECT_EQ(fore(1), ToneColor(Tone::Loss, list.palette()));
    EXPECT_EQ(list.model()->index(0, DayListModel::ColToushi).data(Qt::TextAlignmentRole),
              QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter));

    // Sorted on the values, not on the texts: -2,000 before 8,000; the visit
    // without times after the one with them.
    w->dayList->sortByColumn(DayListModel::ColBalance, Qt::AscendingOrder);
    EXPECT_EQ(row(list, 0), second);
    w->dayList->sortByColumn(DayListModel::ColTime, Qt::AscendingOrder);
    EXPECT_EQ(row(list, 0), first);
    w->dayList->sortByColumn(DayListModel::ColTags, Qt::DescendingOrder); // none still last
    EXPECT_EQ(row(list, 0), first);

    // A click outside the month's days changes nothing; an empty day empties the list.
    QTest::mouseClick(w->monthPage, Qt::LeftButton, {},
                      w->monthPage->CellRect(0).center().toPoint()); // a November cell
    EXPECT_EQ(w->CurrentDate(), QDate(2026, 12, 3));
    w->ShowMonth(2026, 12, 2);
    EXPECT_EQ(w->daySummary->text(), u"来店の記録はありません"_s);
    EXPECT_EQ(list.model()->rowCount(), 0);
    w->ShowMonth(2026, 12, 5); // a draw; a start time only
    EXPECT_EQ(w->daySummary->text(), u"1回  収支 ¥500"_s);
    EXPECT_EQ(fore(0), QVariant());
    EXPECT_EQ(row(list, 0)[DayListModel::ColTime], u"15:00～"_s);
}

// Every change of the data shows at once, at the same day; the close button
// keeps its size whether or not the note beside it is shown.
TEST_F(CalendarWindowTest, FollowsDataChanges)
{
    add(2026, 12, 6, 1000, 0);
    add(0, 0, 0, 1000, 0);
    auto w = open();
    const int closeWidth = w->closeButton->width();
    EXPECT_EQ(w->monthPage->Cell(6).Balance, u"-¥1,000"_s);
    // No rates or tags recorded: the day list has no room for them.
    EXPECT_TRUE(w->dayList->isColumnHidden(DayListModel::ColRate));
    EXPECT_TRUE(w->dayList->isColumnHidden(DayListModel::ColTags));
    DataChange change;
    PlayRecord tagged{2026, 12, 6, 0, 2500, 2, 1, {}};
    tagged.tags = {u"新台"_s};
    change.records = QList<PlayRecord>{shared.data.Record(1), tagged};
    ASSERT_TRUE(ChangePlayerData(shared, change));
    EXPECT_TRUE(w->dayList->isColumnHidden(DayListModel::ColRate));
    EXPECT_FALSE(w->dayList->isColumnHidden(DayListModel::ColTags));
    EXPECT_EQ(w->CurrentDate(), QDate(2026, 12, 6));
    EXPECT_EQ(w->monthPage->Cell(6).Balance, u"¥1,500"_s);
    EXPECT_EQ(w->dayList->model()->rowCount(), 2);
    EXPECT_EQ(w->monthRecord->text(), u"2戦 (1勝 1敗 0分)"_s);
    EXPECT_FALSE(w->undatedNote->isVisibleTo(w.get()));
    QCoreApplication::processEvents();
    EXPECT_EQ(w->closeButton->width(), closeWidth);
    EXPECT_LE(w->closeButton->width(), w->closeButton->sizeHint().width() * 2);
}

TEST_F(CalendarWindowTest, EachAmountIsSizedOnItsOwn)
{
    // The largest loss the table can hold beside an ordinary win.
    add(2026, 12, 6, 2147483647, 0, 1, 1, {}, 600, 660);
    add(2026, 12, 7, 0, 5000);
    auto w = open();
    for (QLabel *l : {w->monthBalance, w->monthHourly})
        EXPECT_EQ(l->palette().color(QPalette::WindowText), kLossColor);
    w->resize(w->minimumSizeHint());
    QCoreApplication::processEvents();
    for (QLabel *l : {w->monthTitle, w->monthRecord, w->monthBalance, w->monthPayoutRatio,
                      w->monthWinRate, w->dayTitle, w->daySummary}) {
        SCOPED_TRACE(l->text().toStdString());
        EXPECT_GE(l->width(), l->sizeHint().width());
    }
    EXPECT_EQ(w->monthBalance->text(), u"-¥2,147,478,647"_s);

    // At the smallest size the huge day is written in 億, the exact figure in
    // its tooltip; the ordinary day keeps the size it has in a month of its own.
    const CalendarGrid &page = *w->monthPage;
    EXPECT_EQ(page.Amount(6).Text, u"-21.5億"_s);
    EXPECT_TRUE(page.Cell(6).Tip.contains(u"収支 -¥2,147,483,647"_s));
    const ShownAmount ordinary = page.Amount(7);
    EXPECT_EQ(ordinary.Text, u"¥5,000"_s);
    CalendarGrid alone;
    alone.SetMonth(MakeMonthGrid(2026, 12), {w->Sums().DaysOf(2026, 12).last()}, 0, QDate());
    alone.resize(page.size());
    alone.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(alone.Amount(7).Points, ordinary.Points);

    // Every amount fits its cell, large or small.
    for (const qreal scale : {1.0, 3.0}) {
        w->resize(w->minimumSizeHint() * scale);
        QCoreApplication::processEvents();
        for (qint32 day : {6, 7}) {
            QFont font = UiFont(9);
            font.setPointSizeF(page.Amount(day).Points);
            font.setBold(true);
            EXPECT_LE(QFontMetricsF(font).horizontalAdvance(page.Amount(day).Text) + 8,
                      page.CellRect(page.Grid().CellOf(day)).width());
        }
    }
    EXPECT_EQ(page.Amount(6).Text, u"-¥2,147,483,647"_s); // room enough when enlarged
}
