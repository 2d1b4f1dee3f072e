#include "ui/sync_copies/copy_offers.h"

#include "core/file/conflict_merge.h"
#include "core/file/data_folder.h"
#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "core/util/numbers.h"
#include "ui/sync_copies/merge_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
QString nl()
{
    return QString::fromUtf16(UserDataFile::kLineEnd);
}

QString backupShown(const QString &name)
{
    return u"backup/"_s + name + u'/';
}

FileStamp stampOfFile(const QString &path)
{
    QByteArray bytes;
    return ReadRegularFile(path, bytes) == FileRead::Ok ? StampOf(path, bytes) : FileStamp();
}

void noteTimesFile(SharedData &shared, const QString &name)
{
    PlayerFile::Copies &copies = shared.file.SyncCopies();
    copies.times = stampOfFile(shared.folder.TimesFile(name));
    copies.timesSeen = true;
}

// Whether the data holds everything the copy brings, so that nothing is
// lost when the copy moves out of sight.
bool settled(const SharedData &shared, const ConflictCopy &copy)
{
    const CopyMerge one = PreviewConflictMerge(shared, {copy}).copies.value(0);
    return one.readable && one.unread == 0 && one.added.InvalidCount == 0 && !one.HasNews();
}

// Moves the copies in the data folder that the data (as the file holds it)
// holds completely into backup/<name>/; they leave copies. The names moved.
QStringList moveSettled(SharedData &shared, QList<ConflictCopy> &copies, QString &failure)
{
    const QString name = shared.states.UserName;
    QStringList moved;
    copies.removeIf([&](const ConflictCopy &c) {
        if (c.dated || !settled(shared, c))
            return false;
        QString why;
        if (!MoveIntoBackup(shared.folder, name, c.Files(), why)) {
            if (failure.isEmpty())
                failure = why;
            return false;
        }
        moved.append(QFileInfo(c.path.isEmpty() ? c.timesPath : c.path).fileName());
        return true;
    });
    return moved;
}

QString movedLines(const QString &name, const QStringList &moved)
{
    return u"このプレーヤーにない成績のない競合コピーは、"_s + backupShown(name) +
           u" に移しました（消してはいません）："_s + nl() + u"・"_s + moved.join(nl() + u"・"_s);
}

QString copyLine(const SharedData &shared, const CopyMerge &c)
{
    const QString file = c.copy.path.isEmpty() ? c.copy.timesPath : c.copy.path;
    QStringList brings;
    if (!c.readable)
        brings.append(u"読み込めません"_s);
    if (c.added.NewRowCount > 0)
        brings.append(u"このプレーヤーにない成績 "_s + FormatGrouped(c.added.NewRowCount) +
                      u"件"_s);
    if (c.detailsTaken > 0)
        brings.append(u"稼働時間などだけある成績 "_s + FormatGrouped(c.detailsTaken) + u"件"_s);
    if (const qsizetype names = c.added.NewStores.size() + c.added.NewMachines.size(); names > 0)
        brings.append(u"一覧にない店・台 "_s + FormatGrouped(double(names)) + u"件"_s);
    if (c.unread > 0)
        brings.append(u"読み込めない部分 "_s + FormatGrouped(c.unread) + u"件"_s);
    return u"・"_s + QDir(shared.folder.Path()).relativeFilePath(file) + nl() + u"　"_s +
           DescribeConflictCopy(c.copy.name) + nl() + u"　"_s + brings.join(u"、"_s);
}

// Shows the preview and merges when the person confirms; false when not merged.
bool previewAndMerge(SharedData &shared, const ConflictMerge &merge, const QString &okText,
                     bool movesCopies)
{
    MergePreviewDialog dialog(shared, merge, okText, movesCopies, QApplication::activeWindow());
    if (shared.platform.ShowModal(dialog) != QDialog::Accepted)
        return false;
    const ChangeOutcome outcome = ApplyConflictMerge(shared, merge);
    if (!outcome) {
        QString why;
        MergeFits(merge, shared, why);
        shared.platform.MsgBox(why);
    }
    return bool(outcome);
}
} // namespace

