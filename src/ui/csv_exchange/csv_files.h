#pragma once
// Writing CSV files and reading play records from one, with the person's
// choices: the character set, the file name, the import preview.

#include "core/file/csv_exchange.h"

#include <QString>

class QWidget;
struct SharedData;

// Asks for the character set and the file name, then writes text; true when
// written. title names the step in the dialogs; fileName is the suggestion.
bool ExportCsvText(SharedData &shared, QWidget *parent, const QString &title,
                   const QString &fileName, const QString &text);

// ファイル menu "CSVファイルに書き出す…": every record of the player.
bool ExportRecords(SharedData &shared, QWidget *parent);

// ファイル menu "CSVファイルから読み込む…": asks for the file, shows the preview
// and adds the rows when the person confirms. True when records were added.
bool ImportRecords(SharedData &shared, QWidget *parent);
