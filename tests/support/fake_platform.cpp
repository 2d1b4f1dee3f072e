#include "support/fake_platform.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

MsgResult FakePlatform::MsgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                               const QString &title)
{
    messages.append({text, title, buttons, icon});
    if (!msgAnswers.isEmpty())
        return msgAnswers.takeFirst();
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return MsgResult::Yes;
    case MsgButtons::YesNoDefaultNo: return MsgResult::No;
    default: return MsgResult::Ok;
    }
}

QString FakePlatform::InputBox(const QString &prompt, const QString &title,
                               const QString &defaultText)
{
    inputs.append({prompt, title, defaultText});
    return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
}

QString FakePlatform::FileDialog(FileDialogMode, const QString &title, const QString &,
                                 const QString &)
{
    fileDialogs.append(title);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString FakePlatform::GetSetting(const QString &app, const QString &section, const QString &key,
                                 const QString &defaultValue)
{
    const auto it = settings.find(app + u'/' + section + u'/' + key);
    return it == settings.end() ? defaultValue : it->second;
}

bool FakePlatform::SaveSetting(const QString &app, const QString &section, const QString &key,
                               const QString &value)
{
    if (settingsWritable)
        settings[app + u'/' + section + u'/' + key] = value;
    return settingsWritable;
}

bool FakePlatform::StartProgram(const QString &program, const QStringList &arguments,
                                QString &error)
{
    startedPrograms.append(program + u' ' + arguments.join(u' '));
    if (!startSucceeds)
        error = u"failed to start"_s;
    return startSucceeds;
}

void FakePlatform::TimeWait(double seconds)
{
    waits.append(seconds);
    QCoreApplication::processEvents();
    if (onWait)
        onWait(seconds);
}

int FakePlatform::ShowModal(QObject &window)
{
    modalWindows.append(QString::fromLatin1(window.metaObject()->className()));
    return onModal ? onModal(window) : 0;
}
