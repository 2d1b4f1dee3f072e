#include "ui/statistics/toukei.h"

#include "data/shared_data.h"

using namespace Qt::StringLiterals;

Toukei::Toukei(SharedData &shared, QWidget *parent) : QDialog(parent), shared_(shared)
{
    setWindowTitle(u"統計表示"_s);
}
