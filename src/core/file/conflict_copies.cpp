#include "core/file/conflict_copies.h"

#include "core/file/data_folder.h"
#include "core/file/file_stamp.h"
#include "core/file/generations.h"
#include "core/file/save_sequence.h"
#include "core/file/user_data_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
// A copy of a lock younger than this may still be being written (the lock's
// own rule for a lock it cannot read).
constexpr qint64 kFreshLockMs = 5000;
// The copies one sync makes of a player file and of its times are made
// moments apart: paired when their names are this close in time.
constexpr qint64 kPairSeconds = 120;

// The sync programs' markers. Computer names stop at parentheses, so that a
// stem such as "taro (1)" stays part of the original name.
struct Marker {
    QRegularExpression pattern;
    SyncProgram program;
};

const QList<Marker> &markers()
{
    const auto re = [](const QString &p, bool caseless = false) {
        return QRegularExpression(p, caseless ? QRegularExpression::CaseInsensitiveOption
                                              : QRegularExpression::NoPatternOption);
    };
    static const QList<Marker> all = {
        // date, time, device
        {re(u"\\.sync-conflict-(\\d{8})-(\\d{6})-([A-Z0-9]{7})"_s), SyncProgram::Syncthing},
        // computer, date, time
        {re(u" \\(conflicted copy (?:([^()]+) )?(\\d{4}-\\d{2}-\\d{2}) (\\d{6})\\)"_s, true),
         SyncProgram::Nextcloud},
        // computer, date (and a number when a day has several)
        {re(u" \\((?:([^()]+)['’]s )?conflicted copy (\\d{4}-\\d{2}-\\d{2})(?: \\(\\d+\\))?\\)"_s,
            true),
         SyncProgram::Dropbox},
        {re(u" \\((?:([^()]+?) ?の)?競合コピー (\\d{4}-\\d{2}-\\d{2})(?: \\(\\d+\\))?\\)"_s),
         SyncProgram::Dropbox},
    };
    return all;
}

QRegularExpression datedName()
{
    return QRegularExpression(u"^(\\d{4}-\\d{2}-\\d{2})(\\.pcd|\\.times)$"_s);
}

struct Found {
    QString path;
    ConflictName name;
    QString group; // the day of a dated copy; empty in the data folder
    bool times = false;
};

// The conflict copies of the player's files in one folder.
void scan(const QString &dir, const QString &player, bool dated, QList<Found> &found)
{
    static const QRegularExpression day = datedName();
    const QStringList files =
        QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &file : files) {
        const std::optional<ConflictName> name = ReadConflictName(file);
        if (!name)
            continue;
        Found f{dir + u'/' + file, *name, QString(), false};
        if (dated) {
            const QRegularExpressionMatch m = day.match(name->original);
            if (!m.hasMatch())
                continue; // a copy moved here after merging, or another file
            f.group = m.captured(1);
            f.times = m.captured(2) == TimesExtension();
        } else if (name->original == player + TimesExtension()) {
            f.times = true;
        } else if (name->original != player + UserDataFile::PcdExtension()) {
            continue;
        }
        found.append(f);
    }
}

bool sameSync(const Found &times, const ConflictCopy &copy, const QString &group,
              const QString &copyGroup)
{
    const ConflictName &a = times.name, &b = copy.name;
    if (group != copyGroup || a.program != b.program || a.computer != b.computer)
        return false;
    if (!a.hasTime || !b.hasTime)
        return a.when.date() == b.when.date();
    return qAbs(a.when.secsTo(b.when)) <= kPairSeconds;
}

bool isLink(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

// backup/<name> as a folder of its own, made when missing.
bool backupFolder(const DataFolder &folder, const QString &name, QString &failure)
{
    for (const QString &place : {folder.File(u"backup"_s), folder.GenerationFolder(name)}) {
        if (isLink(place)) {
            failure = QDir(folder.Path()).relativeFilePath(place) +
                      u" がほかの場所へのリンクのため、移せません"_s;
            return false;
        }
        if (!QFileInfo(place).isDir() && ::mkdir(QFile::encodeName(place).constData(), 0777) != 0) {
            failure = SystemErrorText(errno);
            return false;
        }
    }
    return true;
}

bool sameContent(const QString &a, const QString &b)
{
    QByteArray x, y;
    return ReadRegularFile(a, x) == FileRead::Ok && ReadRegularFile(b, y) == FileRead::Ok && x == y;
}

// Moves one file, never replacing another: linked under the new name, then
// its old name removed (renamed where the folder takes no links).
bool moveFile(const QString &from, const QString &to, int &error)
{
    const QByteArray a = QFile::encodeName(from), b = QFile::encodeName(to);
    if (::link(a.constData(), b.constData()) == 0 || (errno == EEXIST && sameContent(from, to))) {
        if (::unlink(a.constData()) == 0 || errno == ENOENT)
            return true;
        error = errno;
        return false;
    }
    error = errno;
    if (error == EEXIST)
        return false;
    struct stat st {};
    if (::lstat(b.constData(), &st) == 0) {
        error = EEXIST;
        return false;
    }
    if (::rename(a.constData(), b.constData()) == 0)
        return true;
    error = errno;
    return false;
}
// A name of its own in dir for a file kept there, never one a save or another
// copy has: "<stem>yyyy-MM-dd HHmmss", " (2)" and so on added where taken.
QString ownName(const QString &dir, const QString &stem, const QDateTime &when,
                const QString &extension)
{
    const QString base = stem + when.toString(u"yyyy-MM-dd HHmmss"_s);
    QString name = base;
    for (int n = 2; QFileInfo::exists(dir + name + extension); ++n)
        name = base + u" ("_s + QString::number(n) + u')';
    return name;
}
} // namespace

