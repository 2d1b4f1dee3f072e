#pragma once
// The preview of a merge of another computer's copy of the player (a sync
// program's conflict copy, or the player file saved there): the visits the
// player lacks, with their play times and details, and the stores and
// machines to add.
// Nothing is merged until the person presses the merge button.

#include "core/file/conflict_merge.h"

#include <QDialog>

class DataGrid;
class QLabel;
class QPushButton;
struct SharedData;

class MergePreviewDialog : public QDialog {
    Q_OBJECT
public:
    // okText: the merge button's caption; movesCopies: the copies move into
    // backup/<name>/ after the next save (conflict copies, not the player file).
    MergePreviewDialog(const SharedData &shared, const ConflictMerge &merge, const QString &okText,
                       bool movesCopies, QWidget *parent = nullptr);

    QLabel *MCopies = nullptr;  // each copy: its file, when and where, what it brings
    DataGrid *MGrid = nullptr;  // the visits to add
    QLabel *MNames = nullptr;   // the stores and machines to add
    QLabel *MRefusal = nullptr; // why the table cannot take them
    QPushButton *OK = nullptr;
    QPushButton *Cancel = nullptr;
};

// A message box with buttons of its own captions, shown through the
// platform; the index of the button pressed, or escape (the last button)
// when it was closed.
int AskChoice(SharedData &shared, const QString &title, const QString &text,
              const QStringList &buttons, int defaultButton = 0);
