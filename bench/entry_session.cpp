// A scripted session, for the peak memory of a person's typical use: starts
// like ledra3 (the main window opens the remembered player), then opens the
// entry window over the player's records and ends once it has painted.
//   QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=<folder with the remembered
//   player> entry_session --data-dir DIR

#include "core/file/data_folder.h"
#include "core/model/shared_data.h"
#include "ui/app_font.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/main_menu/main_form.h"
#include "ui/qt_platform.h"
#include "ui/resources_init.h"
#include "ui/widgets/data_grid.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
// Calls then() once, in the event-loop turn after the watched window's first
// paint.
class AfterFirstPaint : public QObject {
public:
    explicit AfterFirstPaint(std::function<void()> then) : then_(std::move(then)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && then_) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, std::exchange(then_, nullptr));
        }
        return false;
    }

private:
    std::function<void()> then_;
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"ledra3"_s);
    const QStringList args = QCoreApplication::arguments();
    const qsizetype at = args.indexOf(u"--data-dir"_s);
    DataFolder folder;
    QString error;
    if (at < 0 || at + 1 >= args.size() || !PrepareDataFolder(args[at + 1], folder, error)) {
        QTextStream(stderr) << u"entry_session: --data-dir DIR is needed "_s << error << u'\n';
        return 2;
    }
    InitLedraResources();
    QApplication::setFont(UiFont());

    QtPlatform platform(folder);
    SharedData shared(platform, folder);
    MainForm mainForm(shared);
    std::unique_ptr<Nyuuryoku> entry;
    AfterFirstPaint entryPainted([] { QCoreApplication::quit(); });
    // The main window opens the remembered player right after its first paint;
    // the entry window follows once the player is open.
    std::function<void()> openEntry = [&] {
        if (shared.states.UserName.isEmpty()) {
            QTimer::singleShot(1, qApp, openEntry);
            return;
        }
        entry = std::make_unique<Nyuuryoku>(shared, &mainForm);
        entry->installEventFilter(&entryPainted);
        entry->show();
    };
    AfterFirstPaint mainPainted(openEntry);
    mainForm.installEventFilter(&mainPainted);
    mainForm.show();
    const int code = app.exec();
    if (!entry || entry->IGrid->Rows() < shared.data.ListCount() + 1) {
        QTextStream(stderr) << u"entry_session: the entry window did not show the records\n"_s;
        return 1;
    }
    QTextStream(stdout) << shared.data.ListCount() << u" records in the entry window\n"_s;
    return code;
}
