#include "core/model/master_list.h"

#include "core/file/item_reader.h"
#include "core/file/user_data_file.h"

using namespace Qt::StringLiterals;

QString UnknownName()
{
    return u"(不明)"_s;
}

void SMData::ReadFileData(ItemReader &reader, const QString &SLabel)
{
    EntryList.clear();
    unread_ = 0;
    if (!reader.SeekMarker(SLabel))
        return;
    for (;;) {
        const qsizetype start = reader.Position();
        MasterEntry e;
        bool quoted = false;
        // The blank line after the list reads as ID 0 and ends it; a stop
        // anywhere else leaves the rest of the list unread.
        if (!reader.NextInt16(e.ID) || e.ID == 0 || !reader.NextText(e.Name, quoted) ||
            Count() >= kMaxEntries) {
            unread_ = reader.LinesUntilSectionEnd(start);
            return;
        }
        EntryList.append(e);
    }
}

bool SMData::SectionBytes(const QString &SLabel, QByteArray &out) const
{
    const QString nl = QString::fromUtf16(UserDataFile::kLineEnd);
    QString text = SLabel + nl;
    for (const MasterEntry &e : EntryList) {
        if (e.Name.contains(u'"'))
            return false;
        text += QString::number(e.ID) + u',' + UserDataFile::Quoted(e.Name) + nl;
    }
    text += nl;
    return UserDataFile::EncodeSection(text, out);
}

void SMData::ReadData(QList<qint16> &DId, QList<QString> &DName) const
{
    if (DId.isEmpty())
        DId.append(0);
    if (DName.isEmpty())
        DName.append(QString());
    for (const MasterEntry &e : EntryList) {
        DId.last() = e.ID;
        DName.last() = e.Name;
        DId.append(0);
        DName.append(QString());
    }
}

void SMData::WriteData(const QList<qint16> &DId, const QList<QString> &DName)
{
    EntryList.clear();
    const qsizetype n = std::min(DId.size(), DName.size()) - 1;
    for (qsizetype i = 0; i < n && i < kMaxEntries; ++i)
        EntryList.append(MasterEntry{DId[i], DName[i]});
}

QString SMData::SeekName(qint16 DId) const
{
    for (const MasterEntry &e : EntryList) {
        if (e.ID == DId)
            return e.Name;
    }
    return UnknownName();
}

qint32 SMData::SeekJunban(qint32 DId) const
{
    for (qsizetype i = 0; i < EntryList.size(); ++i) {
        if (EntryList[i].ID == DId)
            return static_cast<qint32>(i + 1);
    }
    return 0;
}
