#include "ui/app_font.h"

#include <QFontDatabase>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {
// The first installed family of those that can stand in, looked up once.
// Naming only that family spares every new font size a fontconfig search for
// the missing ones (about a tenth of the start-up time); the text looks the
// same, since Qt would pick that family anyway.
const QStringList &UiFamilies()
{
    static const QStringList families = [] {
        const QStringList wanted{u"MS PGothic"_s, u"IPAPGothic"_s, u"Noto Sans CJK JP"_s};
        for (const QString &family : wanted) {
            if (QFontDatabase::hasFamily(family))
                return QStringList{family};
        }
        return wanted + QStringList{u"sans-serif"_s};
    }();
    return families;
}
} // namespace

QFont UiFont(double pointSize)
{
    QFont font;
    font.setFamilies(UiFamilies());
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}
