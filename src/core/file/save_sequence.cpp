#include "core/file/save_sequence.h"

#include "core/file/conflict_copies.h"
#include "core/file/data_folder.h"
#include "core/file/file_stamp.h"
#include "core/file/generations.h"
#include "core/file/leftovers.h"
#include "core/file/play_times_file.h"
#include "core/file/replaced_files.h"
#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "core/util/later_work.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <future>
#include <optional>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <system_error>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
QString listFailureText()
{
    return u"店データの書き込みに失敗しました"_s;
}
QString dataFailureText()
{
    return u"データの書き込みに失敗しました"_s;
}
QString backupFailureText()
{
    return u"バックアップファイルの作成に失敗しました"_s;
}
QString lineEnd()
{
    return QString::fromUtf16(UserDataFile::kLineEnd);
}

// "データの書き込みに失敗しました" and, on the next line, the file and the reason.
QString failureText(const QString &what, const QString &fileName, int error)
{
    return what + lineEnd() + QFileInfo(fileName).fileName() + u"："_s + SystemErrorText(error);
}

// fsync of the folder, so that a power cut cannot lose the new name.
void syncFolderOf(const QString &fileName)
{
    const QByteArray dir = QFile::encodeName(QFileInfo(fileName).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Whether the disk that holds fileName has room for bytes more; no when it
// cannot be told. The times file is written early only with room for it,
// twice the previous player file and this besides.
constexpr qint64 kRoomToSpare = 1 << 20;
bool roomFor(const QString &fileName, qint64 bytes)
{
    struct statvfs disk {};
    const QByteArray folder = QFile::encodeName(QFileInfo(fileName).absolutePath());
    if (::statvfs(folder.constData(), &disk) != 0 || disk.f_frsize == 0)
        return false;
    return disk.f_bavail > quint64(bytes) / disk.f_frsize;
}

int newFilePermissions()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~int(mask);
}

// The mode bits of the regular file at fileName (a link is not looked
// through), or -1.
int permissionsOf(const QString &fileName)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(fileName).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return int(st.st_mode & 07777);
}

// A file written beside its final name under a temporary one, and renamed over
// the final name once complete. The rename replaces whatever has that name (a
// link included) and never writes through it. Every step keeps the system's
// error number of its failure.
class ReplacingFile {
public:
    explicit ReplacingFile(const QString &fileName) : name_(fileName) {}
    ~ReplacingFile()
    {
        if (!temp_.isEmpty())
            ::unlink(QFile::encodeName(temp_).constData());
    }
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    bool open(int permissions)
    {
        for (int attempt = 0; attempt < 16; ++attempt) {
            const QString temp = TempNameBeside(name_);
            const int fd = ::open(QFile::encodeName(temp).constData(),
                                  O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
            if (fd < 0 && errno == EEXIST)
                continue;
            if (fd < 0)
                return fail();
            temp_ = temp;
            // Unbuffered: every write reaches the system at once, with its error.
            if (::fchmod(fd, mode_t(permissions)) != 0 ||
                !file_.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                            QFileDevice::AutoCloseHandle)) {
                const int error = errno;
                if (!file_.isOpen())
                    ::close(fd);
                error_ = error;
                return false;
            }
            return true;
        }
        return fail();
    }

    // QFile may report success after a short write (disk full), so every
    // write is checked for its full length.
    bool write(const QByteArray &bytes, const SaveWriteFn &write)
    {
        errno = 0;
        const qint64 n = write ? write(file_, bytes) : file_.write(bytes);
        return n == bytes.size() && file_.error() == QFileDevice::NoError ? true : fail();
    }

    bool finish() { return ::fsync(file_.handle()) == 0 ? true : fail(); }

    bool commit(bool sync = true)
    {
        file_.close();
        if (!RenameReplacing(QFile::encodeName(temp_), QFile::encodeName(name_)))
            return fail();
        temp_.clear();
        if (sync)
            syncFolderOf(name_);
        return true;
    }

