#include "ui/monthly_chart/print_page.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

using namespace Qt::StringLiterals;

PrintPageFn LoadPrintPage(const QString &modulePath)
{
    QStringList candidates{modulePath};
    if (modulePath.isEmpty())
        candidates = {QCoreApplication::applicationDirPath() + u"/ledra3_print"_s,
                      QStringLiteral(LEDRA_MODULE_DIR) + u"/ledra3_print"_s};
    for (const QString &path : candidates) {
        QLibrary module(path); // stays loaded once resolved
        if (auto print = reinterpret_cast<PrintPageFn>(module.resolve(kPrintPage)))
            return print;
    }
    return nullptr;
}
