// The statistics window's screens, pauses, closing, clipboard, menus and size.

#include "toukei_fixture.h"

#include "support/player_data.h"
#include "ui/qt_platform.h"
#include "ui/statistics/result_grid.h"
#include "ui/statistics/screens.h"
#include "ui/statistics/toukei_labels.h"
#include "ui/twips.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
const QString kTitle = u"T 900,500 24 #008000 成　績"_s;
}

TEST_F(ToukeiTest, DisplayAndResultButtonsClearAndDrawHalfASecondLater)
{
    add(2001, 3, 5, 1000, 3000);
    auto w = open();
    EXPECT_EQ(w->GamenTimer->interval(), 500);

    w->SAdvice->click();
    EXPECT_TRUE(w->HGamen->HasPicture());
    EXPECT_NE(w->Screens().AdviceNo, 0);

    w->SSeiseki->click();
    EXPECT_TRUE(w->HGamen->Commands().isEmpty());
    EXPECT_FALSE(w->HGamen->HasPicture());
    EXPECT_TRUE(w->GamenTimer->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(w->HGamen->Commands().size(), 3, 3000);
    EXPECT_FALSE(w->GamenTimer->isActive());
    EXPECT_EQ(drawn(*w->HGamen)[0], kTitle);

    w->SAdvice->click();
    w->SHyouji->click();
    EXPECT_TRUE(w->HGamen->Commands().isEmpty());
    EXPECT_FALSE(w->HGamen->HasPicture());
    EXPECT_EQ(w->Screens().AdviceNo, 0);
    EXPECT_TRUE(w->GamenTimer->isActive());
}

// Each button draws the same as its routine called directly.
TEST_F(ToukeiTest, EveryScreenButtonDrawsItsScreen)
{
    SetStores(shared, {{1, u"本店"_s}, {2, u"駅前店"_s}});
    SetMachines(shared, {{1, u"海物語"_s}, {2, u"花の慶次"_s}});
    add(2001, 3, 4, 10000, 30000, 1, 1);
    add(2001, 3, 10, 20000, 5000, 2, 2);
    add(2001, 3, 12, 5000, 9000, 1, 2);
    const QList<std::pair<QPushButton * Toukei::*, void (StatScreens::*)()>> screens{
        {&Toukei::SGraph, &StatScreens::GamenWrite_Graph},
        {&Toukei::SGStore, &StatScreens::GamenWrite_RStore},
        {&Toukei::SGWStore, &StatScreens::GamenWrite_RStoreW},
        {&Toukei::SGMachine, &StatScreens::GamenWrite_RMachine},
        {&Toukei::SGWMachine, &StatScreens::GamenWrite_RMachineW},
        {&Toukei::SGDay, &StatScreens::GamenWrite_RYoubi},
        {&Toukei::SGShouhai, &StatScreens::GamenWrite_RShouhai},
        {&Toukei::SGWShouhai, &StatScreens::GamenWrite_RShouhaiW},
        {&Toukei::SAdvice, &StatScreens::GamenWrite_Advice},
    };
    auto byButton = open();
    auto direct = open();
    for (const auto &[button, routine] : screens) {
        (byButton.get()->*button)->click();
        (direct->Screens().*routine)();
        const QStringList expected = drawn(*direct->HGamen);
        EXPECT_FALSE(expected.isEmpty());
        EXPECT_EQ(drawn(*byButton->HGamen), expected)
            << (byButton.get()->*button)->text().toStdString();
        EXPECT_EQ(byButton->HGamen->HasPicture(), direct->HGamen->HasPicture());
    }
}

// 終了 in a single screen's pause: ToukeiModal below, with real pauses.
TEST_F(ToukeiTest, ClosingDuringAPauseStopsTheDrawing)
{
    add(2001, 3, 5, 1000, 3000);
    // A screen nested in the pause of another: both stop.
    auto v = open();
    int waitCount = 0;
    platform.onWait = [&](double) {
        if (++waitCount == 1)
            v->SGStore->click();
        else
            v->FEnd->trigger();
    };
    v->SGraph->click();
    EXPECT_FALSE(v->isVisible());
    EXPECT_TRUE(v->HGamen->Commands().isEmpty());
    EXPECT_EQ(waitCount, 2);

    // The timer of 表示 does not draw into a closed window.
    auto u = open();
    u->SSeiseki->click();
    u->TEnd->click();
    EXPECT_FALSE(u->GamenTimer->isActive());
    u->GamenTimer_Timer();
    EXPECT_TRUE(u->HGamen->Commands().isEmpty());
}

TEST_F(ToukeiTest, WindowDestroyedDuringAPause)
{
    add(2001, 3, 5, 1000, 3000);
    Toukei *w = open().release();
    int waitCount = 0;
    platform.onWait = [&](double) {
        ++waitCount;
        delete w;
    };
    w->SGWShouhai_Click();
    EXPECT_EQ(waitCount, 1);
}

TEST_F(ToukeiTest, CopyPutsTheSelectedCellsOnTheClipboard)
{
    add(2001, 3, 5, 1000, 3000);
    add(2001, 3, 6, 2000, 0);
    auto w = open();
    QGuiApplication::clipboard()->setText(u"old"_s);
    w->HGrid->SelectCells(1, 0, 2, 2);
    w->ECopy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"2001\t3\t5\r2001\t3\t6"_s);
    EXPECT_EQ(w->ECopy->text(), u"ｺﾋﾟｰ(&C)"_s);

    // Ctrl+C with the focus on the grid.
    QGuiApplication::clipboard()->clear();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->HGrid->setFocus();
    w->HGrid->SelectCells(2, 4, 2, 4);
    QTest::keyClick(w->HGrid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"2,000"_s);
}

