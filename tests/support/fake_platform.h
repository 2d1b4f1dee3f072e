#pragma once
// A platform that records everything and answers from a script.

#include "core/platform.h"
#include "support/print_text.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <ostream>
#include <utility>

struct RecordedMessage {
    RecordedMessage(QString text = {}, QString title = {}, MsgButtons buttons = MsgButtons::Ok,
                    MsgIcon icon = MsgIcon::None)
        : text(std::move(text)), title(std::move(title)), buttons(buttons), icon(icon)
    {}
    QString text;
    QString title; // as given: empty means the application's title
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    bool operator==(const RecordedMessage &) const = default;
};

// Readable messages in failure output.
inline void PrintTo(const RecordedMessage &m, std::ostream *os)
{
    *os << '{' << m.text.toStdString() << " | " << m.title.toStdString() << " | " << int(m.buttons)
        << " | " << int(m.icon) << '}';
}

struct RecordedInput {
    QString prompt;
    QString title;
    QString defaultText;
};

class FakePlatform : public Platform {
public:
    MsgResult MsgBox(const QString &text, MsgButtons buttons = MsgButtons::Ok,
                     MsgIcon icon = MsgIcon::None, const QString &title = QString()) override;
    QString InputBox(const QString &prompt, const QString &title,
                     const QString &defaultText = QString()) override;
    QString FileDialog(FileDialogMode mode, const QString &title, const QString &startPath,
                       const QString &filter) override;
    void PlaySound(const QString &fileName) override { sounds.append(fileName); }
    void Beep() override { sounds.append(QStringLiteral("beep")); }
    QString GetSetting(const QString &app, const QString &section, const QString &key,
                       const QString &defaultValue = QString()) override;
    bool SaveSetting(const QString &app, const QString &section, const QString &key,
                     const QString &value) override;
    QString BrowserPath() override { return browserPath; }
    bool StartProgram(const QString &program, const QStringList &arguments,
                      QString &error) override;
    QDate Today() override { return today; }
    void TimeWait(double seconds) override;
    int ShowModal(QObject &window) override;

    // Scripted answers, taken in order; when none is left a message box answers
    // its default button (OK, Yes, or No where No is the default) and an input
    // box the empty text.
    QList<MsgResult> msgAnswers;
    QStringList inputAnswers;
    QStringList fileAnswers; // file dialogs; the empty text (cancelled) when none is left

    // What happened.
    QList<RecordedMessage> messages;
    QList<RecordedInput> inputs;
    QStringList fileDialogs; // the titles of the file dialogs shown
    QStringList sounds;      // file names, and "beep"
    QList<double> waits;
    QStringList startedPrograms; // program + " " + arguments
    QStringList modalWindows;    // class names of dialogs opened modally

    // Settings store, keyed "app/section/key"; when not writable, SaveSetting
    // stores nothing and answers false.
    std::map<QString, QString> settings;
    bool settingsWritable = true;

    QString browserPath;
    bool startSucceeds = true;
    QDate today = QDate(2026, 12, 6);

    // Called for each modal window instead of running it; returns its result.
    // Without a handler the window is rejected at once (result 0).
    std::function<int(QObject &)> onModal;
    // Called inside each TimeWait, after the wait was recorded.
    std::function<void(double)> onWait;
};
