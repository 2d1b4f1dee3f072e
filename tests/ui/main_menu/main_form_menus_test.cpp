// Menus, the home page and the version dialog.

#include "main_form_fixture.h"

#include "ui/main_menu/about.h"
#include "ui/twips.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryFile>

TEST_F(MainFormTest, MenusCarryTheirCaptionsAndShortcut)
{
    QStringList titles;
    for (QAction *a : form.menuBar()->actions())
        titles.append(a->text());
    EXPECT_EQ(titles, (QStringList{u"ﾌｧｲﾙ(&F)"_s, u"ﾒﾆｭｰ(&M)"_s, u"設定(&C)"_s, u"ﾍﾙﾌﾟ(&H)"_s}));
    QStringList file;
    for (QAction *a : form.File->actions())
        file.append(a->isSeparator() ? u"-"_s : a->text());
    EXPECT_EQ(file, (QStringList{u"プレーヤー選択(&S)"_s, u"保存(&S)"_s, u"ﾊﾞｰｼﾞｮﾝ2ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ"_s,
                                 u"CSVファイルに書き出す…"_s, u"CSVファイルから読み込む…"_s, u"-"_s,
                                 u"終了(&X)"_s}));
    EXPECT_EQ(form.FSave->shortcut(), QKeySequence(u"Ctrl+S"_s));
    QStringList thresholds;
    for (QAction *a : form.WakeKin)
        thresholds.append(a->text());
    EXPECT_EQ(thresholds,
              (QStringList{u"0円"_s, u"±500円未満"_s, u"±1000円未満"_s, u"±2000円未満"_s,
                           u"±3000円未満"_s, u"±5000円未満"_s, u"±10000円未満"_s}));
    EXPECT_EQ(form.windowTitle(), u"るでら３　[Main Menu]"_s);
    EXPECT_EQ(form.pos(), QPoint(Twips(1000), Twips(1500)));
}

TEST_F(MainFormTest, HomePageStartsTheOpenerWithTheGuideOrSaysWhyNot)
{
    QTemporaryFile opener;
    ASSERT_TRUE(opener.open());
    platform.browserPath = opener.fileName();
    form.HHomePage->trigger();
    ASSERT_EQ(platform.startedPrograms.size(), 1);
    const QString started = platform.startedPrograms[0];
    EXPECT_TRUE(started.startsWith(opener.fileName() + u" file:///"_s)) << started.toStdString();
    EXPECT_TRUE(started.endsWith(u"/docs/index.html"_s)) << started.toStdString();
    EXPECT_TRUE(platform.messages.isEmpty());

    platform.startSucceeds = false;
    form.HHomePage_Click();
    platform.browserPath = dir.file(u"no-such-opener"_s);
    form.HHomePage_Click();
    platform.browserPath.clear();
    form.HHomePage_Click();
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"エラーが発生しました。failed to start"_s},
                                      {dir.file(u"no-such-opener"_s) + u"が存在しません"_s},
                                      {u"xdg-openが存在しません"_s}}));
    EXPECT_EQ(platform.startedPrograms.size(), 2); // none without an opener
}

TEST_F(MainFormTest, VersionDialogBeepsAndShowsVersion)
{
    form.Form_Activate(); // sound on
    platform.modalWindows.clear();
    QString version;
    platform.onModal = [&](QObject &dialog) {
        auto &about = dynamic_cast<About &>(dialog);
        version = about.lblVersion->text();
        about.OK->click();
        return about.result();
    };
    form.HAbout->trigger();
    EXPECT_EQ(platform.modalWindows, QStringList{u"About"_s});
    EXPECT_EQ(platform.sounds, QStringList{u"beep"_s});
    EXPECT_EQ(version, u"Version 3.00"_s);
}