    int error() const { return error_; }

private:
    bool fail()
    {
        error_ = errno;
        return false;
    }

    QString name_;
    QString temp_; // removed unless committed
    QFile file_;
    int error_ = 0;
};

// Work done beside this thread's own: started on a second thread when it
// may be and one can be had; otherwise done on this thread by finish().
// Whatever the work touches must be declared before it: the destructor
// waits for the thread (work never started is then not done at all).
class Beside {
public:
    Beside(bool onSecondThread, std::function<void()> work) : work_(std::move(work))
    {
        if (!onSecondThread)
            return;
        try {
            done_ = std::async(std::launch::async, work_);
            work_ = nullptr;
        } catch (const std::system_error &) {
            // No thread to be had: finish() does the work.
        }
    }
    ~Beside()
    {
        if (done_.valid())
            done_.wait();
    }
    Beside(const Beside &) = delete;
    Beside &operator=(const Beside &) = delete;

    // The work done, waited for or done here; once.
    void finish()
    {
        if (done_.valid())
            done_.get();
        else if (work_)
            std::exchange(work_, nullptr)();
    }

private:
    std::function<void()> work_; // still to be done here
    std::future<void> done_;
};

// Keeps the previous player file as the backup. A regular file is linked
// under the backup's name, so that the backup costs no copy; where the folder
// takes no links (a memory stick's), or the player file is a link, its bytes
// are copied. An empty file never replaces a good backup.
bool keepBackup(const QString &pcd, const QString &bak, int mode, const SaveWriteFn &write,
                int &error)
{
    struct stat st {};
    const QByteArray from = QFile::encodeName(pcd);
    if (::lstat(from.constData(), &st) != 0)
        return true; // nothing to back up
    if (S_ISREG(st.st_mode)) {
        if (st.st_size == 0)
            return true;
        const QByteArray temp = QFile::encodeName(TempNameBeside(bak));
        if (::link(from.constData(), temp.constData()) == 0) {
            if (RenameReplacing(temp, QFile::encodeName(bak)))
                return true;
            error = errno;
            ::unlink(temp.constData());
            return false;
        }
    }
    QByteArray previous;
    switch (ReadRegularFile(pcd, previous)) {
    case FileRead::Ok: break;
    case FileRead::Missing: return true;
    case FileRead::NotRegular:
    case FileRead::TooLarge:
    case FileRead::Failed: error = errno; return false;
    }
    return previous.isEmpty() || ReplaceFileContents(bak, previous, write, mode, &error);
}
// No visit has times any more: the file that held them goes (its backup
// stays), or the next opening would attach them again.
bool removeTimesFile(const QString &fileName, int &error)
{
    const QByteArray path = QFile::encodeName(fileName);
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || S_ISDIR(st.st_mode) ||
        ::unlink(path.constData()) == 0)
        return true;
    error = errno;
    return false;
}

// The times file on disk when it is of an earlier version than the one
// written now (the first, times alone, or the second): its bytes and mode
// bits. Only its head is read to tell.
bool oldFormatTimes(const QString &fileName, QByteArray &bytes, int &mode)
{
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    if (const int version = PlayTimesVersion(file.read(256)); version != 1 && version != 2)
        return false;
    file.close();
    return ReadRegularFile(fileName, bytes, &mode) == FileRead::Ok;
}

// The first save of the visits' details over a times file of an earlier
// version keeps that file under backup/<name>/ for the copies of the program
// that read only it; the notice when it could not be kept.
QString keepOldFormat(const SharedData &shared, const QString &UserName, const QByteArray &times)
{
    const QString timesPath = shared.folder.TimesFile(UserName);
    QByteArray old;
    int mode = -1;
    QString failure;
    if (PlayTimesVersion(times) != 3 || !oldFormatTimes(timesPath, old, mode) ||
        KeepOldFormatTimes(shared.folder, UserName, old, mode, QDateTime::currentDateTime(),
                           failure))
        return QString();
    const QString name = UserName + TimesExtension();
    return u"保存しましたが、前の形式の "_s + name + u" を backup/"_s + UserName +
           u"/ に残せませんでした（"_s + failure + u"）。"_s + lineEnd() +
           u"前の形式のファイルは、次に保存するまで "_s + name + UserDataFile::BackupExtension() +
           u" に残ります。"_s;
}

