// Start-up, the summary line, the save controls and the windows the menu opens.

#include "main_form_fixture.h"

#include "ui/master_editors/master_editor.h"
#include "ui/player_select/player_select.h"
#include "ui/widgets/picture_button.h"

#include <QListWidget>
#include <QTest>

TEST_F(MainFormTest, RememberedPlayerWithoutFileOpensSelectionOnce)
{
    // With nothing remembered (or a name the player-name rule refuses) the
    // same happens: HostilePlaces.ARememberedPlayerOutsideTheDataFolderIsNotOpened.
    remember(u"hanako"_s);
    form.Form_Activate();
    form.Form_Activate(); // a modal window closed: no second selection
    EXPECT_EQ(platform.modalWindows, QStringList{u"PSelect"_s});
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(shared.states.UserName, u""_s);
    EXPECT_FALSE(saveControlsEnabled());
    EXPECT_EQ(form.HKingaku->text(), u"¥0"_s);
}

TEST_F(MainFormTest, RememberedPlayerIsOpenedWithSettingsAndSummary)
{
    startWithTaro();
    EXPECT_TRUE(platform.modalWindows.isEmpty());
    EXPECT_FALSE(form.CSound->isChecked());
    EXPECT_FALSE(shared.states.Sound);
    EXPECT_EQ(checkedThresholds(), QList<int>{1});
    EXPECT_EQ(form.TitleName->text(), u"taro"_s);
    EXPECT_EQ(form.Seiseki->text(), u"4戦 (2勝 1敗 1分)"_s);
    EXPECT_EQ(form.HKingaku->text(), u"-¥9,200"_s);
    EXPECT_EQ(shared.Stores.SeekName(1), u"駅前店"_s);
    EXPECT_FALSE(saveControlsEnabled());
}

TEST_F(MainFormTest, ThresholdWithoutMenuItemShowsFirstItemChecked)
{
    QByteArray bytes = TaroFile();
    bytes.replace("\"WakeKin\",500", "\"WakeKin\",1600");
    WriteBytes(dir.file(u"taro.pcd"_s), bytes);
    remember(u"taro"_s);
    form.Form_Activate();
    EXPECT_EQ(shared.states.WakeKin, 1600); // used as it is
    EXPECT_EQ(checkedThresholds(), QList<int>{0});
    EXPECT_EQ(form.Seiseki->text(), u"4戦 (1勝 1敗 2分)"_s);
}

TEST_F(MainFormTest, ThresholdMenuChecksOneItemAndRecomputesOnly)
{
    startWithTaro();
    for (const bool modified : {false, true}) {
        shared.states.Corrected = modified;
        form.Form_Activate();
        form.WakeKin[3]->trigger();
        EXPECT_EQ(shared.states.WakeKin, 2000);
        EXPECT_EQ(checkedThresholds(), QList<int>{3});
        EXPECT_EQ(form.Seiseki->text(), u"4戦 (1勝 1敗 2分)"_s);
        EXPECT_EQ(shared.states.Corrected, modified);
        EXPECT_EQ(saveControlsEnabled(), modified);

        form.WakeKin[3]->trigger(); // choosing the checked item keeps it checked
        EXPECT_EQ(checkedThresholds(), QList<int>{3});
        form.WakeKin[0]->trigger();
        EXPECT_EQ(form.Seiseki->text(), u"4戦 (3勝 1敗 0分)"_s);
        form.WakeKin[6]->trigger();
        EXPECT_EQ(shared.states.WakeKin, 10000);
        EXPECT_EQ(form.Seiseki->text(), u"4戦 (0勝 1敗 3分)"_s);
        EXPECT_EQ(form.HKingaku->text(), u"-¥9,200"_s); // the total does not depend on it
    }
}

TEST_F(MainFormTest, RightClickOnSummaryShowsThresholdPopup)
{
    startWithTaro();
    EXPECT_EQ(form.CWakeKin->actions().first()->text(), u"引き分け設定"_s);
    EXPECT_FALSE(form.HTitle->isEnabled());
    EXPECT_TRUE(form.CWakeKin->actions().at(1)->isSeparator());

    QTest::mouseClick(form.Seiseki, Qt::LeftButton);
    EXPECT_FALSE(form.CWakeKin->isVisible());
    QTest::mouseClick(form.Seiseki, Qt::RightButton);
    EXPECT_TRUE(form.CWakeKin->isVisible());
    form.CWakeKin->hide();
}

