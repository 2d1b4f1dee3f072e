#include "support/test_files.h"

#include "core/file/cp932.h"

#include <QFile>
#include <gtest/gtest.h>

TempDataFolder::TempDataFolder()
{
    EXPECT_TRUE(dir_.isValid());
}

QByteArray ReadBytes(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void WriteBytes(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray Cp932Lines(const QString &textWithLf)
{
    QString text = textWithLf;
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    QByteArray bytes;
    EXPECT_TRUE(EncodeCp932(text, bytes));
    return bytes;
}
