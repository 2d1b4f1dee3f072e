// Play times and the other details kept beside the player file: round trips,
// earlier versions' files read and converted, a player file changed by
// another program, a save cut short between its two renames.

#include "core/file/csv_exchange.h"
#include "core/file/play_times_file.h"
#include "core/file/save_sequence.h"
#include "core/model/play_time.h"
#include "core/model/shared_data.h"
#include "core/model/visit_details.h"
#include "support/fake_platform.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
constexpr qint16 h(int hours, int minutes = 0)
{
    return qint16(hours * 60 + minutes);
}

// Six visits, the 4th and 5th identical but for their times, the 6th without
// and with amounts of ten digits.
QList<PlayRecord> visits()
{
    return {{2026, 1, 1, 1000, 0, 1, 1, u""_s, h(10), h(12)},
            {2026, 1, 2, 2000, 500, 1, 1, u"a, b"_s, h(13), kNoTime},
            {2026, 1, 3, 3000, 0, 2, 1, u""_s, h(22), h(1, 30)},
            {2026, 1, 4, 1000, 1000, 1, 1, u"same"_s, h(9), h(10)},
            {2026, 1, 4, 1000, 1000, 1, 1, u"same"_s, h(15), h(16)},
            {2026, 1, 5, -1'000'000'007, 1'147'483'640, -3, 1, u""_s}};
}

// The same visits with details: every kind on the 1st, tags alone on the
// 2nd, none on the 3rd, other ones on the two identical visits, a count of 0
// on the 6th, which has no times.
QList<PlayRecord> detailed()
{
    using Kind = PlayRate::Kind;
    QList<PlayRecord> v = visits();
    v[0].rate = {Kind::Pachinko, 50};
    v[0].spins = 999'999;
    v[0].jackpots = 12;
    v[0].tags = {u"イベント日"_s, u"\"q\" ABC"_s};
    v[1].tags = {u"並び"_s};
    v[3].spins = 350;
    v[4].rate = {Kind::Slot, 2000};
    v[5].jackpots = 0;
    return v;
}

bool hasDetails(const PlayRecord &r)
{
    return r.startMinute != kNoTime || r.endMinute != kNoTime || r.rate.IsSet() ||
           r.spins != kNoCount || r.jackpots != kNoCount || !r.tags.isEmpty();
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

// Every time and detail on a record is one that a visit of the same content
// had in one of states: none is ever moved to another visit. The records
// with any, counted.
qint32 expectOnlyOwnDetails(const QList<PlayRecord> &opened, const QList<QList<PlayRecord>> &states)
{
    qint32 with = 0;
    for (const PlayRecord &r : opened) {
        if (!hasDetails(r))
            continue;
        ++with;
        bool own = false;
        for (const QList<PlayRecord> &state : states)
            own = own || state.contains(r);
        EXPECT_TRUE(own) << r.DMonth << '/' << r.DDay << ' ' << r.DToushi << ' '
                         << FormatClockTime(r.startMinute).toStdString();
    }
    return with;
}
} // namespace

