#include "core/file/data_import.h"

#include "core/file/cp932.h"
#include "core/file/item_reader.h"
#include "core/file/save_sequence.h"
#include "core/file/user_data_file.h"
#include "core/platform.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"

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
// stands for the same folder written with "/".
QString importFolder(const QString &typed)
{
    QString folder = typed;
    if (!QFileInfo(folder).isDir() && folder.contains(u'\\')) {
        QString slashed = folder;
        slashed.replace(u'\\', u'/');
        if (QFileInfo(slashed).isDir())
            folder = slashed;
    }
    if (!folder.endsWith(u'/') && !folder.endsWith(u'\\'))
        folder += u'/';
    return folder;
}

// A player name must name a file of the working folder: no folder separator,
// nothing the file check reads as a wildcard, and no leading ":", which makes
// Qt look among the program's own resources: such a player would be written
// to the folder but read back empty.
bool formsFileName(const QString &name)
{
    return !name.contains(u'/') && !name.contains(QChar(0)) && !name.contains(u'*') &&
           !name.contains(u'?') && !name.startsWith(u':');
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

void DataImport(Platform &platform)
{
    if (platform.MsgBox(u"るでらVer2のデータをインポートしますか？"_s, MsgButtons::OkCancel,
                        MsgIcon::None, u"確認"_s) != MsgResult::Ok)
        return;
    const QString typed = platform.InputBox(
        u"ファイル形式を変換します。\n\rるでらVer2をインストールしたフォルダを指定して下さい。"_s,
        u"フォルダの指定"_s, u"C:\\Program Files\\ledra\\"_s);
    if (typed.isEmpty())
        return;

    const QString folder = importFolder(typed);
    const QString nameFile = folder + u"Name.Dat"_s;
    const QString dataFile = folder + u"Data.Dat"_s;
    if (!FileCheck(nameFile)) {
        platform.MsgBox(u"Name.Dat ファイルが見つかりませんでした。"_s);
        return;
    }
    if (!FileCheck(dataFile)) {
        platform.MsgBox(u"Data.Dat ファイルが見つかりませんでした。"_s);
        return;
    }

    QStringList names;
    ItemReader nameReader;
    if (!nameReader.Open(nameFile) || !ReadOldNames(nameReader, names))
        return;

    // Read once, when the first player is converted.
    std::optional<QList<OldRecord>> records;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const QString &name = names[slot - 1];
        if (name.isEmpty())
            continue;
        const QString pcd = name + UserDataFile::PcdExtension();
        if (FileCheck(pcd)) {
            platform.MsgBox(name + u"は既に存在しているのでインポート出来ません。"_s);
            continue;
        }
        if (!records) {
            records.emplace();
            ItemReader dataReader;
            if (!dataReader.Open(dataFile) || !ReadOldRecords(dataReader, *records))
                return;
        }
        // The whole file or nothing, and never over an existing entry.
        if (!formsFileName(name) || QFileInfo::exists(pcd) ||
            !ReplaceFileContents(pcd, playerFile(*records, static_cast<qint16>(slot))))
            return;
    }

    platform.MsgBox(u"インポートが終了しました。"_s);
}
