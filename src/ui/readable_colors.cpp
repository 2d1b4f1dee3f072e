#include "ui/readable_colors.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
double channel(double c)
{
    // sRGB to linear light.
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

QColor mix(const QColor &from, const QColor &to, double t)
{
    const auto at = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return QColor(at(from.red(), to.red()), at(from.green(), to.green()),
                  at(from.blue(), to.blue()));
}

// The palette a widget shows when it sets none of its own.
QPalette inheritedPalette(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    return parent ? parent->palette() : QApplication::palette(widget);
}

// The colour of the face the style paints for a button (at its middle).
QColor paintedFace(const QWidget *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = QRect(0, 0, 48, 24);
    QImage face(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
    face.fill(button->palette().color(QPalette::Window));
    QPainter painter(&face);
    button->style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, button);
    painter.end();
    return face.pixelColor(option.rect.center());
}

QString css(const QColor &c)
{
    return u"rgb(%1,%2,%3)"_s.arg(c.red()).arg(c.green()).arg(c.blue());
}
} // namespace

bool IsDark(const QColor &background)
{
    // Black text and white text read equally well on this luminance.
    return luminance(background) < 0.18;
}

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

namespace {
// colour, or the nearest shade of it that reaches contrast on both backgrounds:
// towards white on dark ones, towards black on light ones. The first step that
// reads well keeps as much of the hue as possible.
QColor shadeReaching(double contrast, const QColor &colour, const QColor &background,
                     const QColor &other)
{
    const auto reads = [contrast, &background, &other](const QColor &c) {
        return ContrastRatio(c, background) >= contrast && ContrastRatio(c, other) >= contrast;
    };
    if (reads(colour))
        return colour;
    const QColor target =
        IsDark(mix(background, other, 0.5)) ? QColor(Qt::white) : QColor(Qt::black);
    for (int step = 1; step <= 20; ++step) {
        const QColor shade = mix(colour, target, step / 20.0);
        if (reads(shade))
            return shade;
    }
    return target;
}

// What a coloured text on a dark window aims at (see SetTextColor).
constexpr double kWindowTextContrast = 6;
// How far apart the rows of a table in turn may lie.
constexpr double kRowContrast = 1.2;
} // namespace

QColor ReadableOn(const QColor &colour, const QColor &background)
{
    return shadeReaching(kReadableContrast, colour, background, background);
}

QColor ReadableOn(const QColor &colour, const QColor &background, const QColor &other)
{
    return shadeReaching(kReadableContrast, colour, background, other);
}

QColor RowShade(const QColor &base, const QColor &alternate)
{
    for (int step = 0; step < 20; ++step) {
        const QColor shade = mix(alternate, base, step / 20.0);
        if (ContrastRatio(shade, base) <= kRowContrast)
            return shade;
    }
    return base;
}

void SetTextColor(QWidget *widget, const QColor &colour)
{
    QPalette p = widget->palette();
    const QPalette own = inheritedPalette(widget);
    const QColor plain = colour == QColor(Qt::black) ? own.color(QPalette::WindowText) : colour;
    const QColor window = p.color(QPalette::Window);
    const QColor shown =
        IsDark(window) ? shadeReaching(kWindowTextContrast, plain, window, window) : plain;
    // Disabled, the palette's own faded colours.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::WindowText, shown);
        p.setColor(group, QPalette::Text, shown);
    }
    widget->setPalette(p);
}

void SetBoxColors(QWidget *widget, const QColor &background, const QColor &text)
{
    QPalette p = widget->palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base}) {
        p.setColor(role, background);
    }
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text}) {
        p.setColor(role, text);
    }
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QString BoxColorsStyle(const QColor &background, const QColor &text)
{
    return u"background-color: "_s + css(background) + u"; color: "_s + css(text) + u";"_s;
}

void SetButtonColors(QWidget *button, const QColor &face, const QColor &text)
{
    const QPalette own = button->palette();
    QPalette p = own;
    p.setColor(QPalette::Button, IsDark(face) ? QColor(Qt::white) : QColor(Qt::black));
    button->setPalette(p);
    const QColor unlike = paintedFace(button);
    p.setColor(QPalette::Button, face);
    button->setPalette(p);
    const QColor painted = paintedFace(button);
    if (painted == unlike) { // the style's own face, whatever the palette
        button->setPalette(own);
        return;
    }
    const QColor shown = ReadableOn(text, painted);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::ButtonText, shown);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, mix(shown, painted, 0.6));
    button->setPalette(p);
}

void KeepInactiveTextsReadable(QPalette &palette)
{
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        {QPalette::WindowText, QPalette::Window},
        {QPalette::Text, QPalette::Base},
        {QPalette::ButtonText, QPalette::Button}};
    for (const auto &[text, back] : pairs) {
        const QColor background = palette.color(QPalette::Inactive, back);
        if (ContrastRatio(palette.color(QPalette::Inactive, text), background) < kReadableContrast)
            palette.setColor(QPalette::Inactive, text,
                             ReadableOn(palette.color(QPalette::Active, text), background));
    }
}
