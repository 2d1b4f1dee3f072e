#pragma once
// The one place where the program pairs text and background colours, so that
// what it colours stays readable on any desktop palette (light or dark):
// - a box whose background the program sets gets its text colour set with it
//   (SetBoxColors, BoxColorsStyle, SetButtonColors);
// - a coloured text drawn on the window's own background (win blue, loss red,
//   green headings, red notes) keeps its colour where it reads well (a light
//   palette) and becomes a lighter or darker shade of it where it would not
//   (SetTextColor, ReadableOnWindow).

#include <QColor>
#include <QPalette>
#include <QString>

class QWidget;

// Contrast ratio of two colours, 1 (none) to 21 (black on white), as the web
// accessibility guidelines compute it from relative luminance.
double ContrastRatio(const QColor &a, const QColor &b);

// The contrast texts must reach against their background.
inline constexpr double kReadableContrast = 4.5;

// Whether white text reads better than black on background.
bool IsDark(const QColor &background);

// colour when it reaches the contrast against background; otherwise the
// nearest shade of it (mixed towards white on a dark background, towards black
// on a light one) that does.
QColor ReadableOn(const QColor &colour, const QColor &background);

// A text colour for a widget drawn on its window's own background: readable
// against the palette's Window colour that the widget uses.
QColor ReadableOnWindow(const QColor &colour, const QWidget *widget);

// Sets the text colour (WindowText and Text) of a label, check box or option
// button on the window's background: as given on a light palette (the
// program's colours were chosen for one), made readable with ReadableOnWindow
// on a dark one. Black, the plain text of a light desktop, is the palette's
// own text colour (white on a dark desktop).
void SetTextColor(QWidget *widget, const QColor &colour);

// Sets a widget's background and its text colour together: a box drawn white
// keeps black text however dark the desktop's palette is. The widget fills
// its background (autoFillBackground).
void SetBoxColors(QWidget *widget, const QColor &background, const QColor &text = Qt::black);

// The same pair as style sheet declarations ("background-color: …; color: …;"),
// for a style sheet that also draws a border or padding.
QString BoxColorsStyle(const QColor &background, const QColor &text = Qt::black);

// Sets a button's face and its text colour together. Some styles paint their
// own face whatever the palette says; the text is then made readable on the
// face the style paints.
void SetButtonColors(QWidget *button, const QColor &face, const QColor &text = Qt::black);
