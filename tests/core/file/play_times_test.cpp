// Play times kept beside the player file: round trips, a player file changed
// by another program, a save cut short between its two renames.

#include "core/file/csv_exchange.h"
#include "core/file/save_sequence.h"
#include "core/model/play_time.h"
#include "core/model/shared_data.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
constexpr qint16 h(int hours, int minutes = 0)
{
    return qint16(hours * 60 + minutes);
}

// Six visits, the 4th and 5th identical but for their times, the 6th without.
QList<PlayRecord> visits()
{
    return {{2026, 1, 1, 1000, 0, 1, 1, u""_s, h(10), h(12)},
            {2026, 1, 2, 2000, 500, 1, 1, u"a, b"_s, h(13), kNoTime},
            {2026, 1, 3, 3000, 0, 2, 1, u""_s, h(22), h(1, 30)},
            {2026, 1, 4, 1000, 1000, 1, 1, u"same"_s, h(9), h(10)},
            {2026, 1, 4, 1000, 1000, 1, 1, u"same"_s, h(15), h(16)},
            {2026, 1, 5, 500, 0, 1, 1, u""_s}};
}

PlayRecord withoutTimes(PlayRecord r)
{
    r.startMinute = r.endMinute = kNoTime;
    return r;
}

class PlayTimesTest : public ::testing::Test {
protected:
    QString file(const QString &extension) const { return dir.file(u"taro"_s + extension); }

    void save(const QList<PlayRecord> &records)
    {
        ASSERT_TRUE(ChangePlayerData(shared, DataChange{records, {}, {}}));
        ASSERT_TRUE(SavePlayerFile(shared, u"taro"_s));
    }
    // Opens taro as another copy would, after this one let go of it.
    QList<PlayRecord> reopen(qint32 &unmatched)
    {
        shared.file.Unlock();
        FakePlatform other;
        SharedData s(other, dir.folder());
        EXPECT_TRUE(OpenPlayer(s, u"taro"_s).opened);
        unmatched = s.file.UnmatchedTimes();
        QList<PlayRecord> out;
        for (qint32 n = 1; n <= s.data.ListCount(); ++n)
            out.append(s.data.Record(n));
        return out;
    }

    TempDataFolder dir;
    FakePlatform platform;
    SharedData shared{platform, dir.folder()};
};

// Every time on a record is one that a visit of the same content had in one
// of states: none is ever moved to another visit.
void expectOnlyOwnTimes(const QList<PlayRecord> &opened, const QList<QList<PlayRecord>> &states)
{
    for (const PlayRecord &r : opened) {
        if (r.startMinute == kNoTime && r.endMinute == kNoTime)
            continue;
        bool own = false;
        for (const QList<PlayRecord> &state : states)
            own = own || state.contains(r);
        EXPECT_TRUE(own) << r.DMonth << '/' << r.DDay << ' ' << r.DToushi << ' '
                         << FormatClockTime(r.startMinute).toStdString();
    }
}
} // namespace

