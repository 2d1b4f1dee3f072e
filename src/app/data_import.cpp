#include "app/data_import.h"

#include "platform/platform.h"

void DataImport(Platform &platform)
{
    (void)platform; // not yet built
}
