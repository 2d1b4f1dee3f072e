#include "core/model/player_settings.h"

#include "core/file/item_reader.h"
#include "core/file/user_data_file.h"

using namespace Qt::StringLiterals;

void States::ReadFileData(ItemReader &reader)
{
    if (!reader.SeekMarker(UserDataFile::StatesMarker()))
        return;
    // A new player's file has no blank line here: the later markers and items
    // are read as further pairs and ignored until an empty key.
    for (;;) {
        QString key;
        qint32 value = 0;
        if (!reader.Next(key) || key.isEmpty() || !reader.NextInt32(value))
            return;
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
