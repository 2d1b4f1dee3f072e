// Entry point of the core's tests: a QCoreApplication, nothing of the windows.

#include "support/test_run.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    PrepareTestRun();
    QCoreApplication app(argc, argv);
    return RunTests(argc, argv);
}
