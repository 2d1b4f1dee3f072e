// The statistics window's conditions, totals block and result grid.

#include "toukei_fixture.h"

#include "core/statistics/selection.h"
#include "core/statistics/totals_text.h"
#include "support/player_data.h"
#include "ui/statistics/result_grid.h"
#include "ui/statistics/toukei_labels.h"
#include "ui/statistics/toukei_table.h"
#include "ui/twips.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QStringList column(const ResultGrid &grid, int col)
{
    QStringList out;
    for (int r = 1; r < grid.Rows(); ++r)
        out << grid.TextMatrix(r, col);
    return out;
}

QStringList row(const ResultGrid &grid, int r)
{
    QStringList out;
    for (int c = 0; c < grid.Cols(); ++c)
        out << grid.TextMatrix(r, c);
    return out;
}
} // namespace

TEST_F(ToukeiTest, OpensWithAllDataSelectedAndTheConditionsDisabled)
{
    SetStores(shared, {{5, u"駅前店"_s}, {2, u"本店"_s}});
    SetMachines(shared, {{1, u"海物語"_s}});
    add(2001, 3, 5, 10000, 12000, 5, 1);
    add(2002, 1, 6, 5000, 0, 2, 1);
    auto w = open();

    EXPECT_EQ(w->windowTitle(), u"るでら３  [統計表示]"_s);
    EXPECT_EQ(w->JSYear->text(), u"2001"_s);
    EXPECT_EQ(w->JSMonth->text(), u"12"_s);
    const auto items = [](const QComboBox *box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    };
    EXPECT_EQ(items(w->JStore), (QStringList{u"すべての店"_s, u"駅前店"_s, u"本店"_s}));
    EXPECT_EQ(items(w->JMachine), (QStringList{u"すべての台"_s, u"海物語"_s}));

    EXPECT_TRUE(w->SAll->isChecked());
    for (QWidget *c : std::initializer_list<QWidget *>{w->Jouken, w->JAll, w->J10, w->JStore,
                                                       w->JMachine, w->JSYear, w->JSMonth})
        EXPECT_FALSE(c->isEnabled());

    EXPECT_EQ(w->HGrid->Rows(), 3);
    EXPECT_EQ(column(*w->HGrid, 7), (QStringList{u"駅前店"_s, u"本店"_s}));
    EXPECT_EQ(w->HKikan->Caption(), u"2001/3/5 ～ 2002/1/6"_s);
    EXPECT_EQ(w->HGrid->Row(), 0);
    EXPECT_EQ(w->HGrid->Col(), 1);
}

TEST_F(ToukeiTest, LastTenRecordsThenTheChosenStore)
{
    SetStores(shared, {{3, u"C店"_s}, {2, u"B店"_s}, {1, u"A店"_s}});
    for (qint16 i = 1; i <= 25; ++i)
        add(2001, 1, i, 1000, 0, qint16(i % 3 + 1));
    auto w = open();

    w->SJouken->click();
    w->J10->click();
    w->JStore->setCurrentIndex(2); // B店, ID 2
    w->SHyouji->click();
    EXPECT_EQ(column(*w->HGrid, 2), (QStringList{u"16"_s, u"19"_s, u"22"_s, u"25"_s}));
    EXPECT_EQ(w->HSeiseki->Caption(), u"4戦 (0勝 4敗 0分)"_s);

    // 全データ ignores every condition again, without touching the controls.
    w->SAll->click();
    w->SHyouji->click();
    EXPECT_EQ(w->HGrid->Rows(), 26);
    EXPECT_EQ(w->JStore->currentIndex(), 2);
}

TEST_F(ToukeiTest, YearAndMonthConditions)
{
    add(2000, 12, 10, 1000, 0);
    add(2001, 11, 30, 1000, 0);
    add(2001, 12, 1, 1000, 0);
    add(2001, 12, 31, 1000, 0);
    add(2002, 12, 5, 1000, 0);
    auto w = open();
    w->SJouken->click();

    w->JMonth->click();
    w->SHyouji->click();
    EXPECT_EQ(column(*w->HGrid, 2), (QStringList{u"1"_s, u"31"_s}));
    EXPECT_EQ(w->HKikan->Caption(), u"2001/12/1 ～ 2001/12/31"_s);

    w->JYear->click();
    w->SHyouji->click();
    EXPECT_EQ(column(*w->HGrid, 1), (QStringList{u"11"_s, u"12"_s, u"12"_s}));
}