TEST_F(MainFormTest, WithoutAPlayerEveryWindowOffersTheSelectionFirst)
{
    form.Form_Activate(); // selection cancelled: no player
    platform.modalWindows.clear();
    form.MInput_Click();
    form.MDisp_Click();
    form.MLMiseAdd_Click();
    form.MLDaiAdd_Click();
    for (QAction *item : {form.RInput, form.RDisp, form.RCalendar, form.RMonthlyChart,
                          form.RShuukei, form.FCsvExport, form.FCsvImport})
        item->trigger();
    // Cancelled each time: nothing else opens.
    EXPECT_EQ(platform.modalWindows, QStringList(11, u"PSelect"_s));
    EXPECT_TRUE(platform.fileDialogs.isEmpty());

    WriteBytes(dir.file(u"taro.pcd"_s), TaroFile());
    platform.modalWindows.clear();
    platform.onModal = [&](QObject &dialog) {
        if (auto *select = qobject_cast<PSelect *>(&dialog)) {
            select->PList->setCurrentRow(0);
            select->PSentaku_Click();
        }
        return int(QDialog::Accepted);
    };
    form.RInput->trigger();
    form.MDisp_Click(); // a player is open now: straight to the window
    EXPECT_EQ(platform.modalWindows, (QStringList{u"PSelect"_s, u"Nyuuryoku"_s, u"Toukei"_s}));
    EXPECT_EQ(shared.states.UserName, u"taro"_s);
}

TEST_F(MainFormTest, ButtonsOpenTheirWindowsAndActivationFollowsChanges)
{
    startWithTaro();
    QList<MasterEditor::Kind> kinds;
    platform.onModal = [&](QObject &dialog) {
        if (auto *editor = qobject_cast<MasterEditor *>(&dialog))
            kinds.append(editor->kind());
        shared.states.Corrected = true; // the window stored a change
        return int(QDialog::Accepted);
    };
    form.MLInput_Click();
    EXPECT_TRUE(saveControlsEnabled());
    form.MDisp_Click();
    form.MMiseAdd_Click();
    form.RDaiAdd->trigger();
    EXPECT_EQ(platform.modalWindows,
              (QStringList{u"Nyuuryoku"_s, u"Toukei"_s, u"MasterEditor"_s, u"MasterEditor"_s}));
    EXPECT_EQ(kinds,
              (QList<MasterEditor::Kind>{MasterEditor::Kind::MiseAdd, MasterEditor::Kind::DaiAdd}));
}

TEST_F(MainFormTest, PictureButtonPressedLookAndClickSound)
{
    form.Form_Activate(); // sound on with no player
    QTest::mousePress(form.MInput, Qt::LeftButton);
    EXPECT_TRUE(form.MInput->hasBorder());
    EXPECT_EQ(platform.sounds, QStringList{u"sentaku.wav"_s});
    QTest::mouseRelease(form.MInput, Qt::LeftButton);
    EXPECT_FALSE(form.MInput->hasBorder());

    form.CSound->trigger(); // sound effects off
    EXPECT_FALSE(shared.states.Sound);
    form.Form_Activate();
    EXPECT_FALSE(shared.states.Sound);
    QTest::mouseClick(form.MEnd, Qt::LeftButton);
    EXPECT_EQ(platform.sounds.size(), 1);
}

TEST_F(MainFormTest, OpeningAnotherPlayerShowsItsSettings)
{
    startWithTaro();
    WriteBytes(dir.file(u"jiro.pcd"_s), Cp932Lines(u"<States>\n\"Sound\",1\n\"WakeKin\",3000\n\n"
                                                   "<StoreData>\n\n<MachineData>\n\n<Data>\n\n"_s));
    platform.onModal = [&](QObject &dialog) {
        auto &select = dynamic_cast<PSelect &>(dialog);
        const auto found = select.PList->findItems(u"jiro"_s, Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1);
        select.PList->setCurrentItem(found.first());
        select.PSentaku_Click();
        return select.result();
    };
    form.TitleName_DblClick();
    EXPECT_EQ(platform.modalWindows, QStringList{u"PSelect"_s});
    EXPECT_EQ(shared.states.UserName, u"jiro"_s);
    EXPECT_EQ(checkedThresholds(), QList<int>{4});
    EXPECT_TRUE(form.CSound->isChecked());
    EXPECT_TRUE(shared.states.Sound);
    EXPECT_EQ(form.Seiseki->text(), u"0戦 (0勝 0敗 0分)"_s);
    EXPECT_FALSE(saveControlsEnabled());
}