TEST_F(PlayTimesTest, RoundTripThroughSaveOpenAndCsvAndNoFileWithoutAny)
{
    WriteBytes(file(u".pcd"_s), {});
    OpenPlayer(shared, u"taro"_s);
    save(detailed());
    qint32 unmatched = -1;
    EXPECT_EQ(reopen(unmatched), detailed());
    EXPECT_EQ(unmatched, 0);
    // Each visit named by its number and the fingerprint of its content,
    // which files keep: it never changes.
    const QByteArray times = ReadBytes(file(u".times"_s));
    // Left out: the record number where it follows the line before, a
    // position and a count of 1.
    const QString fingerprint = u"[0-9A-Za-z_-]{11}"_s;
    EXPECT_TRUE(
        QRegularExpression(u"^ledra3 play times 3\r\ntags,イベント日,\"q\" ABC,並び\r\n"
                           u",%1,,,600,720,0.5p,999999,12,1 2\r\n,%1,,,780,,,,,3\r\n"
                           u",%1,,,1320,90,,,,\r\n,%1,,2,540,600,,350,,\r\n"
                           u",%1,2,2,900,960,20s,,,\r\n,%1,,,,,,,0,\r\n$"_s.arg(fingerprint))
            .match(QString::fromUtf8(times))
            .hasMatch())
        << times.toStdString();
    EXPECT_EQ(ContentFingerprint(VisitContent::Of(detailed()[1])), 0xA3AFDC54E9D43242ULL);
    EXPECT_TRUE(times.contains("\r\n,AElt5Jfr392,,,780,"));
    QList<PlayRecord> gap = detailed();
    gap[1] = visits()[1];
    gap[1].startMinute = kNoTime;
    save(gap);
    EXPECT_TRUE(ReadBytes(file(u".times"_s)).contains("\r\n3,"));
    EXPECT_EQ(reopen(unmatched), gap);
    save(detailed());
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
        EXPECT_EQ(empty.data.Record(n), detailed()[n - 1]);

    // Without times and details no file is written, and the one before goes
    // (its backup stays); a previous program's player, without one, opens
    // as ever.
    QList<PlayRecord> plain;
    for (const PlayRecord &r : visits())
        plain.append(
            {r.DYear, r.DMonth, r.DDay, r.DToushi, r.DKaishuu, r.DSId, r.DMId, r.DComment});
    OpenPlayer(shared, u"taro"_s);
    save(plain);
    EXPECT_FALSE(QFile::exists(file(u".times"_s)));
    EXPECT_TRUE(QFile::exists(file(u".times.Bak"_s)));
    EXPECT_EQ(reopen(unmatched), plain);
    EXPECT_EQ(unmatched, 0);
}

TEST_F(PlayTimesTest, AnEarlierVersionsFileOpensAsEverAndIsKeptWhenDetailsConvertIt)
{
    WriteBytes(file(u".pcd"_s), {});
    OpenPlayer(shared, u"taro"_s);
    // Times alone: the first version, written and read as the previous
    // program does.
    save(visits());
    const QByteArray first = ReadBytes(file(u".times"_s));
    EXPECT_TRUE(first.startsWith("ledra3 play times 1\r\n2026,1,1,1000,0,1,1,1,1,10:00,12:00,\r\n"
                                 "2026,1,2,2000,500,1,1,1,1,13:00,,\"a, b\"\r\n"));
    qint32 unmatched = -1;
    EXPECT_EQ(reopen(unmatched), visits());
    EXPECT_EQ(unmatched, 0);
    OpenPlayer(shared, u"taro"_s);
    save(visits());
    EXPECT_EQ(ReadBytes(file(u".times"_s)), first);

    // The first save of details converts it, keeping it under a name that no
    // later save replaces and no pruning of the dated copies removes.
    platform.today = QDate(2026, 3, 1);
    save(detailed());
    EXPECT_EQ(PlayTimesVersion(ReadBytes(file(u".times"_s))), 3);
    const auto kept = [this] {
        return QDir(dir.file(u"backup/taro"_s)).entryList({u"taro 旧形式 *.times"_s}, QDir::Files);
    };
    ASSERT_EQ(kept().size(), 1);
    EXPECT_EQ(ReadBytes(dir.file(u"backup/taro/"_s + kept()[0])), first);
    for (int day = 2; day <= 31; ++day)
        WriteBytes(dir.file(u"backup/taro/2026-03-%1.pcd"_s.arg(day, 2, 10, QChar(u'0'))), "x");
    platform.today = QDate(2026, 4, 1);
    save(visits()); // details gone: the first version again
    EXPECT_EQ(ReadBytes(file(u".times"_s)), first);
    EXPECT_FALSE(QFile::exists(dir.file(u"backup/taro/2026-03-01.times"_s)));
    ASSERT_EQ(kept().size(), 1);
    EXPECT_EQ(ReadBytes(dir.file(u"backup/taro/"_s + kept()[0])), first);

    // The second version's file, which repeats each visit's content, opens
    // with every detail and is kept the same way when a save converts it.
    const QByteArray second = "ledra3 play times 2\r\n"
                              "2026,1,1,1000,0,1,1,1,1,10:00,12:00,0.5円パチンコ,999999,12,"
                              "イベント日、\"q\" ABC,\r\n"
                              "2026,1,2,2000,500,1,1,1,1,13:00,,,,,並び,\"a, b\"\r\n"
                              "2026,1,3,3000,0,2,1,1,1,22:00,01:30,,,,,\r\n"
                              "2026,1,4,1000,1000,1,1,1,2,09:00,10:00,,350,,,same\r\n"
                              "2026,1,4,1000,1000,1,1,2,2,15:00,16:00,20円スロット,,,,same\r\n"
                              "2026,1,5,-1000000007,1147483640,-3,1,1,1,,,,,0,,\r\n";
    WriteBytes(file(u".times"_s), second);
    EXPECT_EQ(reopen(unmatched), detailed());
    EXPECT_EQ(unmatched, 0);
    OpenPlayer(shared, u"taro"_s);
    platform.today = QDate(2026, 4, 2);
    save(detailed());
    EXPECT_EQ(PlayTimesVersion(ReadBytes(file(u".times"_s))), 3);
    ASSERT_EQ(kept().size(), 2); // under names of their own
    const QList<QByteArray> both{ReadBytes(dir.file(u"backup/taro/"_s + kept()[0])),
                                 ReadBytes(dir.file(u"backup/taro/"_s + kept()[1]))};
    EXPECT_TRUE(both.contains(first) && both.contains(second));
}