TEST_F(ToukeiTest, SpinLabelsStepAcrossYearEnds)
{
    auto w = open();
    w->SJouken->click();
    w->JMonth->click();
    ASSERT_TRUE(w->JSMonth->isEnabled());
    w->JSMonth->setText(u"1"_s);
    // Left counts down, any other button up; the month carries into the year.
    const struct {
        SpinLabel *Toukei::*spin;
        Qt::MouseButton button;
        QString year, month;
    } steps[] = {{&Toukei::JSMonth, Qt::LeftButton, u"2000"_s, u"12"_s},
                 {&Toukei::JSMonth, Qt::RightButton, u"2001"_s, u"1"_s},
                 {&Toukei::JSMonth, Qt::MiddleButton, u"2001"_s, u"2"_s},
                 {&Toukei::JSYear, Qt::LeftButton, u"2000"_s, u"2"_s},
                 {&Toukei::JSYear, Qt::RightButton, u"2001"_s, u"2"_s}};
    for (const auto &s : steps) {
        QTest::mousePress(w.get()->*s.spin, s.button);
        EXPECT_EQ(QStringList({w->JSYear->text(), w->JSMonth->text()}),
                  QStringList({s.year, s.month}));
    }

    // The year stays a four-digit year (below 1000 the table would read it as
    // "the last N records").
    w->JSYear->setText(u"1000"_s);
    w->JSMonth->setText(u"1"_s);
    w->JSMonth_MouseDown(1);
    w->JSYear_MouseDown(1);
    EXPECT_EQ(w->JSYear->text(), u"1000"_s);
    EXPECT_EQ(w->JSMonth->text(), u"1"_s);
}

TEST_F(ToukeiTest, OptionsEnableOnlyTheSpinsTheyUse)
{
    auto w = open();
    // Year spin and label, month spin and label, and the other conditions
    // (最近１０回 stands for them).
    const auto enabled = [&] {
        return QList<bool>{w->JSYear->isEnabled(), w->JSYearLabel->isEnabled(),
                           w->JSMonth->isEnabled(), w->JSMonthLabel->isEnabled(),
                           w->J10->isEnabled()};
    };
    const QList<bool> off{false, false, false, false, false};
    const QList<bool> none{false, false, false, false, true};
    const QList<bool> year{true, true, false, false, true};
    const QList<bool> all{true, true, true, true, true};
    // 全日 is selected at first; back through 全データ the spins follow the
    // option still selected.
    const std::pair<QRadioButton * Toukei::*, QList<bool>> steps[] = {
        {&Toukei::SJouken, none}, {&Toukei::JYear, year}, {&Toukei::JMonth, all},
        {&Toukei::J10, none},     {&Toukei::SAll, off},   {&Toukei::SJouken, none},
        {&Toukei::JMonth, all},   {&Toukei::SAll, off},   {&Toukei::SJouken, all}};
    for (int i = 0; i < int(std::size(steps)); ++i) {
        (w.get()->*steps[i].first)->click();
        EXPECT_EQ(enabled(), steps[i].second) << "step " << i;
    }
}

// The player's draw threshold reaches the counts (the rule itself: Classify).
TEST_F(ToukeiTest, TotalsAveragesAndThePlayersDrawThreshold)
{
    add(2001, 3, 5, 3000, 1001);
    add(2001, 3, 6, 3000, 0);
    add(2001, 3, 7, 4000, 0);
    shared.states.WakeKin = 3500;
    auto w = open();
    EXPECT_EQ(w->HSeiseki->Caption(), u"3戦 (0勝 1敗 2分)"_s);
    EXPECT_EQ(w->HKachikin->Caption(), u"-\\8,999"_s);
    EXPECT_EQ(w->HKachikin->text(), u"-¥8,999"_s);
    EXPECT_EQ(w->HToushi->Caption(), u"\\10,000"_s);
    EXPECT_EQ(w->HKaishuu->Caption(), u"\\1,001"_s);
    EXPECT_EQ(w->HToushiAve->Caption(), u"\\3,333"_s);
    EXPECT_EQ(w->HKaishuuAve->Caption(), u"\\334"_s); // 333.67
    EXPECT_EQ(AverageYen(5, 0), u"\\0"_s);
    EXPECT_EQ(SeisekiText(12, 30, 3), u"45戦 (12勝 30敗 3分)"_s);
}