// Why this save leaves the times file as it is: it could not be read when the
// player was opened, or something that is no file has taken its place since.
// Empty: the times are written as usual.
QString timesLeftAsIs(const SharedData &shared, const QString &UserName)
{
    if (shared.file.Name() == UserName && !shared.file.UnreadableTimes().isEmpty())
        return shared.file.UnreadableTimes();
    return NotAFileReason(shared.folder.TimesFile(UserName));
}

// Saving records only, with the times file that could not be read left alone.
std::optional<MessageBoxText> timesLeftQuestion(const SharedData &shared, const QString &UserName)
{
    const QString reason = timesLeftAsIs(shared, UserName);
    if (reason.isEmpty())
        return std::nullopt;
    const QString times = UserName + TimesExtension(), nl = lineEnd();
    return MessageBoxText{u"稼働時間などのファイル（"_s + times + u"）を読み込めないため（"_s +
                              reason + u"）、稼働時間などは保存できません。"_s + nl +
                              u"成績だけを保存し、"_s + times + u" と "_s + times +
                              UserDataFile::BackupExtension() + u" はそのまま残します。"_s + nl +
                              u"保存しますか？"_s,
                          MsgButtons::OkCancel, MsgIcon::Exclamation, u"保存確認"_s};
}
} // namespace

QString SystemErrorText(int error)
{
    switch (error) {
    case 0: return u"最後まで書き込めませんでした"_s;
    case ENOSPC: return u"ディスクの空き容量が足りません"_s;
    case EDQUOT: return u"ディスクの使用量の上限に達しています"_s;
    case EACCES:
    case EPERM: return u"書き込む権限がありません"_s;
    case EROFS: return u"読み取り専用のディスクです"_s;
    case EIO: return u"ディスクの読み書きでエラーが起きました"_s;
    case ENOENT: return u"フォルダが見つかりません"_s;
    case EISDIR: return u"同じ名前のフォルダがあります"_s;
    case ENAMETOOLONG: return u"ファイル名が長すぎます"_s;
    default:
        return QString::fromLocal8Bit(std::strerror(error)) + u"（"_s + QString::number(error) +
               u"）"_s;
    }
}

QString ReadErrorText(int error)
{
    if (error == 0)
        return u"最後まで読み込めませんでした"_s;
    return error == EACCES || error == EPERM ? u"読む権限がありません"_s : SystemErrorText(error);
}

bool ReplaceFileContents(const QString &fileName, const QByteArray &bytes, const SaveWriteFn &write,
                         int permissions, int *error, bool sync)
{
    if (fileName.isEmpty())
        return false;
    if (permissions < 0)
        permissions = permissionsOf(fileName);
    ReplacingFile file(fileName);
    if (file.open(permissions >= 0 ? permissions : newFilePermissions()) &&
        file.write(bytes, write) && (!sync || file.finish()) && file.commit(sync))
        return true;
    if (error)
        *error = file.error();
    return false;
}