TEST_F(PlayTimesTest, APlayerFileChangedByAnotherProgramNeverMovesADetail)
{
    WriteBytes(file(u".pcd"_s), {});
    OpenPlayer(shared, u"taro"_s);
    save(detailed());
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
        EXPECT_EQ(expectOnlyOwnDetails(opened, {detailed()}) + unmatched, 6);
    }

    // Told once on opening, asked before the save drops them.
    WriteBytes(file(u".pcd"_s), without(2));
    const PlayerOpening opening = OpenPlayer(shared, u"taro"_s);
    ASSERT_EQ(opening.messages.size(), 1);
    EXPECT_EQ(opening.messages[0].text,
              u"1件の稼働時間などが、どの記録とも合いません（稼働時間などを記録した後に、ほかの"
              u"プログラムで成績のファイルが変えられたようです）。\r\nこれらの稼働時間などは表示"
              u"も集計もされません。\r\n保存すると、これらはファイルから失われます（保存する前"
              u"に確認します）。"_s);
    EXPECT_EQ(SaveQuestions(shared, u"taro"_s).value(0).text,
              u"読み込めなかった1件の稼働時間などは、保存するとファイルから失われます。\r\n"
              u"保存前のファイルは、次に保存するまで taro.Bak に残ります。\r\n"
              u"保存前の稼働時間などは、次に保存するまで taro.times.Bak に残ります。\r\n"
              u"保存しますか？"_s);
}

TEST_F(PlayTimesTest, ReadWithAnyLineEndsAByteOrderMarkOrWithoutItsFirstLine)
{
    WriteBytes(file(u".pcd"_s), {});
    OpenPlayer(shared, u"taro"_s);
    save(visits());
    const QByteArray firstVersion = ReadBytes(file(u".times"_s));
    save(detailed());
    const QByteArray crlf = ReadBytes(file(u".times"_s));
    const QByteArray lf = QByteArray(crlf).replace("\r\n", "\n");
    const auto headless = [](const QByteArray &b) { return b.sliced(b.indexOf('\n') + 1); };
    const QByteArray visitsOnly = headless(headless(lf));
    const QByteArray firstVisitCut =
        headless(lf).first(headless(lf).size() - visitsOnly.size()) + visitsOnly.sliced(3);
    const struct {
        const char *what;
        QByteArray times;
        qint32 unmatched;   // every line that attaches nowhere is counted
        bool first = false; // of the first version: times alone
    } cases[] = {
        {"CR only", QByteArray(crlf).replace("\r\n", "\r"), 0},
        {"LF only", lf, 0},
        {"a byte order mark", "\xEF\xBB\xBF" + crlf, 0},
        {"without its first line", headless(lf), 0},
        {"without its first line, a visit's cut", firstVisitCut, 1},
        {"without its tags: the visits with tags are unmatched", visitsOnly, 2},
        {"the first version without its first line", headless(firstVersion), 0, true},
        {"another version's", "ledra3 play times 9\n" + visitsOnly, 6},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(file(u".times"_s), c.times);
        qint32 unmatched = -1;
        const QList<PlayRecord> opened = reopen(unmatched);
        EXPECT_EQ(unmatched, c.unmatched);
        EXPECT_EQ(expectOnlyOwnDetails(opened, {c.first ? visits() : detailed()}) + unmatched,
                  c.first ? 5 : 6);
    }
}

