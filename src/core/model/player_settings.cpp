#include "core/model/player_settings.h"

#include "core/file/item_reader.h"
#include "core/file/user_data_file.h"

using namespace Qt::StringLiterals;

void States::ReadFileData(ItemReader &reader)
{
    unread_ = 0;
    if (!reader.SeekMarker(UserDataFile::StatesMarker()))
        return;
    // A new player's file has no blank line here: the later markers and items
    // are read as further pairs and ignored until an empty key. Only what
    // comes before the first marker is this section's own.
    bool ownLines = true;
    for (;;) {
        const qsizetype start = reader.Position();
        QString key;
        qint32 value = 0;
        if (!reader.Next(key) || key.isEmpty())
            return;
        if (key.startsWith(u'<'))
            ownLines = false;
        // A key at the end of its line has no number beside it: the line is
        // no setting, and the pairs after it have slipped.
        if (ownLines && reader.EndedLine()) {
            unread_ = reader.LinesUntilSectionEnd(start);
            ownLines = false;
        }
        if (!reader.NextInt32(value)) {
            if (ownLines)
                unread_ = reader.LinesUntilSectionEnd(start);
            return;
        }
        if (key == u"Sound")
            Sound = value == 1;
        else if (key == u"WakeKin")
            WakeKin = value;
    }
}

bool States::SectionBytes(QByteArray &out) const
{
    const QString nl = QString::fromUtf16(UserDataFile::kLineEnd);
    const QString text = UserDataFile::StatesMarker() + nl + u"\"Sound\","_s +
                         (Sound ? u'1' : u'0') + nl + u"\"WakeKin\","_s + QString::number(WakeKin) +
                         nl + nl;
    return UserDataFile::EncodeSection(text, out);
}
