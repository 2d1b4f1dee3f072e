#include "core/file/uncarried_text.h"

#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "core/util/numbers.h"

using namespace Qt::StringLiterals;

namespace {
QString lineEnd()
{
    return QString::fromUtf16(UserDataFile::kLineEnd);
}

// "U+FFFD", "U+1F600".
QString codePoint(const QString &character)
{
    const QList<uint> ucs4 = character.toUcs4();
    return u"U+"_s + QString::number(ucs4.value(0), 16).toUpper().rightJustified(4, u'0');
}

QString replaced(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString c = text.mid(i, len);
        out += UserDataFile::CanCarryText(c) ? c : u"？"_s;
        i += len - 1;
    }
    return out;
}

void findIn(const QList<MasterEntry> &entries, UncarriedText::Kind kind,
            std::optional<UncarriedText> &found)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (UserDataFile::CanCarryText(entries[i].Name))
            continue;
        if (found) {
            ++found->others;
            continue;
        }
        found = UncarriedText{kind, qint32(i + 1), UserDataFile::FirstUncarried(entries[i].Name)};
    }
}

std::optional<QList<MasterEntry>> replacedList(const QList<MasterEntry> &entries)
{
    QList<MasterEntry> out = entries;
    bool changed = false;
    for (MasterEntry &e : out) {
        if (!UserDataFile::CanCarryText(e.Name)) {
            e.Name = replaced(e.Name);
            changed = true;
        }
    }
    return changed ? std::optional(out) : std::nullopt;
}
} // namespace

std::optional<UncarriedText> FindUncarriedText(const SharedData &shared)
{
    std::optional<UncarriedText> found;
    const Data &data = shared.data;
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        const QString &comment = data.Record(n).DComment;
        if (UserDataFile::CanCarryText(comment))
            continue;
        if (found)
            ++found->others;
        else
            found = UncarriedText{UncarriedText::Kind::Comment, n,
                                  UserDataFile::FirstUncarried(comment)};
    }
    findIn(shared.Stores.Entries(), UncarriedText::Kind::Store, found);
    findIn(shared.Machines.Entries(), UncarriedText::Kind::Machine, found);
    return found;
}

QString DescribeUncarriedText(const SharedData &shared, const UncarriedText &found)
{
    QString where;
    switch (found.kind) {
    case UncarriedText::Kind::Comment: {
        const PlayRecord &r = shared.data.Record(found.number);
        where = FormatGrouped(found.number) + u"行目（"_s + FormatZeroPad(r.DYear, 4) + u'/' +
                FormatZeroPad(r.DMonth, 2) + u'/' + FormatZeroPad(r.DDay, 2) +
                u" の記録）のコメント"_s;
        break;
    }
    case UncarriedText::Kind::Store:
        where = u"店「"_s + shared.Stores.Entries().value(found.number - 1).Name + u"」の名前"_s;
        break;
    case UncarriedText::Kind::Machine:
        where = u"台「"_s + shared.Machines.Entries().value(found.number - 1).Name + u"」の名前"_s;
        break;
    }
    QString text = where + u"に、ファイルに書けない文字「"_s + found.character + u"」（"_s +
                   codePoint(found.character) + u"）があります。"_s;
    if (found.others > 0)
        text += lineEnd() + u"ほかに"_s + FormatGrouped(found.others) +
                u"か所のコメントや名前にも、書けない文字があります。"_s;
    return text;
}

DataChange ReplaceUncarriedText(const SharedData &shared)
{
    DataChange change;
    const Data &data = shared.data;
    QList<PlayRecord> records;
    bool changed = false;
    records.reserve(data.ListCount());
    for (qint32 n = 1; n <= data.ListCount(); ++n) {
        records.append(data.Record(n));
        if (!UserDataFile::CanCarryText(records.last().DComment)) {
            records.last().DComment = replaced(records.last().DComment);
            changed = true;
        }
    }
    if (changed)
        change.records = std::move(records);
    change.stores = replacedList(shared.Stores.Entries());
    change.machines = replacedList(shared.Machines.Entries());
    return change;
}