TEST_F(ToukeiTest, SpreadsheetItemExplainsCopyAndPaste)
{
    auto w = open();
    w->FCSV->trigger();
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{
                  {u"Excelや1-2-3へのデータの出力はｺﾋﾟｰ&ﾍﾟｰｽﾄで簡単に行えます。"_s, u"説明"_s}}));
}

TEST_F(ToukeiTest, RightButtonOnTheGridOpensTheEditMenu)
{
    add(2001, 3, 5, 1000, 3000);
    auto w = open();
    const QPoint cell = w->HGrid->visualRect(w->HGrid->model()->index(0, 0)).center();
    QTest::mouseClick(w->HGrid->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_FALSE(w->Henshuu->isVisible());
    QTest::mouseClick(w->HGrid->viewport(), Qt::RightButton, {}, cell);
    EXPECT_TRUE(w->Henshuu->isVisible());
    w->Henshuu->close();
}

TEST_F(ToukeiTest, WindowIsCentredAndItsDrawingAreaScales)
{
    QWidget mainWindow;
    mainWindow.setGeometry(10, 10, 200, 150);
    mainWindow.show();
    auto w = std::make_unique<Toukei>(shared, &mainWindow);
    w->show();
    const QRect screen = w->screen()->availableGeometry();
    // Centred within the frame margins (known only once the window is shown).
    EXPECT_LE((w->geometry().center() - screen.center()).manhattanLength(), 8);
    EXPECT_GT((w->geometry().center() - mainWindow.geometry().center()).manhattanLength(), 100);
    EXPECT_EQ(w->HGamen->size(), TwipsSize(3495, 2355));
    const int gridHeight = w->HGrid->height();

    w->resize(1100, 900);
    const QSize g = w->HGamen->size();
    EXPECT_GT(g.width(), Twips(3495));
    EXPECT_NEAR(double(g.width()) / g.height(), 3495.0 / 2355.0, 0.01);
    EXPECT_GT(w->HGrid->height(), gridHeight);
    EXPECT_LE(w->HGamen->geometry().right(), w->width());
    EXPECT_LE(w->HGamen->geometry().bottom(), w->HGrid->geometry().top());

    // Maximised: the totals stay under the conditions, the drawing area and
    // the grid share the extra height.
    w->resize(1600, 1000);
    EXPECT_LE(w->Label27->y() - w->Jouken->geometry().bottom(), 20);
    const int extra = 1000 - TwipsSize(Toukei::kDefaultWidth, Toukei::kDefaultHeight).height();
    EXPECT_GT(w->HGamen->height() - Twips(2355), extra / 4);
    EXPECT_GT(w->HGrid->height() - gridHeight, extra / 4);
    EXPECT_EQ(w->HGrid->geometry().bottom() + 1, 1000 - 12);
}

// The real modal loop and real pauses: 終了 pressed while the result screen
// waits ends the window, and nothing more is drawn.
TEST(ToukeiModal, ClosingDuringARealPauseEndsTheWindow)
{
    QtPlatform real;
    SharedData shared(real);
    ASSERT_TRUE(AddRecord(shared, 2001, 3, 5, 1000, 3000, 0, 0, QString()));
    Toukei w(shared);
    // The result screen starts 500 ms after opening and then pauses 0.5 s.
    QTimer::singleShot(750, &w, [&w] { w.TEnd->click(); });
    EXPECT_EQ(real.ShowModal(w), QDialog::Rejected);
    ASSERT_EQ(w.HGamen->Commands().size(), 1);
    EXPECT_EQ(w.HGamen->Commands()[0].text, u"成　績"_s);
    EXPECT_FALSE(w.GamenTimer->isActive());
}
