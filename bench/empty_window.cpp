// The yardsticks for ledra3's start-up time and memory: a Qt Widgets program
// that only shows an empty window, or with --text a main window with a menu
// bar and one line of Japanese text (what any window with Japanese text pays
// for setting up its fonts). With LEDRA_QUIT_AFTER_FIRST_PAINT=1 it ends in the
// event-loop turn after the window's first paint, exactly as ledra3 does.

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {
class QuitAfterFirstPaint : public QObject {
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        return false;
    }
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        auto main = std::make_unique<QMainWindow>();
        main->menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"))->addAction(QStringLiteral("終了(&X)"));
        main->setCentralWidget(new QLabel(QStringLiteral("るでら３　通算成績 ¥12,345 円")));
        window = std::move(main);
    } else {
        window = std::make_unique<QWidget>();
    }
    QuitAfterFirstPaint quitter;
    if (qEnvironmentVariableIntValue("LEDRA_QUIT_AFTER_FIRST_PAINT") == 1)
        window->installEventFilter(&quitter);
    window->show();
    return app.exec();
}
