#include "core/model/shared_data.h"

#include "core/file/data_folder.h"
#include "core/file/item_reader.h"
#include "core/file/leftovers.h"
#include "core/file/play_times_file.h"
#include "core/file/user_data_file.h"
#include "core/util/numbers.h"

#include <QFileInfo>
#include <QStringList>
#include <system_error>

using namespace Qt::StringLiterals;

namespace {
QString lineEnd()
{
    return QString::fromUtf16(UserDataFile::kLineEnd);
}

QString limitsLine()
{
    return u"（記録は32,767件まで、収支の合計はプラス・マイナス約21億円までです）"_s;
}

QString otherComputerQuestion(const QString &name, const PlayerFile::LockResult &lock)
{
    const QString nl = lineEnd();
    return name + u" は、別のコンピューター（"_s + lock.host + u"）のるでら３で "_s +
           lock.since.toString(u"yyyy/MM/dd HH:mm"_s) + u" から使用中になっています。"_s + nl +
           u"そのコンピューターでるでら３を終了せずに止めた（電源が切れた、持ち出した）"
           u"ときは、その跡が残っているだけです。"_s +
           nl + u"そのコンピューターでまだ使っているときに開くと、どちらかの変更が失われます。"_s +
           nl + nl + u"このコンピューターで引き継いで開きますか？"_s;
}

QString unreadNotice(const SharedData &shared)
{
    const QString parts = UnreadParts(shared);
    if (parts.isEmpty())
        return QString();
    const Data &data = shared.data;
    const QString nl = lineEnd();
    const qint32 times = shared.file.UnmatchedTimes();
    const bool onlyTimes = data.UnreadRecords() == 0 && shared.Stores.Unread() == 0 &&
                           shared.Machines.Unread() == 0 && shared.states.UnreadLines() == 0;
    // Only times whose records are gone or changed: say so, and why.
    if (onlyTimes)
        return FormatGrouped(times) +
               u"件の稼働時間などが、どの記録とも合いません（稼働時間などを記録した後に、ほかの"
               u"プログラムで成績のファイルが変えられたようです）。"_s +
               nl + u"これらの稼働時間などは表示も集計もされません。"_s + nl +
               u"保存すると、これらはファイルから失われます（保存する前に確認します）。"_s;
    // Only complete records past the limits: say which ones were read.
    if (data.UnreadRecords() == data.RecordsBeyondLimits() && shared.Stores.Unread() == 0 &&
        shared.Machines.Unread() == 0 && shared.states.UnreadLines() == 0 && times == 0)
        return u"このプレーヤーのファイルには、扱える上限を超える記録があります。"_s + nl +
               u"最初の"_s + FormatGrouped(data.ListCount()) + u"件だけを読み込みました。残りの"_s +
               FormatGrouped(data.UnreadRecords()) + u"件は表示も集計もされません。"_s + nl +
               limitsLine();
    QString text = u"このプレーヤーのファイルには、読み込めない部分があります。"_s + nl +
                   u"読み込めなかった"_s + parts + u"は、表示も集計もされません。"_s + nl +
                   u"保存すると、これらはファイルから失われます（保存する前に確認します）。"_s;
    if (data.RecordsBeyondLimits() > 0)
        text += nl + limitsLine();
    return text;
}

// A times file that could not be read: which and why, and that saves keep it.
QString unreadableTimesNotice(const SharedData &shared, const QString &name)
{
    const QString reason = shared.file.UnreadableTimes();
    if (reason.isEmpty())
        return QString();
    const QString nl = lineEnd();
    return u"稼働時間などのファイル（"_s + name + TimesExtension() + u"）を読み込めません（"_s +
           reason + u"）。"_s + nl +
           u"稼働時間などは表示も集計もされません。保存しても、このファイルは"_s +
           u"そのまま残します。"_s + nl +
           u"ファイルを直してから、もう一度このプレーヤーを選んで下さい。"_s;
}
} // namespace

QString UnreadParts(const SharedData &shared)
{
    QStringList parts;
    const auto add = [&parts](qint32 n, const QString &what) {
        if (n > 0)
            parts.append(FormatGrouped(n) + what);
    };
    add(shared.data.UnreadRecords(), u"件の記録"_s);
    add(shared.Stores.Unread(), u"件の店"_s);
    add(shared.Machines.Unread(), u"件の台"_s);
    add(shared.states.UnreadLines(), u"行の設定"_s);
    add(shared.file.UnmatchedTimes(), u"件の稼働時間など"_s);
    return parts.join(u"、"_s);
}

void ForgetUnread(SharedData &shared)
{
    shared.data_.ForgetUnreadRecords();
    shared.stores_.ForgetUnread();
    shared.machines_.ForgetUnread();
    shared.states.ForgetUnreadLines();
    shared.file.SetUnmatchedTimes(0);
}

