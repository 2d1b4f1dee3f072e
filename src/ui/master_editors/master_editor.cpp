#include "ui/master_editors/master_editor.h"

#include "data/shared_data.h"

using namespace Qt::StringLiterals;

MasterEditor::MasterEditor(SharedData &shared, Kind kind, QWidget *parent)
    : QDialog(parent), shared_(shared), kind_(kind)
{
    setWindowTitle(kind == Kind::MiseAdd ? u"店データ追加"_s : u"台データ追加"_s);
}
