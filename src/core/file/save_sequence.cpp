#include "core/file/save_sequence.h"

#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/util/numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
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

qint64 plainWrite(QIODevice &device, const QByteArray &bytes)
{
    return device.write(bytes);
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

// Records the table could not take when the file was read would vanish from
// the file with this save: only with the person's agreement.
bool agreesToDropUnread(SharedData &shared, const QString &pcd, const QString &bak)
{
    const qint32 unread = shared.data.UnreadRecords();
    if (unread == 0)
        return true;
    const QString nl = QString::fromUtf16(UserDataFile::kLineEnd);
    QString text = u"読み込めなかった"_s + FormatGrouped(unread) +
                   u"件の記録は、保存するとファイルから失われます。"_s + nl;
    if (QFileInfo::exists(pcd))
        text += u"保存前のファイルは、次に保存するまで "_s + bak + u" に残ります。"_s + nl;
    text += u"保存しますか？"_s;
    return shared.platform.MsgBox(text, MsgButtons::OkCancel, MsgIcon::Exclamation,
                                  u"保存確認"_s) == MsgResult::Ok;
}

bool writeAll(QSaveFile &file, const QByteArray &bytes, const SaveWriteFn &write)
{
    // QSaveFile may report success after a short write (disk full), so every
    // write is checked for its full length.
    const qint64 n = write ? write(file, bytes) : plainWrite(file, bytes);
    return n == bytes.size() && file.error() == QFileDevice::NoError;
}
} // namespace

bool ReplaceFileContents(const QString &fileName, const QByteArray &bytes, const SaveWriteFn &write)
{
    QSaveFile file(fileName);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!writeAll(file, bytes, write) || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    syncFolderOf(fileName);
    return true;
}

bool SavePlayerFile(SharedData &shared, const QString &UserName, const SaveWriteFn &write)
{
    Platform &ui = shared.platform;
    const QString pcd = UserName + UserDataFile::PcdExtension();
    const QString bak = UserName + UserDataFile::BackupExtension();
    if (!agreesToDropUnread(shared, pcd, bak))
        return false;

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
            ui.MsgBox(sections[i].failureText);
            return false;
        }
    }

    QSaveFile file(pcd);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        ui.MsgBox(sections[0].failureText);
        return false;
    }
    for (const Section &s : sections) {
        if (!writeAll(file, s.bytes, write)) {
            file.cancelWriting();
            ui.MsgBox(s.failureText);
            return false;
        }
    }
    if (!file.flush()) {
        file.cancelWriting();
        ui.MsgBox(dataFailureText());
        return false;
    }

    // The backup is the previous user data file, byte for byte. A player whose
    // file has gone (deleted while open) is saved without one.
    if (QFileInfo::exists(pcd)) {
        QFile old(pcd);
        QByteArray previous;
        bool ok = old.open(QIODevice::ReadOnly);
        if (ok) {
            previous = old.readAll();
            ok = old.error() == QFileDevice::NoError;
        }
        if (!ok || !ReplaceFileContents(bak, previous, write)) {
            file.cancelWriting();
            ui.MsgBox(backupFailureText());
            return false;
        }
    }

    if (!file.commit()) {
        ui.MsgBox(dataFailureText());
        return false;
    }
    syncFolderOf(pcd);
    shared.data.ForgetUnreadRecords(); // the file now holds what the table holds
    return true;
}
