// The yardstick for ledra3's start-up time and memory: a Qt Widgets program
// that only shows an empty window. With LEDRA_QUIT_AFTER_FIRST_PAINT=1 it ends
// right after the window's first paint, exactly as ledra3 does.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {
class QuitAfterFirstPaint : public QObject {
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return false;
    }
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    QuitAfterFirstPaint quitter;
    if (qEnvironmentVariableIntValue("LEDRA_QUIT_AFTER_FIRST_PAINT") == 1)
        window.installEventFilter(&quitter);
    window.show();
    return app.exec();
}
