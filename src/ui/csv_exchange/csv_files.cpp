#include "ui/csv_exchange/csv_files.h"

#include "core/file/file_stamp.h"
#include "core/file/save_sequence.h"
#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/util/numbers.h"
#include "ui/csv_exchange/csv_dialogs.h"

#include <QDir>
#include <QFileInfo>

#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {
// Larger than any file of 32,767 records; anything bigger is not one.
constexpr qint64 kMaxImportBytes = 64 * 1024 * 1024;

QString csvFilter()
{
    return u"CSVファイル (*.csv);;すべてのファイル (*)"_s;
}

QString startFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString importTitle()
{
    return u"CSVファイルから読み込む"_s;
}
} // namespace

bool ExportCsvText(SharedData &shared, QWidget *parent, const QString &title,
                   const QString &fileName, const QString &text)
{
    Platform &ui = shared.platform;
    CsvEncodingDialog choice(title, parent);
    if (ui.ShowModal(choice) != QDialog::Accepted)
        return false;
    QString path = ui.FileDialog(FileDialogMode::Save, title,
                                 QDir(startFolder()).filePath(fileName), csvFilter());
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += u".csv"_s;

    QByteArray bytes;
    QString bad;
    if (!Csv::Encode(text, choice.Encoding(), bytes, &bad)) {
        ui.MsgBox(u"「"_s + bad +
                      u"」はShift_JISでは書けない文字です。UTF-8で書き出してください。"_s,
                  MsgButtons::Ok, MsgIcon::Exclamation, title);
        return false;
    }
    if (int error = 0; !ReplaceFileContents(path, bytes, SaveWriteFn(), -1, &error)) {
        ui.MsgBox(u"CSVファイルを書き込めませんでした（"_s + SystemErrorText(error) + u"）。\n"_s +
                      path,
                  MsgButtons::Ok, MsgIcon::Exclamation, title);
        return false;
    }
    return true;
}

bool ExportRecords(SharedData &shared, QWidget *parent)
{
    const QString title = u"CSVファイルに書き出す"_s;
    const QString name = shared.states.UserName.isEmpty() ? u"成績"_s : shared.states.UserName;
    if (!ExportCsvText(shared, parent, title, name + u".csv"_s,
                       CsvExchange::RecordsCsv(shared.data, shared.Stores, shared.Machines)))
        return false;
    shared.platform.MsgBox(FormatGrouped(shared.data.ListCount()) + u"件の成績を書き出しました。"_s,
                           MsgButtons::Ok, MsgIcon::Information, title);
    return true;
}

bool ImportRecords(SharedData &shared, QWidget *parent)
{
    Platform &ui = shared.platform;
    const QString title = importTitle();
    if (shared.states.UserName.isEmpty()) {
        ui.MsgBox(u"プレーヤーが選択されていないため読み込めません。プレーヤーを選択して下さい。"_s,
                  MsgButtons::Ok, MsgIcon::Exclamation, title);
        return false;
    }
    if (shared.file.ReadOnly()) {
        ui.MsgBox(u"プレーヤーを読み取り専用で開いているため読み込めません。"_s, MsgButtons::Ok,
                  MsgIcon::Exclamation, title);
        return false;
    }
    const QString path = ui.FileDialog(FileDialogMode::Open, title, startFolder(), csvFilter());
    if (path.isEmpty())
        return false;
    // Only a regular file: a pipe would wait for a writer, a device never end.
    QByteArray bytes;
    QString problem;
    switch (ReadRegularFile(path, bytes, nullptr, kMaxImportBytes)) {
    case FileRead::Ok: break;
    case FileRead::NotRegular: problem = u"通常のファイルではないため読み込めません。"_s; break;
    case FileRead::TooLarge:
        problem = u"ファイルが大きすぎます。成績のCSVファイルではないようです。"_s;
        break;
    case FileRead::Missing:
    case FileRead::Failed: problem = u"ファイルを開けませんでした。"_s + u"\n"_s + path; break;
    }
    if (!problem.isEmpty()) {
        ui.MsgBox(problem, MsgButtons::Ok, MsgIcon::Exclamation, title);
        return false;
    }
    const CsvExchange::ImportPreview preview =
        CsvExchange::PreviewImport(bytes, shared.data, shared.Stores, shared.Machines);
    if (!preview.Error.isEmpty()) {
        ui.MsgBox(preview.Error, MsgButtons::Ok, MsgIcon::Exclamation, title);
        return false;
    }
    ImportPreviewDialog dialog(shared, preview, QFileInfo(path).fileName(), parent);
    if (ui.ShowModal(dialog) != QDialog::Accepted)
        return false;
    const qint32 before = shared.data.ListCount();
    QString message;
    if (!CsvExchange::ApplyImport(preview, dialog.AddNames(), shared, message)) {
        ui.MsgBox(message, MsgButtons::Ok, MsgIcon::Exclamation, title);
        return false;
    }
    const qint32 added = shared.data.ListCount() - before;
    ui.MsgBox(FormatGrouped(added) + u"件の成績を読み込みました。"_s, MsgButtons::Ok,
              MsgIcon::Information, title);
    return added > 0;
}
