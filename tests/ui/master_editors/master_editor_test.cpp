#include "ui/master_editors/master_editor.h"

#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/player_data.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
// Wider frames and text margins, as some desktop styles have.
class WideFrames : public QProxyStyle {
public:
    WideFrames() : QProxyStyle(QStyleFactory::create(u"Fusion"_s)) {}
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        return metric == PM_DefaultFrameWidth ? 4
                                              : QProxyStyle::pixelMetric(metric, option, widget);
    }
    void polish(QWidget *widget) override
    {
        QProxyStyle::polish(widget);
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            edit->setTextMargins(8, 0, 8, 0);
    }
};

// Whether a box shows its whole text: the cursor moves from the start to the
// end by the text's width, nothing having scrolled out.
bool showsWhole(QLineEdit *box)
{
    const auto cursorX = [box] {
        box->grab(); // the box scrolls when it paints
        return box->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
    };
    box->setCursorPosition(0);
    const int start = cursorX();
    box->end(false);
    return cursorX() - start == box->fontMetrics().horizontalAdvance(box->text());
}
} // namespace

class MasterEditorTest : public ::testing::Test {
protected:
    FakePlatform platform;
    SharedData shared{platform};
    std::unique_ptr<MasterEditor> dlg;

    void open(MasterEditor::Kind kind = MasterEditor::Kind::MiseAdd)
    {
        dlg = std::make_unique<MasterEditor>(shared, kind);
    }

    template <typename T> T *control(const QString &name)
    {
        T *w = dlg->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit *id() { return control<QLineEdit>(u"DId"_s); }
    QLineEdit *name() { return control<QLineEdit>(u"DName"_s); }
    QListWidget *list() { return control<QListWidget>(u"SList"_s); }
    void click(const QString &button)
    {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }

    QStringList lines()
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out.append(list()->item(i)->text());
        return out;
    }
    void add(const QString &idText, const QString &nameText)
    {
        id()->setText(idText);
        name()->setText(nameText);
        click(u"DAdd"_s);
    }
    void clickLine(int row)
    {
        QListWidget *l = list();
        const QRect r = l->visualItemRect(l->item(row));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
    }
    // The refusal of a name, naming the character.
    static RecordedMessage refusal(const QString &character)
    {
        return {u"「"_s + character + u"」は名前に使えない文字です。"_s, QString(), MsgButtons::Ok,
                MsgIcon::Exclamation};
    }
    void commitText(QWidget *w, const QString &text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(w, &event);
    }
};

TEST_F(MasterEditorTest, AddsLinesInIdOrder)
{
    SetStores(shared, {{5, u"b"_s}, {2, u"a"_s}});
    open();
    EXPECT_EQ(lines(), (QStringList{u"002,a"_s, u"005,b"_s}));

    add(u"7"_s, u"abc"_s);
    add(u"3"_s, u"x"_s);
    add(u"１２"_s, QString()); // an empty name is an entry too; input-method digits
    EXPECT_EQ(lines(), (QStringList{u"002,a"_s, u"003,x"_s, u"005,b"_s, u"007,abc"_s, u"012,"_s}));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MasterEditorTest, ReAddingAnIdAsksBeforeReplacingIt)
{
    open();
    add(u"7"_s, u"abc"_s);
    platform.msgAnswers = {MsgResult::Cancel};
    add(u"007"_s, u"xyz"_s);
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"ID 7を更新します。よろしいですか？"_s, u"変更確認"_s,
                                       MsgButtons::OkCancel, MsgIcon::Question}}));
    EXPECT_EQ(lines(), QStringList{u"007,abc"_s});

    platform.msgAnswers = {MsgResult::Ok};
    add(u"7"_s, u"xyz"_s);
    EXPECT_EQ(lines(), QStringList{u"007,xyz"_s});
}

