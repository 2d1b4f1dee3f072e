#pragma once
// The real desktop behind the platform seam.

#include "core/file/data_folder.h"
#include "core/platform.h"

#include <QString>
#include <memory>

class SoundBackend;

class QtPlatform : public Platform {
public:
    // Sounds are looked up in dataFolder first.
    explicit QtPlatform(DataFolder dataFolder = DataFolder());
    ~QtPlatform() override;

    MsgResult MsgBox(const QString &text, MsgButtons buttons = MsgButtons::Ok,
                     MsgIcon icon = MsgIcon::None, const QString &title = QString()) override;
    QString InputBox(const QString &prompt, const QString &title,
                     const QString &defaultText = QString()) override;
    QString FileDialog(FileDialogMode mode, const QString &title, const QString &startPath,
                       const QString &filter) override;
    void PlaySound(const QString &fileName) override;
    void Beep() override;
    QString GetSetting(const QString &app, const QString &section, const QString &key,
                       const QString &defaultValue = QString()) override;
    bool SaveSetting(const QString &app, const QString &section, const QString &key,
                     const QString &value) override;
    QString BrowserPath() override;
    // An opener such as xdg-open tells by its exit status whether it could
    // open anything: it is waited for up to openerWaitMs (events go on). One
    // still running then (it may be running the browser itself) counts as
    // started and is left running.
    bool StartProgram(const QString &program, const QStringList &arguments,
                      QString &error) override;
    int openerWaitMs = 3000;
    QDate Today() override;
    void TimeWait(double seconds) override;
    int ShowModal(QObject &window) override;

    // Where a sound file given by bare name is found: the data folder first,
    // then the installed data folder, then the copy built into the program.
    static QString FindSoundFile(const DataFolder &folder, const QString &fileName);

private:
    DataFolder folder_;
    std::unique_ptr<SoundBackend> sound_;
    bool soundLoaded_ = false; // tried to load the sound module
};

// Message texts use CR LF (or LF CR) between lines; the toolkit wants LF.
QString DisplayLines(const QString &text);
