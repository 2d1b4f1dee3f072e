#include "core/file/player_name.h"

using namespace Qt::StringLiterals;

bool IsUsablePlayerName(const QString &name)
{
    if (name.trimmed().isEmpty())
        return false;
    // "/" and "\" would leave the folder, ":" names Qt's resources, "*" and "?"
    // are wildcards, "." is cut off by the list, the rest no desktop allows.
    static const QString kRefused = u"./\\:*?\"<>|"_s;
    for (const QChar c : name) {
        if (kRefused.contains(c) || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}