TEST_F(PlayTimesTest, RoundTripThroughSaveOpenAndCsvAndNoFileWithoutTimes)
{
    WriteBytes(file(u".pcd"_s), {});
    OpenPlayer(shared, u"taro"_s);
    save(visits());
    qint32 unmatched = -1;
    EXPECT_EQ(reopen(unmatched), visits());
    EXPECT_EQ(unmatched, 0);
    EXPECT_TRUE(ReadBytes(file(u".times"_s))
                    .startsWith("ledra3 play times 1\r\n2026,1,1,1000,0,1,1,1,1,10:00,12:00,\r\n"
                                "2026,1,2,2000,500,1,1,1,1,13:00,,\"a, b\"\r\n"));
    // The player file is as the previous program writes it.
    EXPECT_FALSE(ReadBytes(file(u".pcd"_s)).contains("10:00"));

    // Through a CSV file into a player of its own.
    FakePlatform other;
    SharedData empty(other);
    QByteArray csv;
    ASSERT_TRUE(Csv::Encode(CsvExchange::RecordsCsv(shared.data, shared.Stores, shared.Machines),
                            Csv::Encoding::Utf8, csv));
    QString message;
    ASSERT_TRUE(CsvExchange::ApplyImport(
        CsvExchange::PreviewImport(csv, empty.data, empty.Stores, empty.Machines), true, empty,
        message));
    for (qint32 n = 1; n <= 6; ++n)
        EXPECT_EQ(empty.data.Record(n), visits()[n - 1]);

    // Without times no file is written, and the one before goes (its backup
    // stays); a previous program's player, without one, opens as ever.
    QList<PlayRecord> plain;
    for (const PlayRecord &r : visits())
        plain.append(withoutTimes(r));
    OpenPlayer(shared, u"taro"_s);
    save(plain);
    EXPECT_FALSE(QFile::exists(file(u".times"_s)));
    EXPECT_TRUE(QFile::exists(file(u".times.Bak"_s)));
    EXPECT_EQ(reopen(unmatched), plain);
    EXPECT_EQ(unmatched, 0);
}

