#include "core/file/generations.h"

#include "core/file/data_folder.h"
#include "core/file/user_data_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

bool KeepGeneration(const DataFolder &dataFolder, const QString &name, const QByteArray &previous,
                    const QDate &day, int permissions, const SaveWriteFn &write)
{
    const QString folder = dataFolder.GenerationFolder(name);
    const QString copy =
        folder + u'/' + day.toString(u"yyyy-MM-dd"_s) + UserDataFile::PcdExtension();
    if (QFileInfo::exists(copy))
        return true;
    if (!QDir().mkpath(folder) || !ReplaceFileContents(copy, previous, write, permissions))
        return false;

    static const QRegularExpression dated(u"^\\d{4}-\\d{2}-\\d{2}\\.pcd$"_s);
    QStringList copies = QDir(folder).entryList(QDir::Files, QDir::Name);
    copies.removeIf([](const QString &f) { return !dated.match(f).hasMatch(); });
    while (copies.size() > kGenerationsKept)
        QFile::remove(folder + u'/' + copies.takeFirst());
    return true;
}
