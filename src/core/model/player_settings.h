#pragma once
// The current player's settings and the player-wide values the windows share.

#include <QByteArray>
#include <QString>

class ItemReader;

class States {
public:
    // Reads the <States> section from a file already read (the reader's
    // position moves); keys that are absent keep their values.
    void ReadFileData(ItemReader &reader);
    bool SectionBytes(QByteArray &out) const;

    QString UserName;
    qint16 Kachi = 0;
    qint16 Make = 0;
    qint16 Wake = 0;
    qint32 Kingaku = 0;
    qint32 WakeKin = 0;
    bool Corrected = false;
    bool Sound = false;
};
