#pragma once
// The seam between the program and the desktop: message boxes, the input box,
// sounds, the settings store, the browser, the date, waiting and modal windows.
// The Qt implementation lives in qt_platform.*; tests use a recording fake.

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

enum class MsgButtons { Ok, OkCancel, YesNoCancel, YesNo, YesNoDefaultNo };
enum class MsgIcon { None, Question, Exclamation, Information, Critical };
enum class MsgResult { Ok, Cancel, Yes, No };
enum class FileDialogMode { Open, Save };

// The content of one message box, for routines that leave the showing to a
// window.
struct MessageBoxText {
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    QString title; // empty: the application's title
};

class Platform {
public:
    virtual ~Platform() = default;

    // Shows a message box. An empty title means the application's title.
    virtual MsgResult MsgBox(const QString &text, MsgButtons buttons = MsgButtons::Ok,
                             MsgIcon icon = MsgIcon::None, const QString &title = QString()) = 0;
    // One-line input box; a cancelled box answers the empty text.
    virtual QString InputBox(const QString &prompt, const QString &title,
                             const QString &defaultText = QString()) = 0;

    // Asynchronous playback of a WAV file given by bare name; missing files are silent.
    virtual void PlaySound(const QString &fileName) = 0;
    virtual void Beep() = 0;

    // Asks for a file to open or to save under; the empty text when cancelled.
    // filter in Qt's form: "CSVファイル (*.csv);;すべてのファイル (*)".
    virtual QString FileDialog(FileDialogMode mode, const QString &title, const QString &startPath,
                               const QString &filter) = 0;

    // Per-user settings store: application, section, key.
    virtual QString GetSetting(const QString &app, const QString &section, const QString &key,
                               const QString &defaultValue = QString()) = 0;
    // False when the value could not be stored.
    virtual bool SaveSetting(const QString &app, const QString &section, const QString &key,
                             const QString &value) = 0;

    // Full path of the desktop's web browser opener; empty when there is none.
    virtual QString BrowserPath() = 0;
    // Starts a program detached; false with a description in error when it fails.
    virtual bool StartProgram(const QString &program, const QStringList &arguments,
                              QString &error) = 0;

    virtual QDate Today() = 0;
    // Waits the given seconds while window events keep being processed.
    virtual void TimeWait(double seconds) = 0;
    // Runs a window modally and returns its result code. The window is a
    // dialog of the UI layer; the core only passes it on, so it names no
    // widget class.
    virtual int ShowModal(QObject &window) = 0;

    MsgResult Show(const MessageBoxText &m) { return MsgBox(m.text, m.buttons, m.icon, m.title); }
};

// Caption of message boxes that do not name their own.
inline QString AppTitle()
{
    return QStringLiteral("るでら３");
}
