#pragma once
// A platform for the programs that run without a person (the benchmarks and
// the fuzz targets): shows nothing, never waits, answers every question with
// its first button and every input box with a scripted text.

#include "core/platform.h"

class QuietPlatform : public Platform {
public:
    MsgResult MsgBox(const QString &, MsgButtons buttons, MsgIcon, const QString &) override
    {
        ++messages;
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                                  : MsgResult::Ok;
    }
    QString InputBox(const QString &, const QString &, const QString &) override { return input; }
    QString FileDialog(FileDialogMode, const QString &, const QString &, const QString &) override
    {
        return QString();
    }
    void PlaySound(const QString &) override {}
    void Beep() override {}
    QString GetSetting(const QString &, const QString &, const QString &,
                       const QString &defaultValue) override
    {
        return defaultValue;
    }
    bool SaveSetting(const QString &, const QString &, const QString &, const QString &) override
    {
        return true;
    }
    QString BrowserPath() override { return QString(); }
    bool StartProgram(const QString &, const QStringList &, QString &) override { return false; }
    QDate Today() override { return QDate(2026, 12, 6); }
    void TimeWait(double) override {}
    int ShowModal(QObject &) override { return 0; }

    QString input;
    int messages = 0;
};
