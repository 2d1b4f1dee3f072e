#pragma once
// What the core's table models give beyond their texts, so that windows never
// read numbers or colours back out of what they show.

#include <Qt>
#include <QtGlobal>

enum TableRole {
    // The cell's number (qint64 or double) for sorting, or a name's text; null
    // where the cell shows no number ("—"). In the summary the first column
    // holds the rows' natural order.
    ValueRole = Qt::UserRole + 1,
    // How the cell's text is coloured: a Tone as int. The window maps it to
    // its colours, made readable on the row's background.
    ToneRole,
    // The cell as a spreadsheet reads it: plain numbers without grouping or
    // yen sign ("-5500", "87.3"), "" where there is none. On the header: the
    // column's title for such a copy ("勝率(%)").
    ExportRole,
    // True on a row that stays below the others (a totals row): it takes no
    // part in sorting and is shown apart.
    PinnedRole,
};

enum class Tone { Plain, Loss, Sunday, Saturday, Win };

// The tone of a signed amount (a balance, an average, an hourly result, the
// largest loss): red below zero, plain otherwise. The one rule for amounts
// wherever they are shown as text; a visit's or a day's result is coloured by
// its outcome instead (win, loss or draw by the draw threshold).
constexpr Tone AmountTone(qint64 amount)
{
    return amount < 0 ? Tone::Loss : Tone::Plain;
}
