#pragma once
// Texts of a selection's totals, shared by the statistics window and the
// windows that summarise months and days.

#include <QString>
#include <QtGlobal>

// "45戦 (12勝 30敗 3分)".
QString SeisekiText(qint16 TKachi, qint16 TMake, qint16 TWake);

// Yen text of total / visits, "\0" for no visit.
QString AverageYen(qint32 total, qint32 visits);
