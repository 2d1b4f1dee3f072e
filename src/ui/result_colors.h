#pragma once
// The colours the statistics screens give wins and losses, Sundays and
// Saturdays; the calendar and the monthly chart show them the same way.

#include <QColor>

inline constexpr QColor kWinColor(0, 0, 255);
inline constexpr QColor kLossColor(255, 0, 0);
inline constexpr QColor kSundayColor(255, 0, 0);
inline constexpr QColor kSaturdayColor(0, 0, 255);
