#include "ui/main_menu/data_import_dialog.h"

#include "core/file/data_folder.h"
#include "core/file/data_import.h"
#include "core/file/user_data_file.h"
#include "core/platform.h"

using namespace Qt::StringLiterals;

namespace {
// The closing message names the slots that were skipped and why.
QString closingText(const QList<ImportedSlot> &players)
{
    const QString nl = QString::fromUtf16(UserDataFile::kLineEnd);
    QString skipped;
    for (const ImportedSlot &s : players) {
        QString why;
        if (s.outcome == ImportedSlot::Outcome::UnusableName)
            why = u"名前にファイル名として使えない文字があります"_s;
        else if (s.outcome == ImportedSlot::Outcome::NotWritten)
            why = u"ファイルを書き込めませんでした"_s;
        else
            continue;
        skipped +=
            nl + u"プレーヤー"_s + QString::number(s.slot) + u"「"_s + s.name + u"」："_s + why;
    }
    QString text = u"インポートが終了しました。"_s;
    if (!skipped.isEmpty())
        text += nl + u"次のプレーヤーは変換しませんでした。"_s + skipped;
    return text;
}
} // namespace

void DataImport(Platform &platform, const DataFolder &folder)
{
    if (platform.MsgBox(u"るでらVer2のデータをインポートしますか？"_s, MsgButtons::OkCancel,
                        MsgIcon::None, u"確認"_s) != MsgResult::Ok)
        return;
    const QString typed = platform.InputBox(
        u"ファイル形式を変換します。\n\rるでらVer2をインストールしたフォルダを指定して下さい。"_s,
        u"フォルダの指定"_s, u"C:\\Program Files\\ledra\\"_s);
    if (typed.isEmpty())
        return;

    const ImportFindings findings = ImportOldData(folder, typed);
    switch (findings.end) {
    case ImportFindings::End::NameFileMissing:
        platform.MsgBox(u"Name.Dat ファイルが見つかりませんでした。"_s);
        return;
    case ImportFindings::End::DataFileMissing:
        platform.MsgBox(u"Data.Dat ファイルが見つかりませんでした。"_s);
        return;
    case ImportFindings::End::Unreadable:
    case ImportFindings::End::Finished: break;
    }
    for (const ImportedSlot &s : findings.players) {
        if (s.outcome == ImportedSlot::Outcome::Exists)
            platform.MsgBox(s.name + u"は既に存在しているのでインポート出来ません。"_s);
    }
    // Unreadable old files end the routine without a word, as they always did.
    if (findings.end == ImportFindings::End::Finished)
        platform.MsgBox(closingText(findings.players));
}
