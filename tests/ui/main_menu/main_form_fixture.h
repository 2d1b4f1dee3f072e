#pragma once
// A main window over a temporary data folder and the recording platform.

#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "support/test_files.h"
#include "ui/main_menu/main_form.h"
#include "ui/widgets/picture_button.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

// Player "taro": threshold 500, sound off, balances +5000, -16000, +300, +1500.
inline QByteArray TaroFile()
{
    return Cp932Lines(u"<States>\n\"Sound\",0\n\"WakeKin\",500\n\n"
                      "<StoreData>\n1,\"駅前店\"\n\n<MachineData>\n1,\"海物語\"\n\n<Data>\n"
                      "2001,5,3,10000,15000,1,1,\"\"\n"
                      "2001,5,6,20000,4000,1,1,\"負け\"\n"
                      "2001,5,7,10000,10300,1,1,\"\"\n"
                      "2001,5,8,1000,2500,1,1,\"\"\n\n"_s);
}

class MainFormTest : public ::testing::Test {
protected:
    void remember(const QString &name) { platform.settings[u"ledra3/Start/UserName"_s] = name; }

    // A window whose first activation has opened the remembered player taro.
    void startWithTaro()
    {
        WriteBytes(dir.file(u"taro.pcd"_s), TaroFile());
        remember(u"taro"_s);
        form.Form_Activate();
        ASSERT_EQ(shared.states.UserName, u"taro"_s);
    }

    // Changes the records in memory as the entry window would.
    void modify()
    {
        AddRecord(shared, 2001, 6, 1, 3000, 0, 1, 1, u""_s);
        shared.states.Corrected = true;
        form.Form_Activate();
    }

    bool saveControlsEnabled() const
    {
        const QColor colour = form.MLSave->palette().color(QPalette::WindowText);
        EXPECT_EQ(form.MSave->isEnabled(), form.FSave->isEnabled());
        EXPECT_EQ(colour, form.MSave->isEnabled() ? QColor(0, 0, 0) : QColor(128, 128, 128));
        return form.MSave->isEnabled();
    }

    QList<int> checkedThresholds() const
    {
        QList<int> checked;
        for (int i = 0; i < 7; ++i) {
            if (form.WakeKin[i]->isChecked())
                checked.append(i);
        }
        return checked;
    }

    TempDataFolder dir;
    FakePlatform platform;
    SharedData shared{platform, dir.folder()};
    MainForm form{shared};
};
