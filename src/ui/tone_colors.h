#pragma once
// The colours of the tones that the core's table models give (table_roles.h),
// made readable on the background they are drawn on.

#include "core/statistics/table_roles.h"
#include "ui/readable_colors.h"
#include "ui/result_colors.h"

#include <QColor>

// Losses and Sundays red, wins and Saturdays blue; an invalid colour for the
// plain tone (the view's own text colour).
inline QColor ToneColor(Tone tone, const QColor &background)
{
    switch (tone) {
    case Tone::Loss:
    case Tone::Sunday: return ReadableOn(kGridRedText, background);
    case Tone::Win:
    case Tone::Saturday: return ReadableOn(kGridBlueText, background);
    case Tone::Plain: break;
    }
    return QColor();
}