TEST_F(MasterEditorTest, RefusesBadInput)
{
    open();
    add(u"1"_s, u"keep"_s);
    add(u"0"_s, u"zero"_s);
    add(u"-5"_s, u"neg"_s);
    add(u"ab"_s, u"text"_s);
    add(QString(), u"noid"_s);
    add(u"4"_s, u"あいうえおかきくけ"_s); // 18 bytes
    EXPECT_TRUE(platform.messages.isEmpty());
    // A name the file could not hold is refused naming the character.
    add(u"2"_s, u"a,b"_s);
    add(u"3"_s, u"say \"hi\""_s);
    add(u"5"_s, u"x한,"_s); // not in code page 932, before the comma
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{refusal(u","_s), refusal(u"\""_s), refusal(u"한"_s)}));
    EXPECT_EQ(lines(), QStringList{u"001,keep"_s});

    add(u"6"_s, u"あいうえおかきく"_s); // exactly 16 bytes
    add(u"8"_s, u"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ"_s); // half-width kana count one byte each
    add(u"9"_s, u"¥"_s);                // the yen key: stored as 0x5C
    EXPECT_EQ(lines(), (QStringList{u"001,keep"_s, u"006,あいうえおかきく"_s,
                                    u"008,ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ"_s, u"009,\\"_s}));
}

TEST_F(MasterEditorTest, TypingRefusesWhatTheFileCannotHold)
{
    shared.states.Sound = true;
    open();
    name()->setFocus();
    QTest::keyClicks(name(), u"ab,c\"d"_s);
    EXPECT_EQ(name()->text(), u"abcd"_s);
    EXPECT_EQ(platform.messages, (QList<RecordedMessage>{refusal(u","_s), refusal(u"\""_s)}));
    platform.messages.clear();

    QTest::keyClicks(name(), u"0123456789xyz"_s);
    EXPECT_EQ(name()->text(), u"abcd0123456789xy"_s); // 16 bytes
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(platform.sounds, (QStringList{u"beep"_s})); // too long: only a beep

    // Input-method text: refused whole when it does not fit, mapped forms pass.
    name()->clear();
    commitText(name(), u"あいうえおかきくけ"_s);
    EXPECT_EQ(name()->text(), QString());
    commitText(name(), u"波〜"_s);
    EXPECT_EQ(name()->text(), u"波〜"_s);
    add(u"1"_s, name()->text());
    EXPECT_EQ(lines(), QStringList{u"001,波～"_s}); // stored in the file's form

    commitText(name(), u"한"_s);
    EXPECT_EQ(name()->text(), u"波〜"_s);
    EXPECT_EQ(platform.messages, QList<RecordedMessage>{refusal(u"한"_s)});
}

// Clicking a line fills the fields, also with a name longer than typing allows.
TEST_F(MasterEditorTest, ClickedLineFillsTheFieldsAndALongNameCanBeShortened)
{
    SetMachines(shared, {{12, u"あいうえおかきくけこ"_s}, {3, u"other"_s}});
    open(MasterEditor::Kind::DaiAdd);
    clickLine(1);
    EXPECT_EQ(id()->text(), u"012"_s);
    name()->setFocus();
    name()->end(false);
    QTest::keyClick(name(), Qt::Key_Backspace);
    EXPECT_EQ(name()->text(), u"あいうえおかきくけ"_s);
    QTest::keyClicks(name(), u"x"_s); // still too long: refused
    EXPECT_EQ(name()->text(), u"あいうえおかきくけ"_s);
}

TEST_F(MasterEditorTest, DeleteAsksAboutTheSelectedLine)
{
    SetStores(shared, {{3, u"name"_s}, {4, u"x"_s}});
    open();
    click(u"DDel"_s); // nothing selected
    EXPECT_TRUE(platform.messages.isEmpty());

    clickLine(0);
    platform.msgAnswers = {MsgResult::Cancel};
    click(u"DDel"_s);
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"' 003,name ' を削除します。よろしいですか？"_s, u"確認"_s,
                                       MsgButtons::OkCancel, MsgIcon::Exclamation}}));
    EXPECT_EQ(lines().size(), 2);

    click(u"DDel"_s);
    EXPECT_EQ(lines(), QStringList{u"004,x"_s});
    click(u"DDel"_s); // the deleted line leaves no selection behind
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(lines(), QStringList{u"004,x"_s});

    clickLine(0);
    click(u"DDel"_s);
    click(u"OK"_s);
    EXPECT_EQ(shared.Stores.Count(), 0);
}

