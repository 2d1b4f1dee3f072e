// ledra3: start-up. Creates the shared objects in their fixed order, checks the
// environment and shows the main menu window.

#include "core/file/data_folder.h"
#include "core/model/shared_data.h"
#include "ui/app_font.h"
#include "ui/app_style.h"
#include "ui/environment_check.h"
#include "ui/main_menu/main_form.h"
#include "ui/player_select/player_select.h"
#include "ui/qt_platform.h"
#include "ui/resources_init.h"
#include "ui/widgets/picture.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {
void describe(QCommandLineParser &parser, const QCommandLineOption &dataDir)
{
    parser.setApplicationDescription(u"るでら３ — パチンコ成績の記録と分析"_s);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(dataDir);
}

void nameApplication()
{
    QCoreApplication::setApplicationName(u"ledra3"_s);
    QCoreApplication::setApplicationVersion(
        u"%1.%2.%3"_s.arg(LEDRA_VERSION_MAJOR).arg(LEDRA_VERSION_MINOR).arg(LEDRA_VERSION_PATCH));
}

// --help and --version answer without a display.
bool wantsTextOnly(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view a(argv[i]);
        if (a == "-h" || a == "--help" || a == "--help-all" || a == "-v" || a == "--version")
            return true;
    }
    return false;
}

// Qt ends the program with a fatal message (and an abort) when its platform
// plugin cannot start, as without a display. While QApplication starts, its
// messages are held back; a fatal one ends the program with one line and
// status 1 instead.
class PlatformStart {
public:
    PlatformStart() { previous_ = qInstallMessageHandler(&PlatformStart::hold); }
    // The platform is up: what was held back is passed on.
    ~PlatformStart()
    {
        qInstallMessageHandler(previous_);
        for (const Held &m : held_)
            previous_(m.type, QMessageLogContext(), m.text);
        held_.clear();
    }

private:
    struct Held {
        QtMsgType type;
        QString text;
    };
    static void hold(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (type == QtFatalMsg) {
            std::fputs("ledra3: 画面に接続できないため起動できません"
                       "（DISPLAY または WAYLAND_DISPLAY を確認して下さい）\n",
                       stderr);
            std::_Exit(1);
        }
        held_.append({type, text});
    }

    static inline QtMessageHandler previous_ = nullptr;
    static inline QList<Held> held_;
};

// Qt's own texts (message box buttons and the like) in Japanese, like the
// rest of the program; without the translation file they stay English.
void loadQtTranslation(QTranslator &translator)
{
    if (translator.load(u"qtbase_ja"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

// For the start-up benchmark: with LEDRA_QUIT_AFTER_FIRST_PAINT=1 the program
// ends in the event-loop turn after the main window's first paint (painted and
// flushed by then); with 2, after the first paint that shows the remembered
// player's summary. It ends at once, without tearing down, so that the time
// measured is the start-up alone; nothing has been changed that would need
// saving.
class QuitAfterFirstPaint : public QObject {
public:
    QuitAfterFirstPaint(const States &states, bool withPlayer)
        : states_(states), withPlayer_(withPlayer)
    {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && (!withPlayer_ || !states_.UserName.isEmpty()))
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        return false;
    }

private:
    const States &states_;
    bool withPlayer_;
};
} // namespace

int main(int argc, char *argv[])
{
    const QCommandLineOption dataDir(u"data-dir"_s, u"プレーヤーのデータを置くフォルダ"_s,
                                     u"DIR"_s);
    if (wantsTextOnly(argc, argv)) {
        QCoreApplication core(argc, argv);
        nameApplication();
        QCommandLineParser parser;
        describe(parser, dataDir);
        parser.process(core); // prints and exits
        return 0;
    }

    std::optional<PlatformStart> platformStart(std::in_place);
    QApplication app(argc, argv);
    platformStart.reset();
    // No display name: Qt would append it to every window caption.
    nameApplication();
    QApplication::setDesktopFileName(QStringLiteral(LEDRA_APP_ID));
    QTranslator qtTranslation;
    loadQtTranslation(qtTranslation);

    QCommandLineParser parser;
    describe(parser, dataDir);
    parser.process(app);

    // Made absolute here, once: nothing later depends on the current directory.
    DataFolder folder;
    QString error;
    if (!PrepareDataFolder(parser.value(dataDir), folder, error)) {
        // Said in a window too: started from the desktop's menu, nobody reads
        // the terminal.
        QTextStream(stderr) << u"ledra3: "_s << error << u'\n';
        QtPlatform().MsgBox(error, MsgButtons::Ok, MsgIcon::Critical);
        return 1;
    }

    InitLedraResources();
    QApplication::setStyle(new AppStyle);
    QApplication::setFont(UiFont());
    QApplication::setWindowIcon(QIcon(RenderPicture(u":/icons/app_icon.svg"_s, QSize(64, 64))));

    QtPlatform platform(folder);
    SharedData shared(platform, folder); // record table, machines, stores, settings
    // The player opened at start is read on a second thread while the main
    // window is built and painted.
    if (const QString remembered = RememberedPlayer(platform); !remembered.isEmpty())
        ReadPlayerAhead(shared, remembered);
    KankyouCheck(platform);

    MainForm mainForm(shared);
    const int quitMode = qEnvironmentVariableIntValue("LEDRA_QUIT_AFTER_FIRST_PAINT");
    QuitAfterFirstPaint quitter(shared.states, quitMode == 2);
    if (quitMode == 1 || quitMode == 2)
        mainForm.installEventFilter(&quitter);
    mainForm.show();
    return app.exec();
}
