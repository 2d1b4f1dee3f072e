// The player selection dialog over a temporary data folder.

#include "core/file/player_name.h"
#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/test_files.h"
#include "ui/player_select/player_select.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
const QString kSetting = u"ledra3/Start/UserName"_s;
const QString kNewTitle = u"新規ユーザ入力"_s;

QStringList lines(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// A player with threshold 3000, sound off and one record of +800.
QByteArray playerFile()
{
    return Cp932Lines(u"<States>\n\"Sound\",0\n\"WakeKin\",3000\n\n<StoreData>\n1,\"S\"\n\n"
                      "<MachineData>\n\n<Data>\n2001,5,3,1000,1800,1,0,\"\"\n\n"_s);
}
} // namespace

class PSelectTest : public ::testing::Test {
protected:
    std::unique_ptr<PSelect> open()
    {
        return std::make_unique<PSelect>(shared, nullptr, [this] { ++marksShown; });
    }

    void select(PSelect &dialog, const QString &name)
    {
        const auto found = dialog.PList->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        dialog.PList->setCurrentItem(found.first());
    }

    TempDataFolder dir;
    FakePlatform platform;
    SharedData shared{platform, dir.folder()};
    int marksShown = 0;
};

TEST_F(PSelectTest, ListsPlayersByNameCutAtFirstDotAndOpensTheChosenOne)
{
    auto empty = open();
    EXPECT_EQ(empty->windowTitle(), u"プレイヤー選択"_s);
    EXPECT_EQ(empty->PList->count(), 0);
    empty->show();
    empty->PSentaku_Click(); // no line selected: nothing
    empty->PDel_Click();
    EXPECT_TRUE(empty->isVisible());
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_TRUE(platform.settings.empty());

    for (const QString &f : {u"zeta.pcd"_s, u"a.b.pcd"_s, u"山田.pcd"_s, u"alpha.pcd"_s,
                             u"alpha.Bak"_s, u"notes.txt"_s})
        WriteBytes(dir.file(f), QByteArray());
    WriteBytes(dir.file(u"a.pcd"_s), playerFile());
    QDir(dir.path()).mkdir(u"folder.pcd"_s);
    QDir(dir.path()).mkpath(u"backup/zeta"_s); // the dated copies are never listed
    WriteBytes(dir.file(u"backup/zeta/2026-01-01.pcd"_s), QByteArray());
    auto dialog = open();
    EXPECT_EQ(lines(dialog->PList), (QStringList{u"a"_s, u"alpha"_s, u"zeta"_s, u"山田"_s}));
    EXPECT_EQ(PSelect::DelKakuchou(u"a.b.pcd"_s), u"a"_s);
    EXPECT_EQ(PSelect::DelKakuchou(u"noext"_s), u"noext"_s);
    EXPECT_EQ(marksShown, 0);

    // The line "a" opens a.pcd, and the modified flag of the previous player goes.
    shared.states.Corrected = true;
    select(*dialog, u"a"_s);
    dialog->PList_DblClick();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(marksShown, 1);
    EXPECT_EQ(shared.states.UserName, u"a"_s);
    EXPECT_FALSE(shared.states.Corrected);
    EXPECT_EQ(shared.data.ListCount(), 1);
    // Its settings and totals: MainFormTest.OpeningAnotherPlayerShowsItsSettings and
    // RememberedPlayerIsOpenedWithSettingsAndSummary (the same OpenPlayer).
}

TEST_F(PSelectTest, StartPlayerIsRememberedOnlyWhenTicked)
{
    WriteBytes(dir.file(u"taro.pcd"_s), playerFile());
    // The box shows what was remembered; ticked or not, the choice is stored.
    for (const bool tick : {true, false}) {
        auto dialog = open();
        EXPECT_EQ(dialog->KidouCheck->isChecked(), !tick);
        dialog->KidouCheck->setChecked(tick);
        select(*dialog, u"taro"_s);
        dialog->PSentaku_Click();
        EXPECT_EQ(platform.settings[kSetting], tick ? u"taro"_s : u""_s);
    }
    {
        auto dialog = open();
        dialog->KidouCheck->setChecked(true);
        dialog->PCancel_Click(); // cancelling remembers nothing
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(platform.settings[kSetting], u""_s);
    }
}

TEST_F(PSelectTest, NewPlayerGetsNewPlayerFile)
{
    platform.inputAnswers = {QString(), u"abc"_s, u"abc"_s};
    auto dialog = open();
    WriteBytes(dir.file(u"late.pcd"_s), QByteArray());
    dialog->PNew_Click(); // the input box answers "" when cancelled: only a new list
    EXPECT_EQ(lines(dialog->PList), QStringList{u"late"_s});
    dialog->PNew_Click();
    ASSERT_EQ(platform.inputs.size(), 2);
    EXPECT_EQ(platform.inputs[1].prompt, u"新規ユーザ名を入力して下さい。"_s);
    EXPECT_EQ(platform.inputs[1].title, kNewTitle);
    EXPECT_EQ(platform.inputs[1].defaultText, u""_s);
    EXPECT_EQ(ReadBytes(dir.file(u"abc.pcd"_s)),
              Cp932Lines(u"<States>\n\"Sound\",1\n\"WakeKin\",0\n<StoreData>\n\n"
                         "<MachineData>\n\n<Data>\n\n"_s));
    EXPECT_EQ(lines(dialog->PList), (QStringList{u"abc"_s, u"late"_s}));
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(shared.states.UserName, u""_s); // listed, not opened

    WriteBytes(dir.file(u"abc.pcd"_s), playerFile());
    dialog->PNew_Click();
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"そのユーザは既に存在しています"_s, kNewTitle}}));
    EXPECT_EQ(ReadBytes(dir.file(u"abc.pcd"_s)), playerFile());
}

