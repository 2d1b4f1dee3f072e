#include "ui/resources_init.h"

#include <QtGlobal>

void InitLedraResources()
{
    Q_INIT_RESOURCE(resources);
}
