// Test entry point: a QApplication under the offscreen platform, settings and
// data kept away from the person's own folders, and every Qt warning a test
// failure (a warning is Qt telling of a fault: a bad model index, a failed
// connection, a painter used wrongly).

#include "support/qt_warnings.h"
#include "ui/resources_init.h"

#include <QApplication>
#include <QStandardPaths>
#include <QStringList>
#include <gtest/gtest.h>

namespace {
QtMessageHandler previousHandler = nullptr;
bool warnedOutsideTests = false;
QStringList expectedPrefixes;

// Messages of the test environment (the offscreen platform has no window
// manager), or provoked by the test on purpose.
bool expected(const QString &message)
{
    static const QStringList environment = {
        QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"),
        QStringLiteral("This plugin does not support"),
    };
    for (const QStringList *list :
         {&environment, static_cast<const QStringList *>(&expectedPrefixes)})
        for (const QString &prefix : *list)
            if (message.startsWith(prefix))
                return true;
    return false;
}

void failOnWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    previousHandler(type, context, message);
    if (type == QtDebugMsg || type == QtInfoMsg || expected(message))
        return;
    if (::testing::UnitTest::GetInstance()->current_test_info() != nullptr)
        ADD_FAILURE() << "Qt warning: " << message.toStdString();
    else
        warnedOutsideTests = true; // fails the whole run
}
} // namespace

ExpectedQtWarning::ExpectedQtWarning(const QString &prefix)
{
    expectedPrefixes.append(prefix);
}

ExpectedQtWarning::~ExpectedQtWarning()
{
    expectedPrefixes.removeLast();
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QStandardPaths::setTestModeEnabled(true);
    previousHandler = qInstallMessageHandler(failOnWarnings);
    QApplication app(argc, argv);
    InitLedraResources();
    ::testing::InitGoogleTest(&argc, argv);
    const int failed = RUN_ALL_TESTS();
    return failed != 0 || warnedOutsideTests ? 1 : 0;
}
