#include "ui/qt_platform.h"

#include "sound/sound_backend.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLibrary>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

using namespace Qt::StringLiterals;

QString DisplayLines(const QString &text)
{
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    shown.replace(u"\n\r"_s, u"\n"_s);
    shown.replace(u'\r', u'\n');
    return shown;
}

QtPlatform::QtPlatform(DataFolder dataFolder) : folder_(std::move(dataFolder)) {}

QtPlatform::~QtPlatform() = default;

MsgResult QtPlatform::MsgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                             const QString &title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? AppTitle() : title);
    box.setTextFormat(Qt::PlainText); // names from files are never markup
    box.setText(DisplayLines(text));
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MsgButtons::YesNoDefaultNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgResult::Ok;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    default: return MsgResult::Cancel;
    }
}

QString QtPlatform::InputBox(const QString &prompt, const QString &title,
                             const QString &defaultText)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(QApplication::activeWindow(), title, DisplayLines(prompt),
                              QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString QtPlatform::FileDialog(FileDialogMode mode, const QString &title, const QString &startPath,
                               const QString &filter)
{
    QWidget *parent = QApplication::activeWindow();
    return mode == FileDialogMode::Open
               ? QFileDialog::getOpenFileName(parent, title, startPath, filter)
               : QFileDialog::getSaveFileName(parent, title, startPath, filter);
}

QString QtPlatform::FindSoundFile(const DataFolder &folder, const QString &fileName)
{
    const QString candidates[] = {
        folder.File(fileName), QStringLiteral(LEDRA_DATA_DIR) + u'/' + fileName,
        u":/sounds/"_s + fileName, // built into the program
    };
    for (const QString &path : candidates) {
        if (!path.isEmpty() && QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

void QtPlatform::PlaySound(const QString &fileName)
{
    const QString path = FindSoundFile(folder_, fileName);
    if (path.isEmpty())
        return;
    if (!soundLoaded_) {
        soundLoaded_ = true;
        // Next to the program (build tree) first, then where it is installed.
        for (const QString &dir :
             {QCoreApplication::applicationDirPath(), QStringLiteral(LEDRA_MODULE_DIR)}) {
            QLibrary module(dir + u"/ledra3_sound"_s);
            if (auto create =
                    reinterpret_cast<CreateSoundBackendFn>(module.resolve(kCreateSoundBackend))) {
                sound_.reset(create());
                break;
            }
        }
    }
    if (sound_)
        sound_->Play(path);
}

void QtPlatform::Beep()
{
    QApplication::beep();
}

QString QtPlatform::GetSetting(const QString &app, const QString &section, const QString &key,
                               const QString &defaultValue)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, app, app);
    return settings.value(section + u'/' + key, defaultValue).toString();
}

bool QtPlatform::SaveSetting(const QString &app, const QString &section, const QString &key,
                             const QString &value)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, app, app);
    settings.setValue(section + u'/' + key, value);
    // QSettings writes on sync(); only then does it know whether it could.
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString QtPlatform::BrowserPath()
{
    return QStandardPaths::findExecutable(u"xdg-open"_s);
}

bool QtPlatform::StartProgram(const QString &program, const QStringList &arguments, QString &error)
{
    // On the heap: a process still running after the wait keeps running, and
    // a QProcess destroyed while its process runs would kill it.
    auto *process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start();
    if (!process->waitForStarted()) {
        error = process->errorString();
        delete process;
        return false;
    }
    QEventLoop loop;
    QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(openerWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (process->state() != QProcess::NotRunning) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return true;
    }
    const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    if (!opened) {
        const QString name = QFileInfo(program).fileName();
        error = name + (process->exitStatus() == QProcess::NormalExit
                            ? u"が失敗しました（終了コード "_s +
                                  QString::number(process->exitCode()) + u"）"_s
                            : u"が異常終了しました"_s);
    }
    delete process;
    return opened;
}

QDate QtPlatform::Today()
{
    return QDate::currentDate();
}

void QtPlatform::TimeWait(double seconds)
{
    if (!(seconds > 0.0))
        return;
    // A nested event loop keeps the windows painting and reacting; QTimer runs
    // on a monotonic clock, so a wait across midnight ends on time.
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000.0 + 0.5), Qt::PreciseTimer, &loop,
                       &QEventLoop::quit);
    loop.exec();
}

int QtPlatform::ShowModal(QObject &window)
{
    auto *dialog = qobject_cast<QDialog *>(&window);
    Q_ASSERT(dialog);
    return dialog ? dialog->exec() : int(QDialog::Rejected);
}