TEST_F(PSelectTest, NamesThatCannotBeFileNamesAreRefused)
{
    const QStringList refused = {u"  "_s,   u"a/b"_s,  u"a\\b"_s, u"a:b"_s, u"*"_s,
                                 u"wh?"_s,  u"a\"b"_s, u"<x"_s,   u"x>"_s,  u"a|b"_s,
                                 u"a\tb"_s, u"a\nb"_s, u"a.b"_s,  u".."_s};
    // The backslash shows as "＼": the Japanese font draws U+005C as "¥".
    const RecordedMessage refusal{u"このユーザ名は使えません。\r\n空白だけの名前や、次の文字を"
                                  u"含む名前は使えません： . / ＼ : * ? \" < > |"_s,
                                  kNewTitle};
    platform.inputAnswers = refused;
    platform.inputAnswers.append(QString(300, u'x')); // longer than a file name may be
    auto dialog = open();
    for (int i = 0; i <= refused.size(); ++i)
        dialog->PNew_Click();
    QList<RecordedMessage> expected(refused.size(), refusal);
    expected.append(RecordedMessage{u"ユーザのファイルを作成できませんでした"_s, kNewTitle});
    EXPECT_EQ(platform.messages, expected);
    EXPECT_EQ(dialog->PList->count(), 0);
    EXPECT_TRUE(QDir(dir.path())
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
    // The yen key gives U+00A5, which is a usable name.
    for (const QString &name : {u" 山田 太郎 "_s, u"player-1_(2)"_s, u"¥マン"_s})
        EXPECT_TRUE(IsUsablePlayerName(name)) << name.toStdString();
}

TEST_F(PSelectTest, DeleteAsksAndKeepsBackupButNotTheOpenPlayer)
{
    WriteBytes(dir.file(u"taro.pcd"_s), playerFile());
    WriteBytes(dir.file(u"taro.Bak"_s), playerFile());
    const QByteArray times = "ledra3 play times 1\r\n2001,5,3,1000,1800,1,0,1,1,10:00,11:00,\r\n";
    WriteBytes(dir.file(u"taro.times"_s), times);
    WriteBytes(dir.file(u"taro.times.Bak"_s), times);
    shared.states.UserName = u"taro"_s;
    auto dialog = open();
    select(*dialog, u"taro"_s);
    dialog->PDel_Click();
    const RecordedMessage inUse{u"'taro' は使用中のため削除できません。\r\n"
                                "別のプレーヤーを選択してから削除して下さい。"_s};
    EXPECT_EQ(platform.messages, QList<RecordedMessage>{inUse});
    EXPECT_TRUE(QFile::exists(dir.file(u"taro.pcd"_s)));

    shared.states.UserName = u"jiro"_s;
    platform.msgAnswers = {MsgResult::Cancel}; // then OK
    dialog->PDel_Click();
    const RecordedMessage question{
        u"'taro' を削除します。\r\nこのデータは失われます。よろしいですか？"_s, u"確認"_s,
        MsgButtons::OkCancel, MsgIcon::Exclamation};
    EXPECT_EQ(platform.messages, (QList<RecordedMessage>{inUse, question}));
    EXPECT_TRUE(QFile::exists(dir.file(u"taro.pcd"_s)));

    // Open in another running copy, whose next save would bring it back:
    // refused before the question.
    {
        FakePlatform elsewhere;
        SharedData other(elsewhere, dir.folder());
        ASSERT_TRUE(OpenPlayer(other, u"taro"_s).opened);
        dialog->PDel_Click();
        EXPECT_EQ(platform.messages,
                  (QList<RecordedMessage>{
                      inUse,
                      question,
                      {u"'taro' は、別に起動しているるでら３で使用中のため削除できません。"_s}}));
        EXPECT_TRUE(QFile::exists(dir.file(u"taro.pcd"_s)));
    }
    select(*dialog, u"taro"_s);
    dialog->PDel_Click();
    EXPECT_FALSE(QFile::exists(dir.file(u"taro.pcd"_s)));
    EXPECT_TRUE(QFile::exists(dir.file(u"taro.Bak"_s)));
    EXPECT_EQ(dialog->PList->count(), 0);
    // The play times went with it: a new player of the name starts clean.
    EXPECT_FALSE(QFile::exists(dir.file(u"taro.times"_s)));
    EXPECT_FALSE(QFile::exists(dir.file(u"taro.times.Bak"_s)));
    ASSERT_TRUE(PSelect::MakeFile(dir.file(u"taro.pcd"_s)));
    EXPECT_TRUE(OpenPlayer(shared, u"taro"_s).messages.isEmpty());
}

TEST_F(PSelectTest, PlacedBelowRightOfMainWindow)
{
    QWidget main;
    main.move(200, 150);
    PSelect dialog(shared, &main);
    EXPECT_EQ(dialog.pos(), main.frameGeometry().topLeft() + QPoint(Twips(1000), Twips(1000)));
}
