#pragma once
// Temporary folders and byte-exact files for tests.

#include "core/file/data_folder.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary data folder, removed with its files when the object goes. The
// current directory is never changed: files are named by their full paths.
class TempDataFolder {
public:
    TempDataFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString &name) const { return dir_.filePath(name); }
    DataFolder folder() const { return DataFolder(dir_.path()); }

private:
    QTemporaryDir dir_;
};

QByteArray ReadBytes(const QString &fileName);
void WriteBytes(const QString &fileName, const QByteArray &bytes);
// Code page 932 bytes of a text written with "\n" line ends, turned into CR LF.
QByteArray Cp932Lines(const QString &textWithLf);