QList<MessageBoxText> SaveQuestions(const SharedData &shared, const QString &UserName)
{
    // The messages name the files as the person sees them in the data folder.
    const QString bak = UserName + UserDataFile::BackupExtension();
    const QString pcdPath = shared.folder.PlayerFile(UserName);
    const QString nl = lineEnd();
    QList<MessageBoxText> questions;
    if (const QString parts = UnreadParts(shared); !parts.isEmpty()) {
        QString text =
            u"読み込めなかった"_s + parts + u"は、保存するとファイルから失われます。"_s + nl;
        if (QFileInfo::exists(pcdPath))
            text += u"保存前のファイルは、次に保存するまで "_s + bak + u" に残ります。"_s + nl;
        if (shared.file.UnmatchedTimes() > 0)
            text += u"保存前の稼働時間などは、次に保存するまで "_s + UserName + TimesExtension() +
                    UserDataFile::BackupExtension() + u" に残ります。"_s + nl;
        questions.append({text + u"保存しますか？"_s, MsgButtons::OkCancel, MsgIcon::Exclamation,
                          u"保存確認"_s});
    }
    if (const std::optional<MessageBoxText> times = timesLeftQuestion(shared, UserName))
        questions.append(*times);
    return questions;
}

SaveResult SavePlayerFile(SharedData &shared, const QString &UserName, const SaveWriteFn &write)
{
    const QString pcd = shared.folder.PlayerFile(UserName);
    const QString bak = shared.folder.BackupFile(UserName);
    const QString timesPath = shared.folder.TimesFile(UserName);
    const QString timesBak = shared.folder.TimesBackupFile(UserName);
    // The files this save replaces are freed once it is over.
    const LaterWorkHeld replacedKept;
    SaveResult result;
    if (pcd.isEmpty()) {
        result.failure = dataFailureText();
        return result;
    }
    if (shared.file.Name() == UserName && shared.file.ReadOnly()) {
        result.failure = UserName + u" は読み取り専用で開いているため、保存できません。"_s;
        return result;
    }

    // A player whose file has gone (deleted while open) is saved without a
    // backup; a pipe or a folder is never opened. The backup and the new
    // files keep the player file's permissions.
    int mode = newFilePermissions();
    struct stat st {};
    const bool found = ::stat(QFile::encodeName(pcd).constData(), &st) == 0;
    const bool notRegular = found && !S_ISREG(st.st_mode);
    if (found)
        mode = int(st.st_mode & 07777);

    // The play times go to their own file, complete and synced before either
    // file is replaced; none while no visit has times. A times file that was
    // not read is never replaced, nor moved to its backup.
    // The times file's work is done on a second thread beside the player
    // file's, each step joined before the next that depends on both; until
    // the renames both threads only read shared. The times file is built,
    // written and synced while the player file's sections are built: its
    // sync, as long as the player file's, then costs the save nothing. On a
    // disk nearly full it is written after the player file, as when one
    // thread does all, so that a failure names the same file and section
    // however the threads ran. A write hook (tests that count the writes)
    // keeps everything on this thread, in that order: the player file
    // written, then the times file written and synced, then the player file.
    const bool leaveTimes = !timesLeftAsIs(shared, UserName).isEmpty();
    const bool beside = !write && !leaveTimes;
    QByteArray times;
    ReplacingFile timesFile(timesPath);
    bool timesWritten = true, timesLater = false;
    const auto writeTimes = [&] {
        timesWritten = times.isEmpty() || (timesFile.open(mode) && timesFile.write(times, write) &&
                                           timesFile.finish());
    };
    Beside timesReady(beside && !notRegular, [&] {
        if (leaveTimes)
            return;
        times = PlayTimesBytes(shared.data);
        const qint64 previous = found ? qint64(st.st_size) : 0;
        if (roomFor(timesPath, times.size() + 2 * previous + kRoomToSpare))
            writeTimes();
        else
            timesLater = true;
    });

    struct Section {
        QByteArray bytes;
        QString failureText;
    };
    Section sections[4];
    sections[0].failureText = listFailureText();
    sections[1].failureText = listFailureText();
    sections[2].failureText = listFailureText();
    sections[3].failureText = dataFailureText();
    const bool built =
        shared.states.SectionBytes(sections[0].bytes) &&
        shared.Stores.SectionBytes(UserDataFile::StoreMarker(), sections[1].bytes) &&
        shared.Machines.SectionBytes(UserDataFile::MachineMarker(), sections[2].bytes) &&
        shared.data.SectionBytes(sections[3].bytes);
    if (!built) {
        // Say where: the record or name, and the character.
        result.uncarried = FindUncarriedText(shared);
        result.failure = result.uncarried ? DescribeUncarriedText(shared, *result.uncarried) +
                                                lineEnd() + u"このままでは保存できません。"_s
                                          : dataFailureText();
        return result;
    }
    if (notRegular) {
        result.failure = UserName + UserDataFile::PcdExtension() +
                         u" は通常のファイルではないため、保存できません。"_s;
        return result;
    }
    ReplacingFile file(pcd);
    if (!file.open(mode)) {
        result.failure = failureText(sections[0].failureText, pcd, file.error());
        return result;
    }
    QByteArray whole;
    whole.reserve(sections[0].bytes.size() + sections[1].bytes.size() + sections[2].bytes.size() +
                  sections[3].bytes.size());
    for (const Section &s : sections) {
        if (!file.write(s.bytes, write)) {
            result.failure = failureText(s.failureText, pcd, file.error());
            return result;
        }
        whole += s.bytes;
    }
    // A player file that could not be written is named before the times
    // file, as when one thread does all.
    timesReady.finish();
    if (timesLater)
        writeTimes();
    const bool synced = file.finish();
    if (!timesWritten) {
        result.failure = failureText(dataFailureText(), timesPath, timesFile.error());
        return result;
    }
    if (!synced) {
        result.failure = failureText(dataFailureText(), pcd, file.error());
        return result;
    }
    const bool newTimes = !times.isEmpty();
    const QString converted = newTimes ? keepOldFormat(shared, UserName, times) : QString();

    // Each backup is kept before its file is replaced, the two side by side.
    int timesBakError = 0;
    bool timesBacked = true;
    Beside timesBackup(beside, [&] {
        timesBacked = leaveTimes || keepBackup(timesPath, timesBak, mode, write, timesBakError);
    });
    int error = 0;
    if (!keepBackup(pcd, bak, mode, write, error)) {
        result.failure = failureText(backupFailureText(), bak, error);
        return result;
    }
    timesBackup.finish();
    if (!timesBacked) {
        result.failure = failureText(backupFailureText(), timesBak, timesBakError);
        return result;
    }
    // The times first: a save cut short between the two renames leaves new
    // times beside the previous player file, whose lines name the records
    // they belong to, so that none attaches to another visit. Both names are
    // in one folder, whose sync after the player file's rename holds both.
    if (newTimes ? !timesFile.commit(false) : !leaveTimes && !removeTimesFile(timesPath, error)) {
        result.failure =
            failureText(dataFailureText(), timesPath, newTimes ? timesFile.error() : error);
        return result;
    }
    if (!file.commit()) {
        syncFolderOf(timesPath); // the times file replaced stays replaced
        result.failure = failureText(dataFailureText(), pcd, file.error());
        return result;
    }
    result.saved = true;
    if (shared.file.Name() == UserName)
        shared.file.SetSeen(StampOf(pcd, whole));
    ForgetUnread(shared); // the file now holds what the tables hold

    // The day's copies side by side, once the folder that holds them is
    // there (two threads would race to make it).
    const QDate today = shared.platform.Today();
    QString timesNotice;
    Beside timesCopy(beside && QFileInfo::exists(shared.folder.GenerationFolder(UserName)), [&] {
        if (!leaveTimes)
            timesNotice = KeepGeneration(shared.folder, UserName, TimesExtension(), times, today,
                                         mode, write);
    });
    result.notice = KeepGeneration(shared.folder, UserName, UserDataFile::PcdExtension(), whole,
                                   today, mode, write);
    if (result.notice.isEmpty()) {
        timesCopy.finish();
        result.notice = timesNotice;
    }
    if (!converted.isEmpty())
        result.notice = result.notice.isEmpty() ? converted : converted + lineEnd() + result.notice;
    return result;
}
