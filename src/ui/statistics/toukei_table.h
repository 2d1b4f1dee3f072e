#pragma once
// Measures of the statistics window's grid.

#include <QList>
#include <QString>
#include <QtGlobal>

// Widths in twips of the ten grid columns for a window of the given width:
// the grid is 400 twips narrower than the window, and its width less 400 is
// shared in the proportions of the base widths.
QList<int> GridColWidths(int windowWidth);
