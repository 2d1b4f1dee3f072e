#include "core/model/shared_data.h"

#include "core/file/item_reader.h"
#include "core/file/user_data_file.h"
#include "core/platform.h"
#include "core/util/numbers.h"

using namespace Qt::StringLiterals;

void OpenPlayer(SharedData &shared, const QString &name)
{
    // The file is read and decoded once for its four sections.
    ItemReader reader;
    reader.Open(name + UserDataFile::PcdExtension());
    shared.data.ReadFileData(reader);
    shared.Stores.ReadFileData(reader, UserDataFile::StoreMarker());
    shared.Machines.ReadFileData(reader, UserDataFile::MachineMarker());
    shared.states.ReadFileData(reader);
    shared.states.UserName = name;
    shared.states.Corrected = false;
    shared.data.CalcStatus(shared.states.WakeKin, shared.states.Kachi, shared.states.Make,
                           shared.states.Wake, shared.states.Kingaku);
    if (const qint32 unread = shared.data.UnreadRecords(); unread > 0) {
        const QString nl = QString::fromUtf16(UserDataFile::kLineEnd);
        shared.platform.MsgBox(
            u"このプレーヤーのファイルには、扱える上限を超える記録があります。"_s + nl +
                u"最初の"_s + FormatGrouped(shared.data.ListCount()) +
                u"件だけを読み込みました。残りの"_s + FormatGrouped(unread) +
                u"件は表示も集計もされません。"_s + nl +
                u"（記録は32,767件まで、収支の合計はプラス・マイナス約21億円までです）"_s,
            MsgButtons::Ok, MsgIcon::Exclamation);
    }
}
