#pragma once
// Temporary folders and byte-exact files for tests.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder that is the current directory while the object lives.
class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    QString path() const { return dir_.path(); }
    QString file(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

QByteArray ReadBytes(const QString &fileName);
void WriteBytes(const QString &fileName, const QByteArray &bytes);
// Code page 932 bytes of a text written with "\n" line ends, turned into CR LF.
QByteArray Cp932Lines(const QString &textWithLf);