std::optional<ConflictName> ReadConflictName(const QString &fileName)
{
    for (const Marker &marker : markers()) {
        const QRegularExpressionMatch m = marker.pattern.match(fileName);
        if (!m.hasMatch())
            continue;
        ConflictName name;
        name.program = marker.program;
        QDate date;
        QTime time;
        switch (marker.program) {
        case SyncProgram::Syncthing:
            date = QDate::fromString(m.captured(1), u"yyyyMMdd"_s);
            time = QTime::fromString(m.captured(2), u"HHmmss"_s);
            name.computer = m.captured(3);
            break;
        case SyncProgram::Nextcloud:
            date = QDate::fromString(m.captured(2), u"yyyy-MM-dd"_s);
            time = QTime::fromString(m.captured(3), u"HHmmss"_s);
            name.computer = m.captured(1);
            break;
        case SyncProgram::Dropbox:
            date = QDate::fromString(m.captured(2), u"yyyy-MM-dd"_s);
            time = QTime(0, 0);
            name.computer = m.captured(1);
            break;
        }
        if (!date.isValid() || !time.isValid())
            continue; // not a date: an ordinary name after all
        name.hasTime = marker.program != SyncProgram::Dropbox;
        name.when = QDateTime(date, time);
        name.original = QString(fileName).remove(m.capturedStart(), m.capturedLength());
        // A copy of a copy: the first name is the file's own.
        if (const std::optional<ConflictName> inner = ReadConflictName(name.original))
            name.original = inner->original;
        return name;
    }
    return std::nullopt;
}

QStringList ConflictCopy::Files() const
{
    QStringList files;
    for (const QString &f : {path, timesPath})
        if (!f.isEmpty())
            files.append(f);
    return files;
}

QList<ConflictCopy> FindConflictCopies(const DataFolder &folder, const QString &name)
{
    if (!folder.IsSet() || name.isEmpty())
        return {};
    QList<Found> found;
    scan(folder.Path(), name, false, found);
    const QString generations = folder.GenerationFolder(name);
    if (!isLink(generations) && !isLink(folder.File(u"backup"_s)))
        scan(generations, name, true, found);

    QList<ConflictCopy> copies;
    QStringList groups; // each copy's day (dated copies)
    // A copy found, against the file it is a copy of: the player's, or its
    // dated copy of that day.
    const auto add = [&](const Found &f) {
        ConflictCopy c;
        (f.times ? c.timesPath : c.path) = f.path;
        c.name = f.name;
        c.dated = !f.group.isEmpty();
        c.basePath = c.dated ? generations + u'/' + f.group + UserDataFile::PcdExtension()
                             : folder.PlayerFile(name);
        groups.append(f.group);
        copies.append(std::move(c));
    };
    for (const Found &f : std::as_const(found))
        if (!f.times)
            add(f);
    // Each times copy joins the player-file copy of the same sync, or stands
    // alone when only the times conflicted.
    for (const Found &f : std::as_const(found)) {
        if (!f.times)
            continue;
        qsizetype best = -1;
        for (qsizetype i = 0; i < copies.size(); ++i) {
            if (!copies[i].timesPath.isEmpty() || copies[i].path.isEmpty() ||
                !sameSync(f, copies[i], f.group, groups[i]))
                continue;
            if (best < 0 || qAbs(f.name.when.secsTo(copies[i].name.when)) <
                                qAbs(f.name.when.secsTo(copies[best].name.when)))
                best = i;
        }
        if (best >= 0)
            copies[best].timesPath = f.path;
        else
            add(f);
    }
    std::stable_sort(
        copies.begin(), copies.end(),
        [](const ConflictCopy &a, const ConflictCopy &b) { return a.name.when < b.name.when; });
    return copies;
}

