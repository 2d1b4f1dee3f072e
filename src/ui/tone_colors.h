#pragma once
// The colours of the tones that the core's table models give (table_roles.h),
// made readable on the background they are drawn on.

#include "core/statistics/table_roles.h"
#include "ui/readable_colors.h"
#include "ui/result_colors.h"

#include <QColor>

// The grids' colour of a tone (losses and Sundays red, wins and Saturdays
// blue) where it reads on background, a shade of it where not; an invalid
// colour for the plain tone (the view's own text colour).
inline QColor ToneColor(Tone tone, const QColor &background)
{
    return tone == Tone::Plain ? QColor() : ReadableOn(GridTextColor(tone), background);
}
