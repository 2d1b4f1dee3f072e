#include "ui/app_font.h"

#include <QStringList>

using namespace Qt::StringLiterals;

QFont UiFont(double pointSize)
{
    QFont font;
    font.setFamilies({u"MS PGothic"_s, u"IPAPGothic"_s, u"Noto Sans CJK JP"_s, u"sans-serif"_s});
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}
