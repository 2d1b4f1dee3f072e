#pragma once
// The colours the statistics screens give wins and losses, Sundays and
// Saturdays; the calendar and the monthly chart show them the same way.

#include <QColor>

inline constexpr QColor kWinColor(0, 0, 255);
inline constexpr QColor kLossColor(255, 0, 0);
inline constexpr QColor kSundayColor(255, 0, 0);
inline constexpr QColor kSaturdayColor(0, 0, 255);

// The result grids (the statistics window's and the summary table's): every
// other row tinted, losses and Sundays in a lighter red, Saturdays in a
// lighter blue.
inline constexpr QColor kGridTint(249, 249, 255);
inline constexpr QColor kGridRedText(255, 64, 64);
inline constexpr QColor kGridBlueText(64, 64, 255);
