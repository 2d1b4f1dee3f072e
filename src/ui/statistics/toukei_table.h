#pragma once
// Texts and measures of the statistics window's totals block and grid.

#include <QList>
#include <QString>
#include <QtGlobal>

// Widths in twips of the ten grid columns for a window of the given width:
// the grid is 400 twips narrower than the window, and its width less 400 is
// shared in the proportions of the base widths.
QList<int> GridColWidths(int windowWidth);

// "45戦 (12勝 30敗 3分)".
QString SeisekiText(qint16 TKachi, qint16 TMake, qint16 TWake);

// Yen text of total / visits, "\0" for no visit.
QString AverageYen(qint32 total, qint32 visits);
