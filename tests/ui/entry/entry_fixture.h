#pragma once
// An entry window over a fake platform, with helpers that act as the person
// would: enter a cell, type on the grid, read texts and colours.

#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/widgets/data_grid.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class EntryWindowTest : public ::testing::Test {
protected:
    EntryWindowTest()
    {
        shared.states.Sound = true; // refused keys are heard as "beep"
        SetStores(shared, {{3, QStringLiteral(u"駅前")}, {5, QStringLiteral(u"本町")}});
        SetMachines(shared, {{7, QStringLiteral(u"海物語")}});
    }

    void Open()
    {
        window = std::make_unique<Nyuuryoku>(shared);
        window->show();
        QCoreApplication::processEvents();
    }

    DataGrid &grid() { return *window->IGrid; }
    QString cell(int row, int col) { return grid().TextMatrix(row, col); }
    QStringList rowTexts(int row)
    {
        QStringList texts;
        for (int c = 0; c < grid().Cols(); ++c)
            texts << cell(row, c);
        return texts;
    }
    QRgb fore(int row, int col) { return color(row, col, Qt::ForegroundRole); }
    QRgb back(int row, int col) { return color(row, col, Qt::BackgroundRole); }
    QRgb color(int row, int col, int role)
    {
        return grid().model()->index(row - 1, col).data(role).value<QColor>().rgb();
    }

    // The person moves to a cell (click or cursor key).
    void enter(int row, int col)
    {
        grid().SetRow(row);
        grid().SetCol(col);
        window->IGrid_SelChange();
    }
    // Characters typed on the grid, as key events.
    void type(const QString &keys)
    {
        grid().setFocus();
        QTest::keyClicks(&grid(), keys);
    }
    void key(Qt::Key k) { QTest::keyClick(&grid(), k); }
    // Text an input method commits (to the grid, or the input box).
    void commit(const QString &text, QWidget *to = nullptr)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(to ? to : &grid(), &event);
    }
    qsizetype beeps() const { return platform.sounds.count(QStringLiteral(u"beep")); }

    void addRecord(qint16 y, qint16 m, qint16 d, qint32 toushi, qint32 kaishuu, qint16 sid = 0,
                   qint16 mid = 0, const QString &comment = QString())
    {
        ASSERT_TRUE(AddRecord(shared, y, m, d, toushi, kaishuu, sid, mid, comment));
    }

    FakePlatform platform;
    SharedData shared{platform};
    std::unique_ptr<Nyuuryoku> window;
};
