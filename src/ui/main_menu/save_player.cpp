#include "ui/main_menu/save_player.h"

#include "core/file/save_sequence.h"
#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "core/platform.h"
#include "ui/sync_copies/copy_offers.h"

using namespace Qt::StringLiterals;

namespace {
// Replace and save, see the record, or leave it; a name has no row to see.
MsgResult askAboutUncarried(SharedData &shared, const UncarriedText &found)
{
    const QString nl = QString::fromUtf16(UserDataFile::kLineEnd);
    const bool record = found.kind == UncarriedText::Kind::Comment;
    QString text = DescribeUncarriedText(shared, found) + nl + nl +
                   (record ? u"「はい」"_s : u"「OK」"_s) +
                   u"：書けない文字を「？」に置き換えて保存します。"_s + nl;
    if (record)
        text += u"「いいえ」：保存せずに、データ入力でこの行を表示します。"_s + nl;
    text += u"「キャンセル」：保存しません。"_s;
    return shared.platform.MsgBox(text, record ? MsgButtons::YesNoCancel : MsgButtons::OkCancel,
                                  MsgIcon::Exclamation, u"保存確認"_s);
}
} // namespace

SaveAnswer SaveWithQuestions(SharedData &shared, const QString &UserName)
{
    Platform &ui = shared.platform;
    // Another computer's visits first: copies that arrived meanwhile, and a
    // file saved there since it was read here.
    OfferConflictCopies(shared, OfferMoment::BeforeSave);
    if (!SettleChangedFiles(shared, UserName))
        return {};
    for (const MessageBoxText &question : SaveQuestions(shared, UserName)) {
        if (ui.Show(question) != MsgResult::Ok)
            return {};
    }
    SaveResult result = SavePlayerFile(shared, UserName);
    if (!result.saved && result.uncarried) {
        switch (askAboutUncarried(shared, *result.uncarried)) {
        case MsgResult::Yes:
        case MsgResult::Ok:
            ChangePlayerData(shared, ReplaceUncarriedText(shared));
            result = SavePlayerFile(shared, UserName);
            break;
        case MsgResult::No: return {false, result.uncarried->number};
        case MsgResult::Cancel: return {};
        }
    }
    if (!result.saved) {
        ui.MsgBox(result.failure);
        return {};
    }
    if (!result.notice.isEmpty() && !shared.toldGenerationFailure) {
        shared.toldGenerationFailure = true;
        ui.MsgBox(result.notice);
    }
    AfterSave(shared, UserName);
    return {true};
}
