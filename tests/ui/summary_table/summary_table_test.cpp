// The summary table window: its texts and colours, the totals row pinned below
// the rows, sorting by a header click, copying, the date boxes, and following
// changes of the data. (monthly_chart_test opens it from the main menu.)

#include "core/model/data_change.h"
#include "core/statistics/summary_model.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "support/summary_sample.h"
#include "ui/summary_table/summary_table.h"
#include "ui/summary_table/summary_view.h"
#include "ui/tone_colors.h"
#include "ui/widgets/date_box.h"
#include "ui/widgets/grid_cell_delegate.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
class SummaryTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillSummarySample(shared);
        open();
    }

    void open()
    {
        window = std::make_unique<Shuukei>(shared);
        window->show();
        QCoreApplication::processEvents();
    }

    QTableView &body() const { return *window->SGrid->Body(); }
    QTableView &totals() const { return *window->SGrid->Pinned(); }

    static QStringList column(const QTableView &view, int c)
    {
        QStringList out;
        for (int r = 0; r < view.model()->rowCount(); ++r)
            out.append(view.model()->index(r, c).data().toString());
        return out;
    }

    void clickHeader(int c)
    {
        QHeaderView *header = body().horizontalHeader();
        const QPoint at(header->sectionViewportPosition(c) + header->sectionSize(c) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    FakePlatform platform;
    SharedData shared{platform};
    std::unique_ptr<Shuukei> window; // made in SetUp, over the sample
};

TEST_F(SummaryTableTest, TotalsPinnedBelowTheRowsFollowSortingAndFiltering)
{
    using Tester = QAbstractItemModelTester;
    Tester rowsTester(body().model(), Tester::FailureReportingMode::Fatal);
    Tester totalsTester(totals().model(), Tester::FailureReportingMode::Fatal);
    EXPECT_EQ(body().model()->headerData(ColGroup, Qt::Horizontal).toString(), u"月"_s);
    EXPECT_EQ(column(body(), ColGroup),
              (QStringList{u"2025年12月"_s, u"2026年01月"_s, u"2026年02月"_s}));
    EXPECT_EQ(column(body(), ColBalance), (QStringList{u"¥15,000"_s, u"-¥5,500"_s, u"¥0"_s}));
    EXPECT_EQ(column(totals(), ColBalance), QStringList{u"¥9,500"_s});
    EXPECT_TRUE(totals().font().bold());

    // Losses red, others in the view's text colour.
    const QPalette &p = body().palette();
    const auto fore = [](const QTableView &v, int r, int c) {
        return v.model()->index(r, c).data(Qt::ForegroundRole);
    };
    EXPECT_EQ(fore(body(), 1, ColBalance), ToneColor(Tone::Loss, p));
    EXPECT_FALSE(fore(body(), 0, ColBalance).isValid());
    // One shade on every row and in the totals, readable on both backgrounds
    // of the rows where they differ much (qt6ct's darker scheme).
    QPalette dark = p;
    dark.setColor(QPalette::Base, QColor(0x3d3d3d));
    dark.setColor(QPalette::AlternateBase, QColor(0x5c5b5a));
    body().setPalette(dark);
    totals().setPalette(dark);
    const QColor loss = fore(body(), 1, ColWorst).value<QColor>();
    EXPECT_EQ(fore(totals(), 0, ColWorst).value<QColor>(), loss);
    for (const QPalette::ColorRole back : {QPalette::Base, QPalette::AlternateBase})
        EXPECT_GE(ContrastRatio(loss, dark.color(back)), kReadableContrast);
    body().setPalette(p);
    totals().setPalette(p);

    // Sorting moves the rows only; the totals stay apart.
    clickHeader(ColBalance);
    EXPECT_EQ(column(body(), ColGroup),
              (QStringList{u"2026年01月"_s, u"2026年02月"_s, u"2025年12月"_s}));
    EXPECT_EQ(column(totals(), ColGroup), QStringList{u"合計"_s});

    // By weekday: Saturday blue, Sunday red; the sort by 収支 holds.
    window->SGroup->setCurrentIndex(int(SummaryGrouping::Weekday));
    EXPECT_EQ(column(body(), ColGroup), (QStringList{u"土曜日"_s, u"日曜日"_s, u"火曜日"_s}));
    EXPECT_EQ(fore(body(), 0, ColGroup), ToneColor(Tone::Saturday, p));
    EXPECT_EQ(fore(body(), 1, ColGroup), ToneColor(Tone::Sunday, p));

    // By tag, the last choice: the sample's visits have none.
    window->SGroup->setCurrentIndex(window->SGroup->count() - 1);
    EXPECT_EQ(window->Grouping(), SummaryGrouping::Tag);
    EXPECT_EQ(column(body(), ColGroup), QStringList{u"タグなし"_s});
    EXPECT_EQ(body().model()->headerData(ColSpinRate, Qt::Horizontal).toString(),
              u"回転率(回/千円)"_s);

    // The totals follow the conditions, down to a table without rows.
    window->SGroup->setCurrentIndex(int(SummaryGrouping::Store));
    window->SStore->setCurrentIndex(2); // 銀河
    EXPECT_EQ(column(body(), ColGroup), QStringList{u"銀河"_s});
    EXPECT_EQ(column(totals(), ColVisits), QStringList{u"1"_s});
    window->SKikan->click();
    window->SFrom->setDate(QDate(2026, 2, 1));
    EXPECT_EQ(body().model()->rowCount(), 0);
    EXPECT_EQ(column(totals(), ColVisits), QStringList{u"0"_s});
}

TEST_F(SummaryTableTest, CopiesPlainNumbersAsTheCsvWritesThem)
{
    clickHeader(ColToushi);
    clickHeader(ColToushi);
    EXPECT_EQ(column(body(), ColGroup),
              (QStringList{u"2026年01月"_s, u"2025年12月"_s, u"2026年02月"_s}));
    // Rows 1..2, columns 収支..回収率 of the order shown.
    body().selectionModel()->select(QItemSelection(body().model()->index(0, ColBalance),
                                                   body().model()->index(1, ColPayoutRatio)),
                                    QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(&body(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"-5500\t80.4\r15000\t250.0"_s);

    window->EAllCopy_Click();
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\r');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith(u"月\t来店回数\t勝\t敗\t分\t勝率(%)\t投資\t"_s));
    EXPECT_TRUE(lines[1].startsWith(u"2026年01月\t3\t"_s));
    EXPECT_EQ(lines[4],
              u"合計\t5\t2\t1\t2\t40.0\t43000\t52500\t9500\t122.1\t1900\t15000\t-8000\t\t\t\t"_s);
    EXPECT_EQ(window->ShownRows().first().Label, u"2026年01月"_s);
}

TEST_F(SummaryTableTest, DateBoxesTakeDatesTypedAsTheyShowThem)
{
    window->SKikan->click();
    DateBox &box = *window->SFrom;
    const struct {
        QString typed;
        bool inputMethod; // committed by an input method, else typed key by key
        QDate date;
        bool all = false; // typed over the whole text, selected with Ctrl+A
    } cases[] = {
        {u"2024/02/29"_s, false, QDate(2024, 2, 29)},  // the year fills its section
        {u"2023/12/30"_s, false, QDate(2023, 12, 30)}, // the month too
        {u"2024/2/9"_s, false, QDate(2024, 2, 9)},     // no month 2x: on to the day
        {u"2024/1/31"_s, false, QDate(2024, 1, 31)},   // 1 may be 1x: "/" moves on
        {u"2022-3-5"_s, false, QDate(2022, 3, 5)},
        {u"２０２１／１１／０３"_s, false, QDate(2021, 11, 3)},
        {u"２０２３・１２・３０"_s, true, QDate(2023, 12, 30)}, // "/" in kana mode
        {u"20240229"_s, false, QDate(2024, 2, 29), true},
        {u"２０２３・１・５"_s, true, QDate(2023, 1, 5), true},
        {u"２０２４／０２／２９"_s, true, QDate(2024, 2, 29)},
    };
    for (const auto &c : cases) {
        box.setDate(QDate(2025, 12, 30));
        box.setSelectedSection(QDateTimeEdit::YearSection);
        if (c.all)
            QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        else if (c.inputMethod) // as a click leaves it: the cursor inside the year
            box.findChild<QLineEdit *>()->setCursorPosition(2);
        if (c.inputMethod) {
            QInputMethodEvent preedit(c.typed, {});
            QApplication::sendEvent(&box, &preedit);
            QInputMethodEvent commit;
            commit.setCommitString(c.typed);
            QApplication::sendEvent(&box, &commit);
        }
        for (const QChar ch : c.inputMethod ? QString() : c.typed) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(&box, &key);
        }
        EXPECT_EQ(box.date(), c.date) << c.typed.toStdString();
    }
    EXPECT_EQ(window->Filter().From, QDate(2024, 2, 29));
}

TEST_F(SummaryTableTest, FollowsChangesOfTheData)
{
    window->SStore->setCurrentIndex(1); // 駅前
    QList<PlayRecord> records;
    for (qint32 n = 1; n <= shared.data.ListCount(); ++n)
        records.append(shared.data.Record(n));
    records.append({2026, 2, 2, 1000, 0, 1, 1, {}});
    ASSERT_TRUE(ChangePlayerData(shared, {records, {}, {}}));
    EXPECT_EQ(window->SStore->currentText(), u"駅前"_s);
    EXPECT_EQ(column(totals(), ColVisits), QStringList{u"3"_s});
}

TEST_F(SummaryTableTest, ColumnsFitTheirTextsAndTheTotalsStayInSight)
{
    // By store and machine, the default size needs no horizontal scrolling.
    window->SGroup->setCurrentIndex(int(SummaryGrouping::StoreMachine));
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->SGrid->ScrollBar()->isVisible());

    // 27 years of months with 10-digit amounts: every number whole in its
    // column, and the totals below the rows within the window.
    QList<PlayRecord> records;
    for (int m = 0; m < 324; ++m) {
        const qint32 toushi = m % 2 == 0 ? 1'999'999'999 : 0; // losses and wins by turns
        records.append({qint16(2000 + m / 12),
                        qint16(1 + m % 12),
                        1,
                        toushi,
                        1'999'999'999 - toushi,
                        1,
                        1,
                        {}});
    }
    ASSERT_TRUE(SetRecords(shared, records));
    window.reset();
    open();
    ASSERT_EQ(body().model()->rowCount(), 324);
    const QRect inWindow(totals().mapTo(window.get(), QPoint(0, 0)), totals().size());
    EXPECT_TRUE(window->rect().contains(inWindow));
    EXPECT_TRUE(totals().isVisible());
    for (const QTableView *view : {&body(), &totals()}) {
        const QFontMetrics metrics(view->font());
        for (int c = ColVisits; c < kSummaryColumns; ++c) {
            const QString text = view->model()->index(0, c).data().toString();
            const auto fit = GridCellDelegate::FitText(metrics, text, view->columnWidth(c));
            EXPECT_TRUE(fit.whole) << text.toStdString();
        }
    }
}
} // namespace