// Tags are named by their numbers. A text met again reads as it did the
// first time, and one that only looks like it as it reads on its own.
TEST_F(PlayTimesTest, TagNumbersReadTheSameHoweverOftenMet)
{
    WriteBytes(file(u".pcd"_s), {});
    OpenPlayer(shared, u"taro"_s);
    save(detailed());
    const QByteArray saved = ReadBytes(file(u".times"_s));
    ASSERT_EQ(saved.count(",1 2\r\n"), 1); // the 1st visit's tags
    ASSERT_EQ(saved.count(",3\r\n"), 1);   // the 2nd's
    const QStringList both{u"イベント日"_s, u"\"q\" ABC"_s};
    const struct {
        QByteArray first, second;
        QStringList secondTags; // none: the 2nd visit's line is unmatched
    } cases[] = {
        {"3", "0 3", {}},
        {"3", "03", {u"並び"_s}},
        {"3", "3 0", {}},
        {"3", "3 3", {}},
        {"1 2", "1  2", {}},
        {"1 2", "1 2 ", {}},
        {"2 1", "1 2", both},
        {"1 2", "1 2 3 3", {}},
        {"3", "3 1 2", {u"並び"_s, both[0], both[1]}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.second.constData());
        QByteArray times = saved;
        times.replace(",3\r\n", ",@\r\n")
            .replace(",1 2\r\n", QByteArray("," + c.first + "\r\n"))
            .replace(",@\r\n", QByteArray("," + c.second + "\r\n"));
        WriteBytes(file(u".times"_s), times);
        qint32 unmatched = -1;
        const QList<PlayRecord> opened = reopen(unmatched);
        EXPECT_EQ(unmatched, c.secondTags.isEmpty() ? 1 : 0);
        EXPECT_EQ(opened[1].tags, c.secondTags);
    }
}

TEST_F(PlayTimesTest, ASaveCutShortBetweenItsRenamesAttachesNothingWrongly)
{
    WriteBytes(file(u".pcd"_s), {});
    OpenPlayer(shared, u"taro"_s);
    const QList<PlayRecord> before = detailed();
    save(before);
    const QByteArray pcd0 = ReadBytes(file(u".pcd"_s)), times0 = ReadBytes(file(u".times"_s));
    // The session: the 1st gets another end, the 2nd another payout and
    // time, the 3rd a tag, the 4th goes, the 6th gets times.
    QList<PlayRecord> after = before;
    after[0].endMinute = h(12, 30);
    after[1].DKaishuu = 800;
    after[1].startMinute = h(13, 30);
    after[2].tags = {u"新台"_s};
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
        expectOnlyOwnDetails(reopen(unmatched), {before, after});
        EXPECT_EQ(unmatched, p.unmatched);
    }
}

TEST_F(PlayTimesTest, TheDatedCopiesOfADayRestoreBothFiles)
{
    WriteBytes(file(u".pcd"_s), {});
    OpenPlayer(shared, u"taro"_s);
    platform.today = QDate(2026, 1, 1);
    save(visits());
    platform.today = QDate(2026, 1, 2);
    QList<PlayRecord> later = detailed();
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
