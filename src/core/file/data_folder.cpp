#include "core/file/data_folder.h"

#include "core/file/conflict_copies.h"
#include "core/file/save_sequence.h"
#include "core/file/user_data_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

QString TimesExtension()
{
    return u".times"_s;
}

DataFolder::DataFolder(const QString &path)
    : path_(path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath()))
{}

QString DataFolder::File(const QString &name) const
{
    if (!IsSet())
        return QString();
    return path_.endsWith(u'/') ? QString(path_ + name) : QString(path_ + u'/' + name);
}

QString DataFolder::PlayerFile(const QString &player) const
{
    return File(player + UserDataFile::PcdExtension());
}

QString DataFolder::BackupFile(const QString &player) const
{
    return File(player + UserDataFile::BackupExtension());
}

QString DataFolder::TimesFile(const QString &player) const
{
    return File(player + TimesExtension());
}

QString DataFolder::TimesBackupFile(const QString &player) const
{
    return File(player + TimesExtension() + UserDataFile::BackupExtension());
}

QString DataFolder::LockFile(const QString &player) const
{
    return File(u"."_s + player + UserDataFile::PcdExtension() + u".lock"_s);
}

QString DataFolder::GenerationFolder(const QString &player) const
{
    return File(u"backup/"_s + player);
}

QStringList DataFolder::PlayerFileNames() const
{
    if (!IsSet())
        return {};
    QStringList names = QDir(path_).entryList({u"*"_s + UserDataFile::PcdExtension()}, QDir::Files);
    // A sync program's conflict copy is no player of its own (conflict_copies.h).
    names.removeIf([](const QString &name) { return ReadConflictName(name).has_value(); });
    return names;
}

bool PrepareDataFolder(const QString &dir, DataFolder &folder, QString &error)
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
    const DataFolder prepared(path);
    if (!QDir().mkpath(prepared.Path()) || !QFileInfo(prepared.Path()).isDir()) {
        error = prepared.Path() + u" を作成できません"_s;
        return false;
    }
    error = UnreadableFolderText(prepared.Path());
    if (!error.isEmpty())
        return false;
    folder = prepared;
    return true;
}

QString UnreadableFolderText(const QString &path)
{
    if (path.isEmpty())
        return QString();
    const QByteArray name = QFile::encodeName(path);
    int error = 0;
    if (DIR *dir = ::opendir(name.constData()))
        ::closedir(dir);
    else
        error = errno;
    if (error == 0 && ::faccessat(AT_FDCWD, name.constData(), X_OK, AT_EACCESS) != 0)
        error = errno;
    if (error == 0)
        return QString();
    return u"データフォルダ（"_s + path + u"）を読み込めません（"_s + ReadErrorText(error) +
           u"）。"_s;
}
