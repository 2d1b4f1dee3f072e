// Entry point of the windows' tests: a QApplication under the offscreen
// platform, with the program's resources.

#include "support/test_run.h"
#include "ui/resources_init.h"

#include <QApplication>

int main(int argc, char **argv)
{
    PrepareTestRun();
    QApplication app(argc, argv);
    InitLedraResources();
    return RunTests(argc, argv);
}
