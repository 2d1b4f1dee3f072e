#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "ui/app_font.h"
#include "ui/app_style.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/main_menu/main_form.h"
#include "ui/master_editors/master_editor.h"
#include "ui/readable_colors.h"
#include "ui/statistics/toukei.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QStyleFactory>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
QImage pixels(const QIcon &icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}
} // namespace

// The menu bar's "more" icon is only read when used, and is then the style's
// own; other icons come straight from the style.
TEST(AppStyle, DeferredIconsAreTheStylesOwn)
{
    AppStyle style;
    EXPECT_EQ(style.baseStyle()->name(), QApplication::style()->name());
    for (auto which : {QStyle::SP_ToolBarHorizontalExtensionButton,
                       QStyle::SP_ToolBarVerticalExtensionButton, QStyle::SP_MessageBoxWarning}) {
        const QIcon icon = style.standardIcon(which);
        const QIcon own = style.baseStyle()->standardIcon(which);
        ASSERT_FALSE(own.isNull());
        EXPECT_FALSE(icon.isNull());
        EXPECT_EQ(pixels(icon), pixels(own));
        EXPECT_EQ(icon.actualSize(QSize(16, 16)), own.actualSize(QSize(16, 16)));
    }
}

TEST(AppStyle, DeferredIconOutlivingItsStyleIsEmpty)
{
    QIcon icon;
    {
        AppStyle style;
        icon = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    }
    EXPECT_TRUE(icon.isNull());
    EXPECT_TRUE(icon.pixmap(QSize(16, 16)).isNull());
}

// The font names only the installed family Qt would pick from the whole list,
// so the text looks as before.
TEST(UiFont, NamesTheInstalledFamilyQtWouldPick)
{
    const QFont font = UiFont(12);
    EXPECT_EQ(font.pointSizeF(), 12.0);
    QFont listed;
    listed.setFamilies({u"MS PGothic"_s, u"IPAPGothic"_s, u"Noto Sans CJK JP"_s, u"sans-serif"_s});
    listed.setPointSizeF(12);
    EXPECT_EQ(QFontInfo(font).family(), QFontInfo(listed).family());
    if (font.families().size() == 1)
        EXPECT_TRUE(QFontDatabase::hasFamily(font.families().front()));
    else
        EXPECT_EQ(font.families(), listed.families()); // none installed: the whole list
}

// ------------------------------------------------------------ dark desktops

namespace {
// qt6ct's "darker" colour scheme: light text on dark windows and boxes.
QPalette darkPalette()
{
    QPalette p;
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::WindowText, QColor(0xffffff)},   {QPalette::Button, QColor(0x424245)},
        {QPalette::Light, QColor(0x979797)},        {QPalette::Midlight, QColor(0x5e5c5b)},
        {QPalette::Dark, QColor(0x302f2e)},         {QPalette::Mid, QColor(0x4a4947)},
        {QPalette::Text, QColor(0xffffff)},         {QPalette::BrightText, QColor(0xffffff)},
        {QPalette::ButtonText, QColor(0xffffff)},   {QPalette::Base, QColor(0x3d3d3d)},
        {QPalette::Window, QColor(0x222020)},       {QPalette::Shadow, QColor(0xe7e4e0)},
        {QPalette::Highlight, QColor(0x12608a)},    {QPalette::HighlightedText, QColor(0xf9f9f9)},
        {QPalette::AlternateBase, QColor(0x5c5b5a)}};
    for (const auto &[role, colour] : roles)
        p.setColor(role, colour);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x808080));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x808080));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x808080));
    return p;
}

QImage drawn(QWidget *widget)
{
    QImage image(widget->size() * 4, QImage::Format_RGB32);
    image.setDevicePixelRatio(4); // the glyphs' inner pixels are the text colour itself
    widget->render(&image);
    return image;
}

// The contrast of a widget's text as drawn: each pixel the text changes
// against the same pixel drawn without the text; the best of them. 0 when the
// text changes nothing.
double drawnContrast(QWidget *widget)
{
    const QVariant text = widget->property("text");
    const QImage with = drawn(widget);
    widget->setProperty("text", QString());
    const QImage without = drawn(widget);
    widget->setProperty("text", text);
    double best = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                best =
                    std::max(best, ContrastRatio(with.pixelColor(x, y), without.pixelColor(x, y)));
    return best;
}

class DarkDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        light = QApplication::palette();
        QApplication::setPalette(darkPalette());
        shared.Stores.WriteData({1, 0}, {u"駅前店"_s, QString()});
        shared.Machines.WriteData({1, 0}, {u"海物語"_s, QString()});
        shared.data.DataWrite(2001, 3, 4, 10000, 8500, 1, 1, u"朝から"_s);
    }
    void TearDown() override { QApplication::setPalette(light); }

    QPalette light;
    FakePlatform platform;
    SharedData shared{platform};
};
} // namespace

// Every text of the windows reads on what is drawn behind it (disabled
// controls aside: they are meant to recede). Add a row for each window.
TEST_F(DarkDesktop, EveryTextReadsOnItsBackground)
{
    using Open = std::function<std::unique_ptr<QWidget>()>;
    const std::pair<const char *, Open> windows[] = {
        {"main menu",
         [&]() -> std::unique_ptr<QWidget> {
             auto form = std::make_unique<MainForm>(shared);
             form->Form_Activate(); // no player: the save label in grey
             return form;
         }},
        {"main menu, data modified",
         [&]() -> std::unique_ptr<QWidget> {
             auto form = std::make_unique<MainForm>(shared);
             shared.states.Corrected = true;
             form->Form_Activate();
             return form;
         }},
        {"entry", [&] { return std::make_unique<Nyuuryoku>(shared); }},
        {"statistics", [&] { return std::make_unique<Toukei>(shared); }},
        {"store editor",
         [&] { return std::make_unique<MasterEditor>(shared, MasterEditor::Kind::MiseAdd); }},
    };
    for (const auto &[name, open] : windows) {
        const std::unique_ptr<QWidget> window = open();
        window->show();
        QCoreApplication::processEvents();
        int checked = 0;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            const QVariant text = w->property("text");
            if (!w->isVisibleTo(window.get()) || !w->isEnabled() ||
                text.typeId() != QMetaType::QString || text.toString().isEmpty() ||
                !(qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w) ||
                  qobject_cast<QLineEdit *>(w)))
                continue;
            EXPECT_GE(drawnContrast(w), kReadableContrast)
                << name << ": " << text.toString().toStdString();
            ++checked;
        }
        EXPECT_GT(checked, 5) << name;
    }
}
