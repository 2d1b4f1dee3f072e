// ledra3: start-up. Creates the shared objects in their fixed order, checks the
// environment and shows the main menu window.

#include "app/startup.h"
#include "data/shared_data.h"
#include "platform/qt_platform.h"
#include "ui/app_font.h"
#include "ui/main_menu/main_form.h"
#include "ui/resources_init.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"ledra3"_s);
    QApplication::setApplicationDisplayName(u"るでら３"_s);
    QApplication::setApplicationVersion(
        u"%1.%2.%3"_s.arg(LEDRA_VERSION_MAJOR).arg(LEDRA_VERSION_MINOR).arg(LEDRA_VERSION_PATCH));
    QApplication::setDesktopFileName(QStringLiteral(LEDRA_APP_ID));

    QCommandLineParser parser;
    parser.setApplicationDescription(u"るでら３ — パチンコ成績の記録と分析"_s);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(u"data-dir"_s, u"プレーヤーのデータを置くフォルダ"_s,
                                     u"DIR"_s);
    parser.addOption(dataDir);
    parser.process(app);

    QString error;
    if (!EnterDataFolder(parser.value(dataDir), error)) {
        QTextStream(stderr) << u"ledra3: "_s << error << u'\n';
        return 1;
    }

    InitLedraResources();
    QApplication::setFont(UiFont());

    QtPlatform platform;
    SharedData shared(platform); // record table, machines, stores, settings
    KankyouCheck(platform);

    MainForm mainForm(shared);
    mainForm.show();
    return app.exec();
}
