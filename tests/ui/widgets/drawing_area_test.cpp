#include "core/util/numbers.h"
#include "ui/widgets/drawing_area.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
QImage render(DrawingArea &area)
{
    QImage image(area.size(), QImage::Format_RGB32);
    area.render(&image);
    return image;
}

// Counts pixels that are clearly of the given colour.
int countNear(const QImage &image, QColor colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 40 &&
                std::abs(c.green() - colour.green()) < 40 &&
                std::abs(c.blue() - colour.blue()) < 40)
                ++n;
        }
    return n;
}
} // namespace

// The commands themselves, clearing them and the picture, are checked by the
// statistics screen tests.
TEST(DrawingArea, TextWidthIsInTwipsOfTheSizeAsked)
{
    DrawingArea area;
    const double w9 = DrawingArea::TextWidthAt(u"\\52,000"_s, 9);
    const double w18 = DrawingArea::TextWidthAt(u"\\52,000"_s, 18);
    EXPECT_GT(w9, 300); // seven characters of about half an em (90 twips at 9 pt)
    EXPECT_LT(w9, 1000);
    EXPECT_NEAR(w18, 2 * w9, w9 * 0.05);
    area.SetFontSize(9);
    EXPECT_DOUBLE_EQ(area.TextWidth(u"\\52,000"_s), w9);
    // Measured as shown: the backslash is drawn as the yen sign.
    EXPECT_DOUBLE_EQ(w9, DrawingArea::TextWidthAt(YenForDisplay(u"\\52,000"_s), 9));
    EXPECT_EQ(DrawingArea::TextWidthAt(QString(), 9), 0);
}

TEST(DrawingArea, PaintsScaledKeepingProportions)
{
    DrawingArea area;
    // Twice the page's size in pixels (233 × 157 at 15 twips a pixel), and wider.
    area.resize(466 + 100, 314);
    EXPECT_DOUBLE_EQ(area.PageScale(), 314.0 / DrawingArea::kPageHeight);
    EXPECT_NEAR(area.PageOrigin().x(), 50, 0.5);
    EXPECT_NEAR(area.PageOrigin().y(), 0, 1e-9);

    QImage blank = render(area);
    EXPECT_EQ(countNear(blank, Qt::white), blank.width() * blank.height());

    // A solid red line across the middle of the page lands in the middle of the widget.
    area.SetDrawWidth(1);
    area.Line(0, 1177.5f, 3495, 1177.5f, QColor(255, 0, 0));
    const QImage lined = render(area);
    EXPECT_EQ(lined.pixelColor(283, 157).red(), 255);
    EXPECT_LT(lined.pixelColor(283, 157).green(), 120);
    EXPECT_EQ(lined.pixelColor(283, 100), QColor(Qt::white));
    // Nothing is drawn outside the page.
    EXPECT_EQ(lined.pixelColor(20, 157), QColor(Qt::white));

    area.Cls();
    area.SetCurrentX(100);
    area.SetCurrentY(100);
    area.SetFontSize(24);
    area.SetForeColor(QColor(0, 0, 255));
    area.Print(u"成　績"_s);
    EXPECT_GT(countNear(render(area), QColor(0, 0, 255)), 50);
}

// On an enlarged page a label (a graph's values and units) grows less than the
// other texts, about the point it stands at.
TEST(DrawingArea, LabelsGrowLessThanThePage)
{
    DrawingArea area;
    area.resize(233 * 4, 157 * 4); // four times the page's own size
    const QPointF at(2000, 1000);
    const auto inked = [&](bool label) {
        area.Cls();
        area.SetCurrentX(at.x());
        area.SetCurrentY(at.y());
        area.SetFontSize(9);
        area.SetForeColor(Qt::black);
        if (label)
            area.PrintLabel(u"回"_s, Qt::AlignRight | Qt::AlignVCenter);
        else
            area.Print(u"回"_s);
        const QImage image = render(area);
        QRect r;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    r |= QRect(x, y, 1, 1);
        return r;
    };
    const QRect label = inked(true), text = inked(false);
    EXPECT_NEAR(text.height() / double(label.height()), 4 / DrawingArea::kLabelGrowth, 0.3);
    const QPointF point = at * area.PageScale();
    EXPECT_NEAR(label.right(), point.x(), 6); // the glyph's own margin
    EXPECT_NEAR(label.center().y(), point.y(), 6);
}
