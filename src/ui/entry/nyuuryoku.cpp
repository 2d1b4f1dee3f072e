#include "ui/entry/nyuuryoku.h"

#include "data/shared_data.h"

using namespace Qt::StringLiterals;

Nyuuryoku::Nyuuryoku(SharedData &shared, QWidget *parent) : QDialog(parent), shared_(shared)
{
    setWindowTitle(u"入力画面"_s);
}
