#include "ui/main_menu/save_player.h"

#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "core/platform.h"

bool SaveWithQuestions(SharedData &shared, const QString &UserName)
{
    Platform &ui = shared.platform;
    for (const MessageBoxText &question : SaveQuestions(shared, UserName)) {
        if (ui.Show(question) != MsgResult::Ok)
            return false;
    }
    const SaveResult result = SavePlayerFile(shared, UserName);
    if (!result.saved) {
        ui.MsgBox(result.failure);
        return false;
    }
    if (!result.notice.isEmpty() && !shared.toldGenerationFailure) {
        shared.toldGenerationFailure = true;
        ui.MsgBox(result.notice);
    }
    return true;
}
