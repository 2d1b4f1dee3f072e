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

    // Lines of the <States> section in the last file read that the reading
    // stopped on or slipped from (a value too large, a line that is no
    // key-and-number pair), up to the section's end. Saving would drop them.
    qint32 UnreadLines() const { return unread_; }
    void ForgetUnreadLines() { unread_ = 0; }

    QString UserName;
    qint16 Kachi = 0;
    qint16 Make = 0;
    qint16 Wake = 0;
    qint32 Kingaku = 0;
    qint32 WakeKin = 0;
    bool Corrected = false;
    bool Sound = false;

private:
    qint32 unread_ = 0;
};
