#pragma once
// The colours the statistics screens give wins and losses, Sundays and
// Saturdays; the calendar and the monthly chart show them the same way. They
// are drawn on white (the screens' page, the grids' cells), whatever the
// desktop's palette; texts on the window's own background go through
// readable_colors.h.

#include "core/statistics/table_roles.h"

#include <QColor>

// The screens' pens: titles green, the rest red and blue.
inline constexpr QColor kScreenGreen(0, 128, 0);
inline constexpr QColor kScreenRed(255, 0, 0);
inline constexpr QColor kScreenBlue(0, 0, 255);

inline constexpr QColor kWinColor = kScreenBlue;
inline constexpr QColor kLossColor = kScreenRed;
inline constexpr QColor kSundayColor = kScreenRed;
inline constexpr QColor kSaturdayColor = kScreenBlue;

// The grids (entry, statistics, and the title rows of every table): black
// text on white, every other row of the results tinted, losses and Sundays in
// a lighter red, wins and Saturdays in a lighter blue; a grey title row and
// grey lines, a darker grey beyond the last row or column.
inline constexpr QColor kGridBack(255, 255, 255);
inline constexpr QColor kGridTint(249, 249, 255);
inline constexpr QColor kGridText(0, 0, 0);
inline constexpr QColor kGridRedText(255, 64, 64);
inline constexpr QColor kGridBlueText(64, 64, 255);
inline constexpr QColor kGridTitleBack(224, 224, 224);
inline constexpr QColor kGridLines(192, 192, 192);
inline constexpr QColor kGridBeyond(128, 128, 128);

// A result grid's text colour for a tone of a table model.
constexpr QColor GridTextColor(Tone tone)
{
    switch (tone) {
    case Tone::Loss:
    case Tone::Sunday: return kGridRedText;
    case Tone::Win:
    case Tone::Saturday: return kGridBlueText;
    case Tone::Plain: break;
    }
    return kGridText;
}

// A tone's colour for a text on the window's own background, which
// SetTextColor makes readable there: the screens' red and blue, and black
// (the palette's own text colour) for the plain tone.
constexpr QColor ScreenTextColor(Tone tone)
{
    switch (tone) {
    case Tone::Loss:
    case Tone::Sunday: return kScreenRed;
    case Tone::Win:
    case Tone::Saturday: return kScreenBlue;
    case Tone::Plain: break;
    }
    return kGridText;
}
