#include "core/file/data_import.h"

#include "core/file/cp932.h"
#include "core/file/data_folder.h"
#include "core/file/item_reader.h"
#include "core/file/player_name.h"
#include "core/file/save_sequence.h"
#include "core/file/user_data_file.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QStringList>
#include <optional>

using namespace Qt::StringLiterals;

namespace {
// The previous version kept five player slots.
constexpr int kSlots = 5;

bool readInt16(ItemReader &reader, qint16 &value, bool &ended)
{
    QString item;
    if (!reader.Next(item)) {
        ended = true;
        return false;
    }
    return ToInt16(Val(item), value);
}

bool readInt32(ItemReader &reader, qint32 &value, bool &ended)
{
    QString item;
    if (!reader.Next(item)) {
        ended = true;
        return false;
    }
    return ToInt32(Val(item), value);
}

// The folder as typed, ending in a separator. A Windows-style path with "\"
// stands for the same folder written with "/"; a relative one starts at base.
QString importFolder(const QString &base, const QString &typed)
{
    QString folder = QDir(base).filePath(typed);
    if (!QFileInfo(folder).isDir() && folder.contains(u'\\')) {
        QString slashed = typed;
        slashed.replace(u'\\', u'/');
        slashed = QDir(base).filePath(slashed);
        if (QFileInfo(slashed).isDir())
            folder = slashed;
    }
    if (!folder.endsWith(u'/') && !folder.endsWith(u'\\'))
        folder += u'/';
    return folder;
}

// The complete new player file of one slot.
QByteArray playerFile(const QList<OldRecord> &records, qint16 slot)
{
    const QString nl = QString::fromUtf16(UserDataFile::kLineEnd);
    QString text = UserDataFile::NewPlayerHeader();
    for (const OldRecord &r : records) {
        if (r.player != slot)
            continue;
        text += QString::number(r.year) + u',' + QString::number(r.month) + u',' +
                QString::number(r.day) + u',' + QString::number(r.toushi) + u',' +
                QString::number(r.kaishuu) + u",0,0,"_s + UserDataFile::Quoted(QString()) + nl;
    }
    text += nl;
    QByteArray bytes;
    EncodeCp932(text, bytes); // numbers and markers only: always carried
    return bytes;
}
} // namespace

bool ReadOldNames(ItemReader &reader, QStringList &names)
{
    for (int i = 0; i < kSlots; ++i) {
        QString unused, name;
        if (!reader.Next(unused) || !reader.Next(name))
            return false;
        names.append(name);
    }
    return true;
}

// The end of the file ends the records (a record cut short there, such as a
// final blank line, is no record); a value too large for its field makes the
// file unreadable.
bool ReadOldRecords(ItemReader &reader, QList<OldRecord> &records)
{
    for (;;) {
        OldRecord r;
        bool ended = false;
        const bool ok = readInt16(reader, r.player, ended) && readInt16(reader, r.year, ended) &&
                        readInt16(reader, r.month, ended) && readInt16(reader, r.day, ended) &&
                        readInt32(reader, r.toushi, ended) && readInt32(reader, r.kaishuu, ended);
        if (ended)
            return true;
        if (!ok)
            return false;
        records.append(r);
    }
}

ImportFindings ImportOldData(const DataFolder &dataFolder, const QString &typedFolder)
{
    ImportFindings findings;
    if (!dataFolder.IsSet()) {
        findings.end = ImportFindings::End::Unreadable;
        return findings;
    }
    const QString folder = importFolder(dataFolder.Path(), typedFolder);
    const QString nameFile = folder + u"Name.Dat"_s;
    const QString dataFile = folder + u"Data.Dat"_s;
    if (!FileCheck(nameFile)) {
        findings.end = ImportFindings::End::NameFileMissing;
        return findings;
    }
    if (!FileCheck(dataFile)) {
        findings.end = ImportFindings::End::DataFileMissing;
        return findings;
    }

    QStringList names;
    ItemReader nameReader;
    if (!nameReader.Open(nameFile) || !ReadOldNames(nameReader, names)) {
        findings.end = ImportFindings::End::Unreadable;
        return findings;
    }

    // Read once, when the first player is converted.
    std::optional<QList<OldRecord>> records;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const QString &name = names[slot - 1];
        if (name.isEmpty())
            continue;
        ImportedSlot done{slot, name, ImportedSlot::Outcome::Converted};
        // A name like "../x" or ":x" would be written outside the data folder
        // or read back from the program's resources.
        const QString pcd = dataFolder.PlayerFile(name);
        if (!IsUsablePlayerName(name))
            done.outcome = ImportedSlot::Outcome::UnusableName;
        else if (FileCheck(pcd))
            done.outcome = ImportedSlot::Outcome::Exists;
        if (done.outcome != ImportedSlot::Outcome::Converted) {
            findings.players.append(done);
            continue;
        }
        if (!records) {
            records.emplace();
            ItemReader dataReader;
            if (!dataReader.Open(dataFile) || !ReadOldRecords(dataReader, *records)) {
                findings.end = ImportFindings::End::Unreadable;
                return findings;
            }
        }
        // The whole file or nothing, and never over an existing entry.
        if (QFileInfo::exists(pcd) ||
            !ReplaceFileContents(pcd, playerFile(*records, static_cast<qint16>(slot))))
            done.outcome = ImportedSlot::Outcome::NotWritten;
        findings.players.append(done);
    }
    return findings;
}
