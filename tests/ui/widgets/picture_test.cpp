#include "support/qt_warnings.h"
#include "ui/widgets/picture.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
QImage pixels(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
} // namespace

// The main window's pictures are read from the build's baked copies at 1× and
// 2×, pixel for pixel what drawing the SVG gives: a size changed in the window
// without the build's list would silently bring the slow drawing back.
TEST(Picture, MainWindowPicturesAreBakedAndMatchTheirSvg)
{
    const struct {
        const char16_t *resource;
        int size;
    } pictures[] = {{u":/pictures/main_title.svg", 120}, {u":/pictures/input.svg", 48},
                    {u":/pictures/disp.svg", 48},        {u":/pictures/mise_add.svg", 48},
                    {u":/pictures/dai_add.svg", 48},     {u":/pictures/save.svg", 48},
                    {u":/pictures/end.svg", 48},         {u":/icons/app_icon.svg", 64}};
    for (const auto &p : pictures) {
        const QString resource = QString::fromUtf16(p.resource);
        for (int scale : {1, 2}) {
            SCOPED_TRACE(resource.toStdString() + " ×" + std::to_string(scale));
            const QSize device(p.size * scale, p.size * scale);
            const QImage baked = LoadBakedPicture(resource, device);
            ASSERT_FALSE(baked.isNull());
            EXPECT_EQ(baked, DrawSvg(resource, device));

            const QPixmap shown = RenderPicture(resource, QSize(p.size, p.size), scale);
            EXPECT_EQ(shown.size(), device);
            EXPECT_EQ(shown.devicePixelRatio(), scale);
            EXPECT_EQ(pixels(shown), baked);
        }
    }
}

TEST(Picture, OtherSizesAndUnknownPicturesAreDrawn)
{
    const QString save = u":/pictures/save.svg"_s;
    EXPECT_TRUE(LoadBakedPicture(save, QSize(50, 50)).isNull());
    EXPECT_EQ(pixels(RenderPicture(save, QSize(50, 50))), DrawSvg(save, QSize(50, 50)));
    // 1.5×: 72 device pixels, not baked.
    const QPixmap scaled = RenderPicture(save, QSize(48, 48), 1.5);
    EXPECT_EQ(pixels(scaled), DrawSvg(save, QSize(72, 72)));

    // A picture that does not exist gives a transparent picture of the size.
    const ExpectedQtWarning missing(u"Cannot open file ':/pictures/none.svg'"_s);
    const QImage none = pixels(RenderPicture(u":/pictures/none.svg"_s, QSize(16, 8)));
    ASSERT_EQ(none.size(), QSize(16, 8));
    for (int y = 0; y < none.height(); ++y)
        for (int x = 0; x < none.width(); ++x)
            ASSERT_EQ(qAlpha(none.pixel(x, y)), 0);
    EXPECT_TRUE(LoadBakedPicture(save, QSize()).isNull());
}

TEST(Picture, DisabledPicturesAreGreyAndHalfTransparent)
{
    const QString end = u":/pictures/end.svg"_s;
    for (QSize size : {QSize(48, 48), QSize(40, 40)}) { // baked, drawn
        const QImage normal = pixels(RenderPicture(end, size));
        const QImage grey = pixels(RenderPicture(end, size, 1.0, true));
        int coloured = 0;
        for (int y = 0; y < normal.height(); ++y)
            for (int x = 0; x < normal.width(); ++x) {
                const QRgb n = qUnpremultiply(normal.pixel(x, y));
                const QRgb g = qUnpremultiply(grey.pixel(x, y));
                EXPECT_EQ(qAlpha(g), qAlpha(n) / 2);
                if (qAlpha(g) > 64) {
                    EXPECT_LE(std::abs(qRed(g) - qGreen(g)), 2);
                    EXPECT_LE(std::abs(qGreen(g) - qBlue(g)), 2);
                }
                coloured += qAlpha(n) == 255 && (qRed(n) != qGreen(n) || qGreen(n) != qBlue(n));
            }
        EXPECT_GT(coloured, 0) << "the picture itself is in colour";
    }
}
