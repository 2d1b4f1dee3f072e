#include "ui/main_menu/main_form.h"

#include "data/shared_data.h"

using namespace Qt::StringLiterals;

MainForm::MainForm(SharedData &shared, QWidget *parent) : QMainWindow(parent), shared_(shared)
{
    setWindowTitle(u"るでら３　[Main Menu]"_s);
}
