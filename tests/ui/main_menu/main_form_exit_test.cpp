// Saving, the questions before data could be lost, and ending the program.

#include "main_form_fixture.h"

#include "support/player_data.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/widgets/data_grid.h"

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

// One way of ending the program: the 終了 button, the menu item or the
// title bar's close, with or without modified data, and the answer given.
struct ExitCase {
    enum How { Button, Menu, TitleBar } how;
    bool modified;
    MsgResult answer;
    bool ends, saves;
};

class MainFormExitTest : public MainFormTest, public ::testing::WithParamInterface<ExitCase> {};
} // namespace

TEST_F(MainFormTest, SaveKeepsPreviousFileAsBackupAndOnlyModifiedDataAreSaved)
{
    startWithTaro();
    modify();
    EXPECT_TRUE(saveControlsEnabled());
    form.FSave->trigger();
    EXPECT_EQ(ReadBytes(dir.file(u"taro.pcd"_s)), TaroSaved());
    EXPECT_EQ(ReadBytes(dir.file(u"taro.Bak"_s)), TaroFile());
    EXPECT_FALSE(shared.states.Corrected);
    EXPECT_FALSE(saveControlsEnabled());

    // The sound and threshold settings alone are no modification: a save
    // then does nothing, not even a click sound.
    form.CSound->trigger(); // sound on
    form.WakeKin[6]->trigger();
    form.MLSave_Click();
    form.MSave_Click();
    EXPECT_TRUE(platform.sounds.isEmpty());
    EXPECT_EQ(ReadBytes(dir.file(u"taro.pcd"_s)), TaroSaved());
    EXPECT_EQ(ReadBytes(dir.file(u"taro.Bak"_s)), TaroFile());

    SetRecords(shared, {});
    shared.states.Corrected = true;
    form.MLSave_Click();
    EXPECT_EQ(platform.sounds, QStringList{u"sentaku.wav"_s});
    EXPECT_EQ(ReadBytes(dir.file(u"taro.Bak"_s)), TaroSaved());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MainFormTest, AFailedSaveKeepsTheProgramAndThePlayer)
{
    // The failure's message and the files kept: SaveFaultTest.PlayerFileReplacedByAFolder.
    startWithTaro();
    modify();
    QFile::remove(dir.file(u"taro.pcd"_s)); // a folder in the file's place makes every save fail
    QDir(dir.path()).mkdir(u"taro.pcd"_s);
    platform.msgAnswers = {MsgResult::Yes}; // exit: save first
    form.MEnd_Click();
    platform.msgAnswers = {MsgResult::Ok}; // title-bar close: save first
    EXPECT_FALSE(form.close());
    platform.msgAnswers = {MsgResult::Yes}; // another player: save first
    form.FPSelect_Click();
    EXPECT_FALSE(form.programHasEnded());
    EXPECT_TRUE(platform.modalWindows.isEmpty());
    EXPECT_TRUE(shared.states.Corrected);
    EXPECT_TRUE(saveControlsEnabled());
    EXPECT_EQ(platform.messages.size(), 6); // each question and its failed save
}

