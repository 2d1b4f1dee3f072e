#include "support/test_run.h"

#include "support/qt_warnings.h"

#include <QStandardPaths>
#include <QStringList>
#include <gtest/gtest.h>

namespace {
QtMessageHandler previousHandler = nullptr;
bool warnedOutsideTests = false;
QStringList expectedPrefixes;

// Messages of the test environment (the offscreen platform has no window
// manager, a build machine has no sound server), or provoked by the test on
// purpose.
bool expected(const QString &message)
{
    static const QStringList environment = {
        QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"),
        QStringLiteral("This plugin does not support"),
        QStringLiteral("PulseAudioService: pa_context_connect() failed"),
        QStringLiteral("No audio device detected"),
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

void PrepareTestRun()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QStandardPaths::setTestModeEnabled(true);
    previousHandler = qInstallMessageHandler(failOnWarnings);
}

int RunTests(int &argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const int failed = RUN_ALL_TESTS();
    return failed != 0 || warnedOutsideTests ? 1 : 0;
}
