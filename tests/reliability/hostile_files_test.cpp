// Player files no program of ours wrote: far too many records, one endless
// line, all NUL bytes. Opening one never crashes, takes memory in proportion
// to the file (measured in a child process) and ends in a clear state. (Pipes
// and devices in a file's place: hostile_places_test.)

#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>
#include <iostream>

using namespace Qt::StringLiterals;

namespace {
// Each file is 4 MB: the records one holds over three times the 32,767 the
// table takes, and the memory an open needs beyond the program's own (about
// twice the file, for its text) is then well above the fixed part.
constexpr qint64 kFileBytes = 4 << 20;
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMeasureMemory = false; // the sanitizers' own memory makes a bound meaningless
#else
constexpr bool kMeasureMemory = true;
#endif
// At most 5 bytes of memory per byte of file.
constexpr qint64 kMemoryPerFileByte = 5;

struct Opened {
    int records = -1, unread = -1, stores = -1, messages = -1;
    long peakKb = -1, baseKb = -1;
};

// Writes head, then block repeated up to about kFileBytes.
void writeLarge(const QString &fileName, const QByteArray &head, const QByteArray &block)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(head), head.size());
    QByteArray chunk;
    while (chunk.size() < (1 << 20))
        chunk += block;
    for (qint64 written = head.size(); written < kFileBytes; written += chunk.size())
        ASSERT_EQ(file.write(chunk), chunk.size());
}

// Opens the player in a child process; its memory is bounded by the file's size.
Opened openInChild(const QString &folder, const QString &name)
{
    QProcess child;
    child.start(QStringLiteral(LEDRA_RELIABILITY_HELPER), {u"open"_s, folder, name});
    EXPECT_TRUE(child.waitForFinished(300000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit)
        << child.readAllStandardError().toStdString();
    EXPECT_EQ(child.exitCode(), 0);
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    const QRegularExpression pattern(u"records=(\\d+) unread=(\\d+) stores=(\\d+) messages=(\\d+) "
                                     "hwm_kb=(-?\\d+) base_kb=(-?\\d+)"_s);
    const QRegularExpressionMatch m = pattern.match(out);
    EXPECT_TRUE(m.hasMatch()) << out.toStdString();
    Opened o;
    if (m.hasMatch()) {
        o.records = m.captured(1).toInt();
        o.unread = m.captured(2).toInt();
        o.stores = m.captured(3).toInt();
        o.messages = m.captured(4).toInt();
        o.peakKb = m.captured(5).toLong();
        o.baseKb = m.captured(6).toLong();
    }
    const qint64 fileBytes = QFile(folder + u'/' + name + u".pcd"_s).size();
    std::cout << name.toStdString() << ": " << o.records << " records read, " << o.unread
              << " unread, " << o.messages << " messages, opening took "
              << (o.peakKb - o.baseKb) / 1024 << " MB for " << fileBytes / (1 << 20)
              << " MB of file\n";
    if (kMeasureMemory) {
        EXPECT_GT(o.baseKb, 0);
        EXPECT_LT((o.peakKb - o.baseKb) * 1024, kMemoryPerFileByte * fileBytes);
    }
    return o;
}
} // namespace

TEST(HostileFiles, HugeFileOfRecordsOpensItsFirst32767AndSaysSo)
{
    TempDataFolder dir;
    const QByteArray head = Cp932Lines(u"<States>\n\"Sound\",0\n\"WakeKin\",500\n\n<StoreData>\n"
                                       "1,\"駅前店\"\n\n<MachineData>\n\n<Data>\n"_s);
    const QByteArray record = Cp932Lines(u"2001,5,3,10000,15000,1,0,\"普通の一日\"\n"_s);
    writeLarge(dir.file(u"huge.pcd"_s), head, record);
    const qint64 records = (QFile(dir.file(u"huge.pcd"_s)).size() - head.size()) / record.size();

    const Opened o = openInChild(dir.path(), u"huge"_s);
    EXPECT_EQ(o.records, 32767);
    EXPECT_EQ(o.unread, records - 32767);
    EXPECT_EQ(o.stores, 1);
    EXPECT_EQ(o.messages, 1);
}

TEST(HostileFiles, OneEndlessLineOrNulBytesOpenAsAnEmptyPlayer)
{
    TempDataFolder dir;
    writeLarge(dir.file(u"line.pcd"_s), QByteArray(), "xxxxxxxx"); // no separator at all
    writeLarge(dir.file(u"quote.pcd"_s), "<Data>\r\n\"", "no closing quote ");
    writeLarge(dir.file(u"nul.pcd"_s), QByteArray(), QByteArray(4096, '\0'));

    for (const QString &name : {u"line"_s, u"quote"_s, u"nul"_s}) {
        SCOPED_TRACE(name.toStdString());
        const Opened o = openInChild(dir.path(), name);
        EXPECT_EQ(o.stores, 0);
        // The line after the marker is a record that cannot be read: told.
        const int unread = name == u"quote"_s ? 1 : 0;
        EXPECT_EQ(o.unread, unread);
        EXPECT_EQ(o.messages, unread);
        EXPECT_EQ(o.records, 0);
    }

    // The settings keep their defaults; nothing is marked as modified.
    FakePlatform platform;
    SharedData shared(platform, dir.folder());
    EXPECT_TRUE(OpenPlayer(shared, u"nul"_s).messages.isEmpty());
    EXPECT_EQ(shared.data.ListCount(), 0);
    EXPECT_EQ(shared.states.WakeKin, 0);
    EXPECT_FALSE(shared.states.Corrected);
    EXPECT_EQ(shared.states.UserName, u"nul"_s);
}

TEST(HostileFiles, CsvImportsTakeMemoryInProportionToTheFileAndRefuseHugeFields)
{
    TempDataFolder dir;
    const QByteArray head = "\xEF\xBB\xBF" + u"日付,投資,回収,店名,台名,コメント\r\n"_s.toUtf8();
    writeLarge(dir.file(u"rows.csv"_s), head, "x\r\n"); // a row of one character per line
    writeLarge(dir.file(u"field.csv"_s), head + "2026/01/01,1,0,A,B,", "long comment ");
    const struct {
        QString file;
        QString firstReason;
    } cases[] = {
        {u"rows.csv"_s, u"日付「x」が正しくありません（例: 2026/03/05）"_s},
        {u"field.csv"_s, u"コメントが長すぎます（4,096文字まで）"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        QProcess child;
        child.start(QStringLiteral(LEDRA_RELIABILITY_HELPER), {u"csv"_s, dir.path(), c.file});
        ASSERT_TRUE(child.waitForFinished(300000));
        ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
        const QString out = QString::fromUtf8(child.readAllStandardOutput());
        const QRegularExpressionMatch m =
            QRegularExpression(u"new=0 invalid=(\\d+) reason=(.*) hwm_kb=(\\d+) base_kb=(\\d+)"_s)
                .match(out);
        ASSERT_TRUE(m.hasMatch()) << out.toStdString();
        EXPECT_EQ(m.captured(2), c.firstReason);
        const qint64 fileBytes = QFile(dir.file(c.file)).size();
        const qint64 took = (m.captured(3).toLongLong() - m.captured(4).toLongLong()) * 1024;
        std::cout << c.file.toStdString() << ": " << m.captured(1).toStdString()
                  << " rows refused, the preview took " << took / (1 << 20) << " MB for "
                  << fileBytes / (1 << 20) << " MB of file\n";
        if (kMeasureMemory) {
            EXPECT_LE(took, 4 * fileBytes);
        }
    }
}
