#include "core/file/save_sequence.h"

#include "core/file/file_stamp.h"
#include "core/file/generations.h"
#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <fcntl.h>
#include <sys/stat.h>
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
// link included) and never writes through it.
class ReplacingFile {
public:
    explicit ReplacingFile(const QString &fileName)
        : name_(fileName), temp_(QFileInfo(fileName).absolutePath() + u"/."_s +
                                 QFileInfo(fileName).fileName() + u".XXXXXX"_s)
    {}

    bool open(int permissions)
    {
        return temp_.open() && ::fchmod(temp_.handle(), mode_t(permissions)) == 0;
    }

    // QFile may report success after a short write (disk full), so every
    // write is checked for its full length.
    bool write(const QByteArray &bytes, const SaveWriteFn &write)
    {
        const qint64 n = write ? write(temp_, bytes) : temp_.write(bytes);
        return n == bytes.size() && temp_.error() == QFileDevice::NoError;
    }

    bool finish() { return temp_.flush() && ::fsync(temp_.handle()) == 0; }

    bool commit()
    {
        if (::rename(QFile::encodeName(temp_.fileName()).constData(),
                     QFile::encodeName(name_).constData()) != 0)
            return false;
        temp_.setAutoRemove(false);
        syncFolderOf(name_);
        return true;
    }

private:
    QString name_;
    QTemporaryFile temp_; // removed unless committed
};
} // namespace

bool ReplaceFileContents(const QString &fileName, const QByteArray &bytes, const SaveWriteFn &write,
                         int permissions)
{
    if (fileName.isEmpty())
        return false;
    if (permissions < 0)
        permissions = permissionsOf(fileName);
    ReplacingFile file(fileName);
    return file.open(permissions >= 0 ? permissions : newFilePermissions()) &&
           file.write(bytes, write) && file.finish() && file.commit();
}

QList<MessageBoxText> SaveQuestions(const SharedData &shared, const QString &UserName)
{
    // The messages name the files as the person sees them in the data folder.
    const QString pcd = UserName + UserDataFile::PcdExtension();
    const QString bak = UserName + UserDataFile::BackupExtension();
    const QString pcdPath = shared.folder.PlayerFile(UserName);
    const QString nl = lineEnd();
    QList<MessageBoxText> questions;
    if (shared.file.Name() == UserName && ChangedSince(shared.file.Seen(), pcdPath)) {
        QString text = u"このプレーヤーのファイル（"_s + pcd +
                       u"）は、読み込んだ後にほかのプログラムで書き換えられています。"_s + nl +
                       u"保存すると、その変更は失われます。"_s;
        if (QFileInfo(pcdPath).size() > 0)
            text += u"書き換えられたファイルは、次に保存するまで "_s + bak + u" に残ります。"_s;
        questions.append({text + nl + u"保存しますか？"_s, MsgButtons::OkCancel,
                          MsgIcon::Exclamation, u"保存確認"_s});
    }
    if (const QString parts = UnreadParts(shared); !parts.isEmpty()) {
        QString text =
            u"読み込めなかった"_s + parts + u"は、保存するとファイルから失われます。"_s + nl;
        if (QFileInfo::exists(pcdPath))
            text += u"保存前のファイルは、次に保存するまで "_s + bak + u" に残ります。"_s + nl;
        questions.append({text + u"保存しますか？"_s, MsgButtons::OkCancel, MsgIcon::Exclamation,
                          u"保存確認"_s});
    }
    return questions;
}

SaveResult SavePlayerFile(SharedData &shared, const QString &UserName, const SaveWriteFn &write)
{
    const QString pcd = shared.folder.PlayerFile(UserName);
    const QString bak = shared.folder.BackupFile(UserName);
    SaveResult result;
    if (pcd.isEmpty()) {
        result.failure = dataFailureText();
        return result;
    }

    struct Section {
        QByteArray bytes;
        QString failureText;
    };
    Section sections[4];
    sections[0].failureText = listFailureText();
    sections[1].failureText = listFailureText();
    sections[2].failureText = listFailureText();
    sections[3].failureText = dataFailureText();
    const bool built[4] = {
        shared.states.SectionBytes(sections[0].bytes),
        shared.Stores.SectionBytes(UserDataFile::StoreMarker(), sections[1].bytes),
        shared.Machines.SectionBytes(UserDataFile::MachineMarker(), sections[2].bytes),
        shared.data.SectionBytes(sections[3].bytes),
    };
    for (int i = 0; i < 4; ++i) {
        if (!built[i]) {
            result.failure = sections[i].failureText;
            return result;
        }
    }

    // The previous file, for the backup. A player whose file has gone (deleted
    // while open) is saved without one; a pipe or a folder is never opened.
    // The backup and the new file keep the player file's permissions.
    QByteArray previous;
    int mode = newFilePermissions();
    const QDate lastSaved = QFileInfo(pcd).lastModified().date();
    switch (ReadRegularFile(pcd, previous, &mode)) {
    case FileRead::Ok:
    case FileRead::Missing: break;
    case FileRead::NotRegular:
        result.failure = UserName + UserDataFile::PcdExtension() +
                         u" は通常のファイルではないため、保存できません。"_s;
        return result;
    case FileRead::Failed: result.failure = backupFailureText(); return result;
    }
    ReplacingFile file(pcd);
    if (!file.open(mode)) {
        result.failure = sections[0].failureText;
        return result;
    }
    ContentHash written;
    qint64 size = 0;
    for (const Section &s : sections) {
        if (!file.write(s.bytes, write)) {
            result.failure = s.failureText;
            return result;
        }
        written.Add(s.bytes);
        size += s.bytes.size();
    }
    if (!file.finish()) {
        result.failure = dataFailureText();
        return result;
    }

    // The backup is the previous user data file, byte for byte; an empty one
    // (cut off by another program) never replaces a good backup.
    if (!previous.isEmpty() && !ReplaceFileContents(bak, previous, write, mode)) {
        result.failure = backupFailureText();
        return result;
    }

    if (!file.commit()) {
        result.failure = dataFailureText();
        return result;
    }
    result.saved = true;
    if (shared.file.Name() == UserName)
        shared.file.SetSeen(FileStamp{true, size, QFileInfo(pcd).lastModified(), written.Result()});
    ForgetUnread(shared); // the file now holds what the tables hold

    if (!previous.isEmpty() &&
        !KeepGeneration(shared.folder, UserName, previous, lastSaved, mode, write))
        result.notice = u"保存しましたが、backup/"_s + UserName +
                        u" に日付ごとの控えを残せませんでした。"_s + lineEnd() +
                        u"フォルダに書き込めるか確かめて下さい。"_s;
    return result;
}