// The texts are the model's (result_grid_model_test); here the colours as
// shown, also after a click on a title has sorted the rows.
TEST_F(ToukeiTest, GridRowsWithTheirColours)
{
    SetStores(shared, {{1, u"本店"_s}});
    add(2001, 3, 4, 10000, 8500, 1, 4, u"朝から"_s); // a Sunday
    add(2001, 3, 10, 1000, 1000, 7, 0);              // a Saturday
    add(2001, 3, 12, 4000, 1000, 1, 4);              // a Monday
    auto w = open();
    const ResultGrid &g = *w->HGrid;
    QAbstractItemModelTester tester(g.model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);

    EXPECT_EQ(row(g, 1).mid(3, 4), (QStringList{u"日"_s, u"10,000"_s, u"8,500"_s, u"-1,500"_s}));
    const QColor tint(249, 249, 255), white(255, 255, 255), red(255, 64, 64), blue(64, 64, 255);
    const QColor black(Qt::black);
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(g.CellBackColorAt(1, c), tint) << c;
        EXPECT_EQ(g.CellBackColorAt(2, c), white) << c;
        EXPECT_EQ(g.CellBackColorAt(3, c), tint) << c;
    }
    EXPECT_EQ(g.CellForeColorAt(1, 3), red);
    EXPECT_EQ(g.CellForeColorAt(1, 6), red);
    EXPECT_EQ(g.CellForeColorAt(1, 5), black);
    EXPECT_EQ(g.CellForeColorAt(2, 3), blue);
    EXPECT_EQ(g.CellForeColorAt(2, 6), black); // a balance of 0
    EXPECT_EQ(g.CellForeColorAt(3, 3), black);

    // By balance: the largest loss first, tinted as the first row.
    const QPoint title(w->HGrid->columnViewportPosition(6) + 5, 5);
    QTest::mouseClick(w->HGrid->horizontalHeader()->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(column(g, 6), (QStringList{u"-3,000"_s, u"-1,500"_s, u"0"_s}));
    EXPECT_EQ(g.TextMatrix(1, 3), u"月"_s);
    EXPECT_EQ(g.CellForeColorAt(1, 3), black);
    EXPECT_EQ(g.CellBackColorAt(1, 6), tint);
    EXPECT_EQ(g.CellBackColorAt(2, 6), white);

    // An empty selection afterwards: zero totals, and the 該当なし row white
    // and black.
    w->SJouken->click();
    w->JYear->click();
    w->JSYear->setText(u"1999"_s);
    w->SHyouji->click();
    EXPECT_EQ(w->HSeiseki->Caption(), u"0戦 (0勝 0敗 0分)"_s);
    EXPECT_EQ(w->HKachikin->text(), u"¥0"_s); // what the person sees
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(row(g, 1), (QStringList{u"該"_s, u"当"_s, u"な"_s, u"し"_s, {}, {}, {}, {}, {}, {}}));
    EXPECT_EQ(g.CellForeColorAt(1, 3), black);
    EXPECT_EQ(g.CellBackColorAt(1, 0), white);
}

TEST_F(ToukeiTest, TotalsTooLargeGiveAMessageAndAnEmptyResult)
{
    add(2001, 3, 4, 2000000000, 2000000000);
    add(2001, 3, 5, 2000000000, 2000000000);
    auto w = open();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text, SelectionTooLargeMessage());
    EXPECT_EQ(w->HToushi->Caption(), u"\\0"_s);
    EXPECT_EQ(w->HGrid->TextMatrix(1, 0), u"該"_s);
}

TEST_F(ToukeiTest, ColumnWidthsFollowTheWindowWidth)
{
    EXPECT_EQ(GridColWidths(9850),
              (QList<int>{500, 350, 350, 350, 800, 800, 900, 1600, 1600, 1800}));
    // 500 × 9100 / 9050 = 502.76…
    EXPECT_EQ(GridColWidths(9900)[0], 503);

    auto w = open();
    EXPECT_EQ(w->ColWidths(), GridColWidths(Toukei::kDefaultWidth));
    EXPECT_EQ(w->HGrid->width(), Twips(Toukei::kDefaultWidth - 400));
    for (int c = 0; c < 10; ++c) // the grid keeps whole pixels
        EXPECT_EQ(w->HGrid->ColWidth(c), w->ColWidths()[c]) << c;

    w->resize(1000, 800);
    EXPECT_EQ(w->ColWidths(), GridColWidths(15000));
    EXPECT_EQ(w->HGrid->width(), Twips(15000 - 400));
}
