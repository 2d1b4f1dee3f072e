#pragma once
// The one place where the program pairs text and background colours, so that
// what it colours stays readable on any desktop palette (light or dark):
// - a box whose background the program sets gets its text colour set with it
//   (SetBoxColors, BoxColorsStyle, SetButtonColors);
// - a coloured text drawn on the window's own background (win blue, loss red,
//   green headings, red notes) keeps its colour where it reads well (a light
//   palette) and becomes a lighter or darker shade of it where it would not
//   (SetTextColor);
// - the tables of the desktop's colours keep their rows in turn close enough
//   for coloured text to read on both (RowShade).

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
// The same for a text that stands on either of two backgrounds (the rows of a
// table in turn): one shade that reads on both, so that the same meaning looks
// the same on every row.
QColor ReadableOn(const QColor &colour, const QColor &background, const QColor &other);

// Sets the text colour (WindowText and Text) of a label, check box or option
// button on the window's background: as given on a light palette (the
// program's colours were chosen for one), a lighter shade of it on a dark one
// where it would read below 6 : 1 (more than kReadableContrast, as the thin
// strokes of a small note in kana are drawn well short of their colour: a red
// note of 4.8 : 1 showed about 4 : 1). Black, the plain text of a light
// desktop, is the palette's own text colour (white on a dark desktop).
// Disabled, the widget shows the palette's faded text colour.
void SetTextColor(QWidget *widget, const QColor &colour);

// Sets a widget's background and its text colour together: a box drawn white
// keeps black text however dark the desktop's palette is. The widget fills
// its background (autoFillBackground).
void SetBoxColors(QWidget *widget, const QColor &background, const QColor &text = Qt::black);

// The same pair as style sheet declarations ("background-color: …; color: …;"),
// for a style sheet that also draws a border or padding.
QString BoxColorsStyle(const QColor &background, const QColor &text = Qt::black);

// Sets a button's face and its text colour together; a disabled button shows
// the text faded into the face. Some styles (Adwaita) paint their own face
// whatever the palette says: such a button keeps the style's own colours,
// chosen for that face, enabled and disabled alike.
void SetButtonColors(QWidget *button, const QColor &face, const QColor &text = Qt::black);

// The background of every other row of a table in the desktop's colours:
// the palette's alternate, or a shade of it towards base where the two lie
// so far apart (qt6ct's darker scheme) that a coloured text reading on both
// would be barely coloured.
QColor RowShade(const QColor &base, const QColor &alternate);

// Keeps the texts of a window that is not the active one as readable as those
// of the active one. Some dark styles (Adwaita-Dark) give an inactive window
// the colours of disabled controls: every text of a window behind a dialog
// would look disabled, and disabled controls like the others. The program's
// style applies it to the palette of the desktop.
void KeepInactiveTextsReadable(QPalette &palette);
