#pragma once
// A statistics window over a player made in memory, with the recording platform.

#include "drawing_lines.h"

#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "ui/statistics/toukei.h"
#include "ui/widgets/drawing_area.h"

#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

class ToukeiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform.today = QDate(2001, 12, 20);
        shared.states.Sound = true;
    }

    void add(qint16 y, qint16 m, qint16 d, qint32 toushi, qint32 kaishuu, qint16 store = 0,
             qint16 machine = 0, const QString &comment = QString())
    {
        ASSERT_TRUE(AddRecord(shared, y, m, d, toushi, kaishuu, store, machine, comment));
    }

    // Opens the window; the 500 ms timer that 表示 started is stopped, so that
    // tests run the default screen themselves.
    std::unique_ptr<Toukei> open()
    {
        auto w = std::make_unique<Toukei>(shared);
        w->show();
        w->GamenTimer->stop();
        platform.waits.clear();
        platform.sounds.clear();
        return w;
    }

    FakePlatform platform;
    SharedData shared{platform};
};