TEST_F(MasterEditorTest, OkStoresTheListAndMarksTheDataModified)
{
    SetStores(shared, {{1, u"S1"_s}});
    SetMachines(shared, {{9, u"M9"_s}});
    open(MasterEditor::Kind::DaiAdd);
    add(u"2"_s, u"M2"_s);
    click(u"OK"_s);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(shared.states.Corrected);
    EXPECT_EQ(shared.Machines.Entries(), (QList<MasterEntry>{{2, u"M2"_s}, {9, u"M9"_s}}));
    EXPECT_EQ(shared.Stores.Entries(), (QList<MasterEntry>{{1, u"S1"_s}}));
}

TEST_F(MasterEditorTest, EntriesTheLinesCannotSpellSurviveOk)
{
    // Hand-edited files may hold wide IDs and names with commas.
    SetStores(shared, {{1000, u"big"_s}, {4, u"a,b"_s}, {-2, u"neg"_s}});
    open();
    EXPECT_EQ(lines(), (QStringList{u"-002,neg"_s, u"004,a,b"_s, u"1000,big"_s}));
    click(u"OK"_s);
    EXPECT_EQ(shared.Stores.Entries(),
              (QList<MasterEntry>{{-2, u"neg"_s}, {4, u"a,b"_s}, {1000, u"big"_s}}));
}

// A file's ID of five digits shows whole when its line is clicked, also in a
// style with wider frames.
TEST_F(MasterEditorTest, AFiveDigitIdShowsWholeInItsBox)
{
    SetStores(shared, {{12345, u"wide"_s}});
    const QString own = QApplication::style()->name();
    for (const bool wide : {false, true}) {
        if (wide)
            QApplication::setStyle(new WideFrames);
        open();
        dlg->show();
        clickLine(0);
        EXPECT_EQ(id()->text(), u"12345"_s);
        EXPECT_TRUE(showsWhole(id())) << wide;
    }
    QApplication::setStyle(own);
}

TEST_F(MasterEditorTest, CancelAndClosingLeaveTheListsUntouched)
{
    SetStores(shared, {{1, u"S1"_s}});
    open();
    add(u"2"_s, u"S2"_s);
    clickLine(0);
    click(u"DDel"_s);
    click(u"Cancel"_s);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);

    open();
    add(u"3"_s, u"S3"_s);
    dlg->show();
    name()->setFocus();
    QTest::keyClick(name(), Qt::Key_Return); // no default button: still open
    EXPECT_TRUE(dlg->isVisible());
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);

    EXPECT_FALSE(shared.states.Corrected);
    EXPECT_EQ(shared.Stores.Entries(), (QList<MasterEntry>{{1, u"S1"_s}}));
}

TEST_F(MasterEditorTest, OpensCentredWithFixedSizeAndWholeCaptions)
{
    open();
    dlg->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg->minimumSize(), dlg->maximumSize());
    const QRect screen = dlg->screen()->geometry();
    EXPECT_LE(std::abs(dlg->geometry().center().x() - screen.center().x()), 2);
    EXPECT_LE(std::abs(dlg->geometry().center().y() - screen.center().y()), 2);
    for (const QLabel *label : dlg->findChildren<QLabel *>()) {
        if (!label->text().isEmpty()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
    }
    for (const QPushButton *button : dlg->findChildren<QPushButton *>())
        EXPECT_GE(button->width(), button->sizeHint().width());
}
