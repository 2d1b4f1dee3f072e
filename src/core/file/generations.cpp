#include "core/file/generations.h"

#include "core/file/data_folder.h"
#include "core/file/user_data_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {
QString lineEnd()
{
    return QString::fromUtf16(UserDataFile::kLineEnd);
}

enum class Place { Folder, Made, Link, NotFolder, Failed };

// folder as a folder of its own: made when missing, never looked through
// when it is a link.
Place ownFolder(const QString &folder, int &error)
{
    const QByteArray path = QFile::encodeName(folder);
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode))
            return Place::Link;
        return S_ISDIR(st.st_mode) ? Place::Folder : Place::NotFolder;
    }
    if (errno == ENOENT && ::mkdir(path.constData(), 0777) == 0)
        return Place::Made;
    error = errno;
    return Place::Failed;
}

// Removes the copies of every day but the last kept ones.
void pruneDays(const QString &folder)
{
    static const QRegularExpression dated(u"^(\\d{4}-\\d{2}-\\d{2})\\.[^.]+$"_s);
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::System, QDir::Name);
    QStringList days;
    for (const QString &f : files) {
        if (const QRegularExpressionMatch m = dated.match(f); m.hasMatch())
            days.append(m.captured(1));
    }
    days.removeDuplicates(); // the names are sorted, so the days are
    if (days.size() <= kGenerationsKept)
        return;
    const QSet<QString> old(days.cbegin(), days.cend() - kGenerationsKept);
    for (const QString &f : files) {
        const QRegularExpressionMatch m = dated.match(f);
        if (m.hasMatch() && old.contains(m.captured(1)))
            QFile::remove(folder + u'/' + f);
    }
}
} // namespace

QString KeepGeneration(const DataFolder &dataFolder, const QString &name, const QString &extension,
                       const QByteArray &bytes, const QDate &day, int permissions,
                       const SaveWriteFn &write)
{
    const QString shown = u"backup/"_s + name;
    int error = 0;
    const auto notKept = [&]() -> QString {
        return u"保存しましたが、"_s + shown + u" に日付ごとの控えを残せませんでした"_s +
               (error != 0 ? u"（"_s + SystemErrorText(error) + u"）"_s : QString()) + u"。"_s +
               lineEnd() + u"フォルダに書き込めるか確かめて下さい。"_s;
    };
    const QString folder = dataFolder.GenerationFolder(name);
    if (bytes.isEmpty() && !QFileInfo::exists(folder))
        return QString(); // nothing to keep, nothing to remove
    for (const QString &place : {dataFolder.File(u"backup"_s), folder}) {
        switch (ownFolder(place, error)) {
        case Place::Folder:
        case Place::Made: break;
        case Place::Link:
            return u"保存しましたが、"_s + QDir(dataFolder.Path()).relativeFilePath(place) +
                   u" がほかの場所へのリンクのため、日付ごとの控えを残しませんでした。"_s +
                   lineEnd() + u"リンクを取り除くと、次の保存から控えを残します。"_s;
        case Place::NotFolder:
        case Place::Failed: return notKept();
        }
    }
    const QString copy = folder + u'/' + day.toString(u"yyyy-MM-dd"_s) + extension;
    if (bytes.isEmpty()) { // the file was not written: that day had none
        QFile::remove(copy);
        return QString();
    }
    const bool newDay = !QFileInfo::exists(copy);
    // What the copy holds is safe in the player's own file: no waiting for
    // the disk.
    if (!ReplaceFileContents(copy, bytes, write, permissions, &error, false))
        return notKept();
    if (newDay) // only a new day's copy can push the oldest day out
        pruneDays(folder);
    return QString();
}
