#include "core/statistics/totals_text.h"

#include "core/util/numbers.h"

#include <QStringBuilder>

using namespace Qt::StringLiterals;

QString SeisekiText(qint16 TKachi, qint16 TMake, qint16 TWake)
{
    const qint32 games = qint32(TKachi) + TMake + TWake;
    return FormatPlain(games) % u"戦 ("_s % FormatPlain(TKachi) % u"勝 "_s % FormatPlain(TMake) %
           u"敗 "_s % FormatPlain(TWake) % u"分)"_s;
}

QString AverageYen(qint32 total, qint32 visits)
{
    return visits == 0 ? FormatYen(0) : FormatYen(double(total) / visits);
}
