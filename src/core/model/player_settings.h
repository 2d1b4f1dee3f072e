#pragma once
// The current player's settings and the player-wide values the windows share.

#include <QByteArray>
#include <QString>

class ItemReader;
class Platform;

class States {
public:
    explicit States(Platform &platform);

    // Reads the <States> section; keys that are absent keep their values.
    void ReadFileData(const QString &FileName);
    // The same from a file already read (the reader's position moves).
    void ReadFileData(ItemReader &reader);
    // Appends the section; reports a failure and returns false.
    bool WriteFileData(const QString &FileName);
    bool SectionBytes(QByteArray &out) const;

    QString UserName;
    qint16 Kachi = 0;
    qint16 Make = 0;
    qint16 Wake = 0;
    qint32 Kingaku = 0;
    qint32 WakeKin = 0;
    bool Corrected = false;
    bool Sound = false;

private:
    Platform &platform_;
};
