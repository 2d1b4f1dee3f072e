#pragma once
// Conversion of the previous version's "Name.Dat" and "Data.Dat" into player
// files. The questions and messages around it are the main window's
// (ui/main_menu/data_import_dialog.h).

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class DataFolder;
class ItemReader;

// One record of "Data.Dat": the player's slot and five fields of a play record.
struct OldRecord {
    qint16 player = 0;
    qint16 year = 0, month = 0, day = 0;
    qint32 toushi = 0, kaishuu = 0;
};

// The five player names of "Name.Dat"; false when it holds fewer than five entries.
bool ReadOldNames(ItemReader &reader, QStringList &names);
// Every record of "Data.Dat" in file order; false when a value does not fit its field.
bool ReadOldRecords(ItemReader &reader, QList<OldRecord> &records);

struct ImportedSlot {
    enum class Outcome {
        Converted,
        Exists,       // a player of that name exists: left alone
        UnusableName, // the name cannot be a player's (player_name.h)
        NotWritten,   // the file could not be written
    };
    int slot = 0; // 1..5
    QString name;
    Outcome outcome = Outcome::Converted;
};

struct ImportFindings {
    enum class End {
        Finished,
        NameFileMissing,
        DataFileMissing,
        Unreadable, // "Name.Dat" has fewer than five entries, or a value of
                    // "Data.Dat" does not fit its field: the conversion stopped
    };
    End end = End::Finished;
    // The slots with a name, in order, as far as the conversion went. A slot
    // that cannot be converted is skipped; the others still are.
    QList<ImportedSlot> players;
};

// Converts the old files in typedFolder (as the person typed it: the final
// separator may be missing, "\" may separate the folders; a relative path is
// taken from the data folder) into player files of the data folder. Never
// writes over an existing file, and each file is written whole or not at all.
ImportFindings ImportOldData(const DataFolder &folder, const QString &typedFolder);
