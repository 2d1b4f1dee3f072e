#include "core/file/user_data_file.h"

#include "core/file/cp932.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace UserDataFile {

QString StatesMarker()
{
    return QStringLiteral("<States>");
}
QString StoreMarker()
{
    return QStringLiteral("<StoreData>");
}
QString MachineMarker()
{
    return QStringLiteral("<MachineData>");
}
QString DataMarker()
{
    return QStringLiteral("<Data>");
}
QString PcdExtension()
{
    return QStringLiteral(".pcd");
}
QString BackupExtension()
{
    return QStringLiteral(".Bak");
}

QString Quoted(const QString &text)
{
    return u'"' + text + u'"';
}

bool CanCarryText(const QString &text)
{
    return !text.contains(u'"') && IsCp932Encodable(text);
}

QString FirstUncarried(const QString &text)
{
    const qsizetype quote = text.indexOf(u'"');
    const QString bad = FirstUnencodableCp932(quote < 0 ? text : text.left(quote));
    return !bad.isEmpty() || quote < 0 ? bad : u"\""_s;
}

bool EncodeSection(const QString &sectionText, QByteArray &out)
{
    return EncodeCp932(sectionText, out);
}

QString NewPlayerHeader()
{
    const QString nl = QString::fromUtf16(kLineEnd);
    return StatesMarker() + nl + u"\"Sound\",1"_s + nl + u"\"WakeKin\",0"_s + nl + StoreMarker() +
           nl + nl + MachineMarker() + nl + nl + DataMarker() + nl;
}

QString NewPlayerFileText()
{
    return NewPlayerHeader() + QString::fromUtf16(kLineEnd);
}

} // namespace UserDataFile
