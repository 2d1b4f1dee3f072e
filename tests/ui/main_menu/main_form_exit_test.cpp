// Saving, the questions before data could be lost, and ending the program.

#include "main_form_fixture.h"

#include "ui/player_select/player_select.h"

#include <QDir>

namespace {
const QString kModified = u"データは更新されています。保存しますか？"_s;

// taro.pcd as a save writes it with the extra record of modify().
QByteArray TaroSaved()
{
    QByteArray bytes = TaroFile();
    return bytes.insert(bytes.size() - 2, "2001,6,1,3000,0,1,1,\"\"\r\n");
}

QList<RecordedMessage> question(const QString &title, MsgButtons buttons)
{
    return {{kModified, title, buttons, MsgIcon::Question}};
}

// Makes the next save fail: the user data file's name is taken by a folder.
void blockSaving(const QString &pcd)
{
    QFile::remove(pcd);
    QDir().mkdir(pcd);
}
} // namespace

TEST_F(MainFormTest, SaveKeepsPreviousFileAsBackup)
{
    startWithTaro();
    modify();
    EXPECT_TRUE(saveControlsEnabled());
    form.FSave->trigger();
    EXPECT_EQ(ReadBytes(u"taro.pcd"_s), TaroSaved());
    EXPECT_EQ(ReadBytes(u"taro.Bak"_s), TaroFile());
    EXPECT_FALSE(shared.states.Corrected);
    EXPECT_FALSE(saveControlsEnabled());

    shared.data.DataClear();
    shared.states.Corrected = true;
    form.MLSave_Click();
    EXPECT_EQ(ReadBytes(u"taro.Bak"_s), TaroSaved());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MainFormTest, SaveWithNothingModifiedIsSilent)
{
    startWithTaro();
    form.CSound->trigger(); // sound on, so a click sound would be heard
    form.WakeKin[6]->trigger();
    form.MLSave_Click();
    form.MSave_Click();
    EXPECT_TRUE(platform.sounds.isEmpty());
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(ReadBytes(u"taro.pcd"_s), TaroFile());
    EXPECT_FALSE(QFile::exists(u"taro.Bak"_s));
}

TEST_F(MainFormTest, FailedSaveKeepsDataModified)
{
    startWithTaro();
    modify();
    blockSaving(u"taro.pcd"_s);
    form.MSave_Click();
    ASSERT_EQ(platform.messages.size(), 1); // the save reports its own failure
    EXPECT_TRUE(shared.states.Corrected);
    EXPECT_TRUE(saveControlsEnabled());

    // Exit, Yes: the save fails again and the program keeps running.
    platform.msgAnswers = {MsgResult::Yes};
    form.MEnd_Click();
    EXPECT_FALSE(form.programHasEnded());
    // Title-bar close, OK: likewise.
    platform.msgAnswers = {MsgResult::Ok};
    EXPECT_FALSE(form.close());
    EXPECT_FALSE(form.programHasEnded());
}

TEST_F(MainFormTest, SaveWithoutPlayerWritesNoFile)
{
    form.Form_Activate();
    shared.states.Corrected = true;
    form.MSave_Click();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(QDir().entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_TRUE(shared.states.Corrected);
}

TEST_F(MainFormTest, ExitAnswers)
{
    startWithTaro();
    int endedSignals = 0;
    QObject::connect(&form, &MainForm::programEnded, [&] { ++endedSignals; });
    modify();

    platform.msgAnswers = {MsgResult::Cancel};
    form.MLEnd_Click();
    EXPECT_EQ(platform.messages, question(u"終了確認"_s, MsgButtons::YesNoCancel));
    EXPECT_FALSE(form.programHasEnded());
    EXPECT_TRUE(shared.states.Corrected);
    EXPECT_EQ(ReadBytes(u"taro.pcd"_s), TaroFile());

    platform.msgAnswers = {MsgResult::Yes};
    form.FEnd->trigger();
    EXPECT_TRUE(form.programHasEnded());
    EXPECT_EQ(endedSignals, 1);
    EXPECT_EQ(platform.messages.size(), 2); // ending asks nothing more
    EXPECT_EQ(ReadBytes(u"taro.pcd"_s), TaroSaved());
    EXPECT_EQ(ReadBytes(u"taro.Bak"_s), TaroFile());
}

TEST_F(MainFormTest, ExitAnsweredNoLeavesFileUnchanged)
{
    startWithTaro();
    modify();
    platform.msgAnswers = {MsgResult::No};
    form.MEnd_Click();
    EXPECT_TRUE(form.programHasEnded());
    EXPECT_EQ(ReadBytes(u"taro.pcd"_s), TaroFile());
    EXPECT_FALSE(QFile::exists(u"taro.Bak"_s));
}

TEST_F(MainFormTest, ExitWithoutChangesEndsAtOnce)
{
    startWithTaro();
    form.MEnd_Click();
    EXPECT_TRUE(form.programHasEnded());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MainFormTest, TitleBarCloseAnsweredOkSaves)
{
    startWithTaro();
    modify();
    platform.msgAnswers = {MsgResult::Ok};
    EXPECT_TRUE(form.close());
    EXPECT_EQ(platform.messages, question(u"終了確認"_s, MsgButtons::OkCancel));
    EXPECT_TRUE(form.programHasEnded());
    EXPECT_EQ(ReadBytes(u"taro.pcd"_s), TaroSaved());
}

TEST_F(MainFormTest, TitleBarCloseAnsweredCancelEndsWithoutSaving)
{
    startWithTaro();
    modify();
    platform.msgAnswers = {MsgResult::Cancel};
    EXPECT_TRUE(form.close());
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(form.programHasEnded());
    EXPECT_EQ(ReadBytes(u"taro.pcd"_s), TaroFile());
    EXPECT_FALSE(QFile::exists(u"taro.Bak"_s));
}

TEST_F(MainFormTest, ChangePlayerAsksFirst)
{
    startWithTaro();
    modify();
    platform.msgAnswers = {MsgResult::Cancel};
    form.FPSelect->trigger();
    EXPECT_EQ(platform.messages, question(u"ユーザ変更"_s, MsgButtons::YesNoCancel));
    EXPECT_TRUE(platform.modalWindows.isEmpty());

    platform.msgAnswers = {MsgResult::No};
    form.FPSelect->trigger();
    EXPECT_EQ(platform.modalWindows, QStringList{u"PSelect"_s});
    EXPECT_EQ(ReadBytes(u"taro.pcd"_s), TaroFile());
    EXPECT_TRUE(shared.states.Corrected); // cancelled selection: still modified

    platform.msgAnswers = {MsgResult::Yes};
    form.FPSelect->trigger();
    EXPECT_EQ(platform.modalWindows.size(), 2);
    EXPECT_EQ(ReadBytes(u"taro.pcd"_s), TaroSaved());
}

TEST_F(MainFormTest, ChangePlayerStopsWhenSaveFails)
{
    startWithTaro();
    modify();
    blockSaving(u"taro.pcd"_s);
    platform.msgAnswers = {MsgResult::Yes};
    form.FPSelect_Click();
    EXPECT_TRUE(platform.modalWindows.isEmpty());
    EXPECT_TRUE(shared.states.Corrected);
}
