#pragma once
// The colours of the tones that the core's table models give (table_roles.h),
// made readable on the background they are drawn on.

#include "core/statistics/table_roles.h"
#include "ui/readable_colors.h"
#include "ui/result_colors.h"

#include <QColor>
#include <QPalette>

// The grids' colour of a tone (losses and Sundays red, wins and Saturdays
// blue) in a table of the palette's colours: one shade that reads on both
// backgrounds of its rows (Base and AlternateBase), so that a tone looks the
// same on every row and in every table. An invalid colour for the plain tone
// (the view's own text colour).
inline QColor ToneColor(Tone tone, const QPalette &palette)
{
    return tone == Tone::Plain ? QColor()
                               : ReadableOn(GridTextColor(tone), palette.color(QPalette::Base),
                                            palette.color(QPalette::AlternateBase));
}
