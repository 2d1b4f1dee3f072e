#include "ui/app_font.h"
#include "ui/app_style.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QIcon>
#include <QImage>
#include <QStyleFactory>
#include <gtest/gtest.h>

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
