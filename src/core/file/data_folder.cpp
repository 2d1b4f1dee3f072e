#include "core/file/data_folder.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

bool EnterDataFolder(const QString &dir, QString &error)
{
    QString path = dir;
    if (path.isEmpty()) {
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (base.isEmpty()) {
            error = u"データフォルダが決められません"_s;
            return false;
        }
        path = base + u"/ledra3"_s;
    }
    if (!QDir().mkpath(path)) {
        error = path + u" を作成できません"_s;
        return false;
    }
    if (!QDir::setCurrent(path)) {
        error = path + u" に移動できません"_s;
        return false;
    }
    return true;
}