void OfferConflictCopies(SharedData &shared, OfferMoment moment)
{
    const QString name = shared.states.UserName;
    if (name.isEmpty() || shared.file.Name() != name)
        return;
    const bool opening = moment == OfferMoment::Opening;
    if (opening) {
        noteTimesFile(shared, name);
        if (!shared.file.ReadOnly())
            RemoveLockConflictCopies(shared.folder, name);
    }
    QStringList &offered = shared.file.SyncCopies().offered;
    QList<ConflictCopy> copies = FindConflictCopies(shared.folder, name);
    copies.removeIf(
        [&offered](const ConflictCopy &c) { return offered.contains(c.Files().first()); });
    if (copies.isEmpty())
        return;
    for (const ConflictCopy &c : std::as_const(copies))
        offered += c.Files();
    Platform &ui = shared.platform;
    const QString title = u"競合コピーの確認"_s;
    if (shared.file.ReadOnly()) {
        ui.MsgBox(name + u" には、別のパソコンで保存された成績の競合コピーがあります。"_s + nl() +
                      u"読み取り専用で開いているため、取り込めません。データフォルダに書き込める"
                      u"ようにしてから、開き直して下さい。"_s,
                  MsgButtons::Ok, MsgIcon::Exclamation, title);
        return;
    }
    // What the file just read holds already needs no merging: those copies
    // move out of the way at once. Before a save the data differ from the
    // file: they move after the save.
    QString failure;
    const QStringList moved = opening ? moveSettled(shared, copies, failure) : QStringList();
    copies.removeIf([&shared](const ConflictCopy &c) { return settled(shared, c); });
    if (!failure.isEmpty())
        ui.MsgBox(u"このプレーヤーにない成績のない競合コピーを "_s + backupShown(name) +
                      u" に移せませんでした（"_s + failure + u"）。コピーはそのまま残ります。"_s,
                  MsgButtons::Ok, MsgIcon::Exclamation, title);
    if (copies.isEmpty()) {
        if (!moved.isEmpty())
            ui.MsgBox(movedLines(name, moved), MsgButtons::Ok, MsgIcon::Information, title);
        return;
    }

    // A copy that brings nothing beyond the copies before it (a dated copy of
    // the same save) added nothing to the merge: left out of the offer.
    ConflictMerge merge = PreviewConflictMerge(shared, copies);
    merge.copies.removeIf([](const CopyMerge &c) {
        return c.readable && c.unread == 0 && c.added.InvalidCount == 0 && !c.HasNews();
    });
    QStringList lines;
    for (const CopyMerge &c : merge.copies)
        lines.append(copyLine(shared, c));
    QString text = name + u" には、別のパソコンで保存された成績の競合コピーがあります。"_s + nl() +
                   u"同期ソフトが、両方で保存されたファイルの片方を別の名前で残したものです。"_s +
                   nl() + nl() + lines.join(nl()) + nl() + nl() +
                   u"「取り込む」：内容を確かめてから、ない成績をこのプレーヤーに加えます。"
                   u"今の成績は何も消しません。"_s +
                   nl() +
                   u"「後で」：今は何もしません。次に開いたときに、もう一度お知らせします。"_s;
    if (!moved.isEmpty())
        text += nl() + nl() + movedLines(name, moved);
    if (AskChoice(shared, title, text, {u"取り込む"_s, u"後で"_s}) == 0)
        previewAndMerge(shared, merge, u"取り込む"_s, true);
}

bool SettleChangedFiles(SharedData &shared, const QString &name)
{
    if (shared.file.Name() != name)
        return true;
    const PlayerFile::Copies &seen = shared.file.SyncCopies();
    const bool changed =
        ChangedSince(shared.file.Seen(), shared.folder.PlayerFile(name)) ||
        (seen.timesSeen && ChangedSince(seen.times, shared.folder.TimesFile(name)));
    if (!changed)
        return true;
    const QDateTime now = QDateTime::currentDateTime();
    const QString pcd = name + UserDataFile::PcdExtension();
    const QString text =
        u"このプレーヤーのファイル（"_s + pcd +
        u"）は、読み込んだ後に、ほかのパソコンかほかのプログラムで保存されています。"_s + nl() +
        nl() +
        u"「取り込んでから保存」：そのファイルにあってここにない成績を、確かめてから加えて"
        u"保存します。"_s +
        nl() + u"「上書き」：ここの内容だけで保存します。そのファイルは "_s + backupShown(name) +
        u" に「"_s + name + u" 上書き前 "_s + now.toString(u"yyyy-MM-dd HHmmss"_s) +
        UserDataFile::PcdExtension() + u"」として残します。"_s + nl() +
        u"「キャンセル」：保存しません。"_s;
    switch (AskChoice(shared, u"保存確認"_s, text,
                      {u"取り込んでから保存"_s, u"上書き"_s, u"キャンセル"_s})) {
    case 0: {
        const ConflictMerge merge = PreviewConflictMerge(shared, {PlayerFilesAsCopy(shared, name)});
        if (merge.HasNews() && !previewAndMerge(shared, merge, u"取り込んで保存"_s, false))
            return false;
        // What the file holds is in the data now.
        shared.file.SetSeen(merge.copies.value(0).seen);
        noteTimesFile(shared, name);
        return true;
    }
    case 1: {
        QString keptAs, failure;
        if (!KeepOverwrittenFiles(shared.folder, name, now, keptAs, failure)) {
            shared.platform.MsgBox(failure + nl() + u"保存しませんでした。"_s);
            return false;
        }
        shared.file.SetSeen(stampOfFile(shared.folder.PlayerFile(name)));
        noteTimesFile(shared, name);
        return true;
    }
    default: return false;
    }
}

void AfterSave(SharedData &shared, const QString &name)
{
    if (shared.file.Name() != name)
        return;
    noteTimesFile(shared, name);
    // A times file that could not be read was left as it was: the times the
    // copies brought are in no file of the player, so the copies stay.
    QList<ConflictCopy> copies;
    if (shared.file.UnreadableTimes().isEmpty())
        copies = FindConflictCopies(shared.folder, name);
    QString failure;
    moveSettled(shared, copies, failure);
    if (!failure.isEmpty() && !shared.toldGenerationFailure) {
        shared.toldGenerationFailure = true;
        shared.platform.MsgBox(u"保存しましたが、競合コピーを "_s + backupShown(name) +
                               u" に移せませんでした（"_s + failure + u"）。"_s + nl() +
                               u"コピーはそのまま残り、次に開いたときにもう一度確かめます。"_s);
    }
    PruneDatedConflictCopies(shared.folder, name, shared.file.SyncCopies().offered);
}