void RemoveLockConflictCopies(const DataFolder &folder, const QString &name)
{
    if (!folder.IsSet())
        return;
    const QString lock = QFileInfo(folder.LockFile(name)).fileName();
    const QDateTime now = QDateTime::currentDateTime();
    const QStringList files = QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &file : files) {
        const std::optional<ConflictName> n = ReadConflictName(file);
        if (!n || n->original != lock)
            continue;
        const QString path = folder.File(file);
        const QByteArray encoded = QFile::encodeName(path);
        struct stat st {};
        if (::lstat(encoded.constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        const QDateTime made = QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec);
        if (qAbs(made.msecsTo(now)) < kFreshLockMs)
            continue;
        const int fd = ::open(encoded.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        // A program still holding it (its lock renamed by the sync) keeps it.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(encoded.constData());
        ::close(fd);
    }
}

bool MoveIntoBackup(const DataFolder &folder, const QString &name, const QStringList &files,
                    QString &failure)
{
    if (files.isEmpty())
        return true;
    if (!backupFolder(folder, name, failure))
        return false;
    bool moved = true;
    for (const QString &file : files) {
        const QString fileName = QFileInfo(file).fileName();
        int error = 0;
        if (!QFileInfo::exists(file) ||
            moveFile(file, folder.GenerationFolder(name) + u'/' + fileName, error))
            continue;
        if (moved)
            failure =
                fileName + u"："_s +
                (error == EEXIST ? u"同じ名前のファイルがあります"_s : SystemErrorText(error));
        moved = false;
    }
    return moved;
}

void PruneDatedConflictCopies(const DataFolder &folder, const QString &name,
                              const QStringList &offered)
{
    static const QRegularExpression day = datedName();
    const QString dir = folder.GenerationFolder(name);
    if (offered.isEmpty() || isLink(dir))
        return;
    // The days the dated copies keep; a copy of an older day goes with them.
    QStringList days;
    const QStringList files = QDir(dir).entryList(QDir::Files, QDir::Name);
    for (const QString &f : files)
        if (const QRegularExpressionMatch m = day.match(f); m.hasMatch())
            days.append(m.captured(1));
    days.removeDuplicates();
    if (days.size() < kGenerationsKept)
        return;
    const QString oldestKept = days[days.size() - kGenerationsKept];
    for (const QString &f : files) {
        const std::optional<ConflictName> n = ReadConflictName(f);
        if (!n)
            continue;
        const QRegularExpressionMatch m = day.match(n->original);
        const QString path = dir + u'/' + f;
        if (m.hasMatch() && m.captured(1) < oldestKept && offered.contains(path))
            QFile::remove(path);
    }
}

bool KeepOverwrittenFiles(const DataFolder &folder, const QString &name, const QDateTime &when,
                          QString &keptAs, QString &failure)
{
    if (!backupFolder(folder, name, failure))
        return false;
    const QString dir = folder.GenerationFolder(name) + u'/';
    const QString base = ownName(dir, name + u" 上書き前 "_s, when, UserDataFile::PcdExtension());
    for (const QString &extension : {UserDataFile::PcdExtension(), TimesExtension()}) {
        QByteArray bytes;
        int mode = -1;
        const QString from = folder.File(name + extension);
        const FileRead read = ReadRegularFile(from, bytes, &mode);
        if (read == FileRead::Missing || read == FileRead::NotRegular)
            continue;
        int error = 0;
        if (read != FileRead::Ok ||
            !ReplaceFileContents(dir + base + extension, bytes, SaveWriteFn(), mode, &error)) {
            failure = QFileInfo(from).fileName() + u" を backup/"_s + name +
                      u"/ に残せませんでした（"_s +
                      SystemErrorText(read != FileRead::Ok ? errno : error) + u"）"_s;
            return false;
        }
    }
    keptAs = u"backup/"_s + name + u'/' + base + UserDataFile::PcdExtension();
    return true;
}

bool KeepOldFormatTimes(const DataFolder &folder, const QString &name, const QByteArray &bytes,
                        int permissions, const QDateTime &when, QString &failure)
{
    if (!backupFolder(folder, name, failure))
        return false;
    const QString dir = folder.GenerationFolder(name) + u'/';
    const QString base = ownName(dir, name + u" 旧形式 "_s, when, TimesExtension());
    int error = 0;
    if (ReplaceFileContents(dir + base + TimesExtension(), bytes, SaveWriteFn(), permissions,
                            &error))
        return true;
    failure = SystemErrorText(error);
    return false;
}

QString DescribeConflictCopy(const ConflictName &name)
{
    QString text = name.when.toString(name.hasTime ? u"yyyy/MM/dd HH:mm:ss"_s : u"yyyy/MM/dd"_s);
    switch (name.program) {
    case SyncProgram::Syncthing: return text + u"、Syncthing（機器ID "_s + name.computer + u"）"_s;
    case SyncProgram::Dropbox: text += u"、Dropbox"_s; break;
    case SyncProgram::Nextcloud: text += u"、Nextcloud・ownCloud"_s; break;
    }
    return name.computer.isEmpty() ? text : text + u"（"_s + name.computer + u"）"_s;
}
