#include "core/file/leftovers.h"

#include "core/file/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
// The random part: 13 digits, fewer in the names of earlier versions, which
// did not fill it up (10 or more but for one name in a hundred thousand).
const QString kRandom = u"\\.[0-9a-z]{10,13}$"_s;

// Removes the regular files of folder whose names match; a folder that is a
// link is never looked into.
void removeMatching(const QString &folder, const QRegularExpression &names)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return;
    for (const QString &entry : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QByteArray path = QFile::encodeName(folder + u'/' + entry);
        if (names.match(entry).hasMatch() && ::lstat(path.constData(), &st) == 0 &&
            S_ISREG(st.st_mode))
            ::unlink(path.constData());
    }
}
} // namespace

QString TempNameBeside(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.absolutePath() + u"/."_s + info.fileName() + u'.' +
           QString::number(QRandomGenerator::global()->generate64(), 36).rightJustified(13, u'0');
}

void RemoveLeftovers(const DataFolder &folder, const QString &name)
{
    if (!folder.IsSet() || name.isEmpty())
        return;
    const QString player = QRegularExpression::escape(name);
    removeMatching(folder.Path(),
                   QRegularExpression(u"^\\."_s + player + u"\\.(pcd|Bak|times|times\\.Bak)"_s +
                                      kRandom + u"|^\\.\\."_s + player + u"\\.pcd\\.lock"_s +
                                      kRandom));
    if (QFileInfo(folder.File(u"backup"_s)).isSymLink())
        return; // the dated copies are never kept through a link either
    removeMatching(folder.GenerationFolder(name),
                   QRegularExpression(u"^\\.\\d{4}-\\d{2}-\\d{2}\\.(pcd|times)"_s + kRandom));
}
