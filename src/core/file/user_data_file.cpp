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

bool EncodeSection(const QString &sectionText, QByteArray &out)
{
    return EncodeCp932(sectionText, out);
}

bool AppendToFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    const bool flushed = file.flush();
    file.close();
    return written && flushed && file.error() == QFileDevice::NoError;
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