TEST_F(PlayTimesTest, APlayerFileChangedByAnotherProgramNeverMovesATime)
{
    WriteBytes(file(u".pcd"_s), {});
    OpenPlayer(shared, u"taro"_s);
    save(visits());
    const QByteArray saved = ReadBytes(file(u".pcd"_s));
    const QList<QByteArray> lines = saved.split('\n');
    const qsizetype first = lines.indexOf("<Data>\r") + 1; // the records' lines
    const auto without = [&](int record) {
        QList<QByteArray> l = lines;
        l.removeAt(first + record - 1);
        return l.join('\n');
    };
    QList<QByteArray> reversed = lines;
    std::reverse(reversed.begin() + first, reversed.begin() + first + 6);
    const struct {
        const char *what;
        QByteArray file;
        qint32 unmatched;
    } cases[] = {
        {"a record removed", without(2), 1},
        {"an amount changed", QByteArray(saved).replace("2026,1,3,3000,", "2026,1,3,3500,"), 1},
        {"one of two identical records removed: neither can be told", without(5), 2},
        {"records reordered", reversed.join('\n'), 0},
        {"rewritten by the previous program, the same", saved, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(file(u".pcd"_s), c.file);
        qint32 unmatched = -1;
        const QList<PlayRecord> opened = reopen(unmatched);
        EXPECT_EQ(unmatched, c.unmatched);
        qint32 withTimes = 0;
        for (const PlayRecord &r : opened)
            withTimes += r.startMinute != kNoTime ? 1 : 0;
        EXPECT_EQ(withTimes + unmatched, 5);
        expectOnlyOwnTimes(opened, {visits()});
    }

    // Told once on opening, asked before the save drops them.
    WriteBytes(file(u".pcd"_s), without(2));
    const PlayerOpening opening = OpenPlayer(shared, u"taro"_s);
    ASSERT_EQ(opening.messages.size(), 1);
    EXPECT_EQ(
        opening.messages[0].text,
        u"1件の稼働時間が、どの記録とも合いません（稼働時間を記録した後に、ほかのプログラム"
        u"で成績のファイルが変えられたようです）。\r\nこれらの稼働時間は表示も集計もされま"
        u"せん。\r\n保存すると、これらはファイルから失われます（保存する前に確認します）。"_s);
    EXPECT_EQ(
        SaveQuestions(shared, u"taro"_s).value(0).text,
        u"読み込めなかった1件の稼働時間は、保存するとファイルから失われます。\r\n"
        u"保存前のファイルは、次に保存するまで taro.Bak に残ります。\r\n"
        u"保存前の稼働時間は、次に保存するまで taro.times.Bak に残ります。\r\n保存しますか？"_s);
}

TEST_F(PlayTimesTest, ReadWithAnyLineEndsAByteOrderMarkOrWithoutItsFirstLine)
{
    WriteBytes(file(u".pcd"_s), {});
    OpenPlayer(shared, u"taro"_s);
    save(visits());
    const QByteArray crlf = ReadBytes(file(u".times"_s));
    const QByteArray lf = QByteArray(crlf).replace("\r\n", "\n");
    const QByteArray headless = lf.sliced(lf.indexOf('\n') + 1);
    const struct {
        const char *what;
        QByteArray times;
        qint32 unmatched; // every line that attaches nowhere is counted
    } cases[] = {
        {"CR only", QByteArray(crlf).replace("\r\n", "\r"), 0},
        {"LF only", lf, 0},
        {"a byte order mark", "\xEF\xBB\xBF" + crlf, 0},
        {"without its first line", headless, 0},
        {"without its first line, the next one cut", headless.sliced(3), 1},
        {"another version's", "ledra3 play times 2\n" + headless, 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(file(u".times"_s), c.times);
        qint32 unmatched = -1;
        const QList<PlayRecord> opened = reopen(unmatched);
        EXPECT_EQ(unmatched, c.unmatched);
        qint32 withTimes = 0;
        for (const PlayRecord &r : opened)
            withTimes += r.startMinute != kNoTime ? 1 : 0;
        EXPECT_EQ(withTimes + unmatched, 5);
        expectOnlyOwnTimes(opened, {visits()});
    }
}

TEST_F(PlayTimesTest, ASaveCutShortBetweenItsRenamesAttachesNothingWrongly)
{
    WriteBytes(file(u".pcd"_s), {});
    OpenPlayer(shared, u"taro"_s);
    const QList<PlayRecord> before = visits();
    save(before);
    const QByteArray pcd0 = ReadBytes(file(u".pcd"_s)), times0 = ReadBytes(file(u".times"_s));
    // The session: the 1st gets another end, the 2nd another payout and
    // time, the 4th goes, the 6th gets times.
    QList<PlayRecord> after = before;
    after[0].endMinute = h(12, 30);
    after[1].DKaishuu = 800;
    after[1].startMinute = h(13, 30);
    after[5].startMinute = h(18);
    after.removeAt(3);
    save(after);
    const QByteArray pcd1 = ReadBytes(file(u".pcd"_s)), times1 = ReadBytes(file(u".times"_s));

    // Killed after the times file's rename: the new times beside the old
    // player file. And the other way round, which no save leaves.
    const struct {
        QByteArray pcd, times;
        qint32 unmatched;
    } pairs[] = {{pcd0, times1, 2}, {pcd1, times0, 3}};
    for (const auto &p : pairs) {
        WriteBytes(file(u".pcd"_s), p.pcd);
        WriteBytes(file(u".times"_s), p.times);
        qint32 unmatched = -1;
        const QList<PlayRecord> opened = reopen(unmatched);
        EXPECT_EQ(unmatched, p.unmatched);
        expectOnlyOwnTimes(opened, {before, after});
    }
}

TEST_F(PlayTimesTest, TheDatedCopiesOfADayRestoreBothFiles)
{
    WriteBytes(file(u".pcd"_s), {});
    OpenPlayer(shared, u"taro"_s);
    platform.today = QDate(2026, 1, 1);
    save(visits());
    platform.today = QDate(2026, 1, 2);
    QList<PlayRecord> later = visits();
    later[0].startMinute = h(8);
    save(later);
    for (const QString &extension : {u".pcd"_s, u".times"_s}) {
        QFile::remove(file(extension));
        ASSERT_TRUE(
            QFile::copy(dir.file(u"backup/taro/2026-01-01"_s + extension), file(extension)));
    }
    qint32 unmatched = -1;
    EXPECT_EQ(reopen(unmatched), visits());
    EXPECT_EQ(unmatched, 0);
}