TEST_F(MainFormTest, TextTheFileCannotHoldIsNamedThenReplacedOrShown)
{
    // Another program wrote a comment as UTF-8: "！" reads back as a character
    // that code page 932 has no code for.
    WriteBytes(dir.file(u"taro.pcd"_s),
               TaroFile().replace("\"\x95\x89\x82\xAF\"", "\"\xEF\xBC\x81\""));
    remember(u"taro"_s);
    form.Form_Activate();
    EXPECT_TRUE(platform.messages.isEmpty());
    modify();
    const QByteArray before = ReadBytes(dir.file(u"taro.pcd"_s));
    const RecordedMessage question{
        u"2行目（2001/05/06 の記録）のコメントに、ファイルに書けない文字「\uFFFD」（U+FFFD）が"
        u"あります。\r\n\r\n「はい」：書けない文字を「？」に置き換えて保存します。\r\n"
        u"「いいえ」：保存せずに、データ入力でこの行を表示します。\r\n「キャンセル」：保存し"
        u"ません。"_s,
        u"保存確認"_s, MsgButtons::YesNoCancel, MsgIcon::Exclamation};
    int shownRow = -1;
    platform.onModal = [&](QObject &dialog) {
        shownRow = static_cast<Nyuuryoku &>(dialog).IGrid->Row();
        return int(QDialog::Rejected);
    };
    for (const MsgResult answer : {MsgResult::Cancel, MsgResult::No}) {
        platform.messages.clear();
        platform.msgAnswers = {answer};
        form.MSave_Click();
        EXPECT_EQ(platform.messages, QList<RecordedMessage>{question});
        EXPECT_EQ(ReadBytes(dir.file(u"taro.pcd"_s)), before);
        EXPECT_TRUE(shared.states.Corrected);
    }
    EXPECT_EQ(platform.modalWindows, QStringList{u"Nyuuryoku"_s});
    EXPECT_EQ(shownRow, 2);

    platform.msgAnswers = {MsgResult::Yes};
    form.MSave_Click();
    EXPECT_FALSE(shared.states.Corrected);
    EXPECT_EQ(shared.data.Record(2).DComment.left(1), u"？"_s);
    EXPECT_TRUE(ReadBytes(dir.file(u"taro.pcd"_s)).contains("\"\x81\x48"));
}

TEST_F(MainFormTest, SaveWithoutPlayerWritesNoFile)
{
    form.Form_Activate();
    shared.states.Corrected = true;
    form.MSave_Click();
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"プレーヤーが選択されていないため保存できません。\r\n"
                                       "プレーヤーを選択して下さい。"_s}}));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_TRUE(shared.states.Corrected);
}

TEST_P(MainFormExitTest, TheAnswerDecidesSavingAndEnding)
{
    const ExitCase &c = GetParam();
    startWithTaro();
    int endedSignals = 0;
    QObject::connect(&form, &MainForm::programEnded, [&] { ++endedSignals; });
    if (c.modified)
        modify();
    platform.msgAnswers = {c.answer};
    switch (c.how) {
    case ExitCase::Button: form.MLEnd_Click(); break;
    case ExitCase::Menu: form.FEnd->trigger(); break;
    case ExitCase::TitleBar: EXPECT_TRUE(form.close()); break;
    }
    const bool titleBar = c.how == ExitCase::TitleBar;
    EXPECT_EQ(platform.messages, c.modified
                                     ? question(u"終了確認"_s, titleBar ? MsgButtons::OkCancel
                                                                        : MsgButtons::YesNoCancel)
                                     : QList<RecordedMessage>());
    EXPECT_EQ(form.programHasEnded(), c.ends);
    EXPECT_EQ(endedSignals, c.ends ? 1 : 0);
    EXPECT_EQ(shared.states.Corrected, c.modified && !c.saves);
    EXPECT_EQ(ReadBytes(dir.file(u"taro.pcd"_s)), c.saves ? TaroSaved() : TaroFile());
    EXPECT_EQ(QFile::exists(dir.file(u"taro.Bak"_s)), c.saves);
    if (c.saves) {
        EXPECT_EQ(ReadBytes(dir.file(u"taro.Bak"_s)), TaroFile());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, MainFormExitTest,
    ::testing::Values(ExitCase{ExitCase::Button, true, MsgResult::Cancel, false, false},
                      ExitCase{ExitCase::Menu, true, MsgResult::Yes, true, true},
                      ExitCase{ExitCase::Menu, true, MsgResult::No, true, false},
                      ExitCase{ExitCase::Button, false, MsgResult::Cancel, true, false},
                      ExitCase{ExitCase::TitleBar, true, MsgResult::Ok, true, true},
                      ExitCase{ExitCase::TitleBar, true, MsgResult::Cancel, true, false}));

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
    EXPECT_EQ(ReadBytes(dir.file(u"taro.pcd"_s)), TaroFile());
    EXPECT_TRUE(shared.states.Corrected); // cancelled selection: still modified

    platform.msgAnswers = {MsgResult::Yes};
    form.FPSelect->trigger();
    EXPECT_EQ(platform.modalWindows.size(), 2);
    EXPECT_EQ(ReadBytes(dir.file(u"taro.pcd"_s)), TaroSaved());
}