void ReadPlayerAhead(SharedData &shared, const QString &name)
{
    const QString path = shared.folder.PlayerFile(name);
    const QString timesPath = shared.folder.TimesFile(name);
    try {
        shared.readAhead = std::async(std::launch::async, [name, path, timesPath] {
            PlayerReadAhead ahead;
            ahead.name = name;
            if (ahead.reader.Open(path, &ahead.stamp))
                ahead.records.ReadFileData(ahead.reader);
            ahead.times = ReadPlayTimesLines(timesPath);
            return ahead;
        });
    } catch (const std::system_error &) {
        // No thread to be had: the opening reads the file itself.
    }
}

namespace {
// What was read ahead of the player's file, when it is that of name and the
// file is as it was read.
std::optional<PlayerReadAhead> takeReadAhead(SharedData &shared, const QString &name)
{
    if (!shared.readAhead.valid())
        return std::nullopt;
    PlayerReadAhead ahead = shared.readAhead.get();
    const QFileInfo info(shared.folder.PlayerFile(name));
    if (ahead.name != name || !ahead.stamp.exists || !info.isFile() ||
        info.size() != ahead.stamp.size || info.lastModified() != ahead.stamp.modified)
        return std::nullopt;
    return ahead;
}
} // namespace

PlayerOpening OpenPlayer(SharedData &shared, const QString &name, bool takeOver)
{
    PlayerOpening opening;
    const PlayerFile::LockResult lock = shared.file.Lock(shared.folder, name, takeOver);
    switch (lock.state) {
    case PlayerFile::LockState::InUse:
        opening.messages.append({name +
                                     u" は、別に起動しているるでら３で使用中のため開けません。"_s +
                                     lineEnd() + u"そちらを終了してから、もう一度選んで下さい。"_s,
                                 MsgButtons::Ok, MsgIcon::None, QString()});
        return opening;
    case PlayerFile::LockState::OtherComputer:
        opening.takeOverQuestion =
            MessageBoxText{otherComputerQuestion(name, lock), MsgButtons::YesNoDefaultNo,
                           MsgIcon::Exclamation, u"使用中の確認"_s};
        return opening;
    case PlayerFile::LockState::ReadOnly:
        opening.messages.append({u"データフォルダ（"_s + shared.folder.Path() +
                                     u"）に書き込めないため、"_s + name +
                                     u" を読み取り専用で開きます。"_s + lineEnd() +
                                     u"成績は表示できますが、入力・変更・保存はできません。"_s,
                                 MsgButtons::Ok, MsgIcon::Exclamation, QString()});
        break;
    case PlayerFile::LockState::Taken:
        // No running copy can be saving this player now: what saves cut
        // short left behind goes.
        RemoveLeftovers(shared.folder, name);
        break;
    }
    // The file is read and decoded once for its four sections. The times
    // file needs no records to be read: it is read beside the player file,
    // and only attached to the records after.
    const QString timesPath = shared.folder.TimesFile(name);
    ItemReader reader;
    FileStamp stamp;
    std::optional<PlayTimesLines> times;
    std::future<PlayTimesLines> timesRead;
    if (std::optional<PlayerReadAhead> ahead = takeReadAhead(shared, name)) {
        reader = std::move(ahead->reader);
        stamp = ahead->stamp;
        shared.data_ = std::move(ahead->records);
        if (StillTheFile(ahead->times, timesPath))
            times = std::move(ahead->times);
    } else {
        try {
            timesRead = std::async(std::launch::async, ReadPlayTimesLines, timesPath);
        } catch (const std::system_error &) {
            // No thread to be had: read after the player file.
        }
        reader.Open(shared.folder.PlayerFile(name), &stamp);
        shared.data_.ReadFileData(reader);
    }
    shared.file.SetSeen(stamp);
    shared.stores_.ReadFileData(reader, UserDataFile::StoreMarker());
    shared.machines_.ReadFileData(reader, UserDataFile::MachineMarker());
    shared.states.ReadFileData(reader);
    if (!times)
        times = timesRead.valid() ? timesRead.get() : ReadPlayTimesLines(timesPath);
    const TimesReading attached = AttachPlayTimes(*times, shared.data_);
    shared.file.SetUnmatchedTimes(attached.unmatched);
    shared.file.SetUnreadableTimes(attached.unreadable);
    shared.states.UserName = name;
    shared.states.Corrected = false;
    RecomputeSummary(shared);
    opening.opened = true;
    if (const QString notice = unreadNotice(shared); !notice.isEmpty())
        opening.messages.append({notice, MsgButtons::Ok, MsgIcon::Exclamation, QString()});
    if (const QString notice = unreadableTimesNotice(shared, name); !notice.isEmpty())
        opening.messages.append({notice, MsgButtons::Ok, MsgIcon::Exclamation, QString()});
    return opening;
}
