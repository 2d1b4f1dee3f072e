// CSV text, the export of the records, the import preview and the import.

#include "core/file/csv.h"
#include "core/file/csv_exchange.h"
#include "support/fake_platform.h"
#include "support/player_data.h"
#include "support/summary_sample.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace CsvExchange;

namespace {
QByteArray utf8(const QString &text)
{
    QByteArray bytes;
    Csv::Encode(text, Csv::Encoding::Utf8, bytes);
    return bytes;
}

QList<PlayRecord> recordsOf(const Data &data)
{
    QList<PlayRecord> out;
    for (qint32 n = 1; n <= data.ListCount(); ++n)
        out.append(data.Record(n));
    return out;
}

const QString kHead = u"日付,曜日,投資,回収,収支,店名,台名,コメント,店ID,台ID,開始,終了,"
                      u"レート,回転数,大当たり,タグ\r\n"_s;

TEST(Csv, QuotesParsesAndTellsEncodings)
{
    EXPECT_EQ(Csv::Line({u"a"_s, u"b,c"_s, u"say \"hi\""_s, u"two\nlines"_s, QString()}),
              u"a,\"b,c\",\"say \"\"hi\"\"\",\"two\nlines\",\r\n"_s);

    // CR LF, LF and CR end rows; a quoted line end does not; the final line
    // end starts no row; an empty line is a row of one empty field; a quote
    // never closed takes the rest, and its lines are counted.
    const auto rowsOf = [](const QByteArray &bytes) {
        Csv::Reader reader(bytes);
        QList<Csv::Row> rows;
        for (Csv::Row row; reader.Next(row);)
            rows.append(row);
        return rows;
    };
    const QByteArray text = "a,\"b,c\",\"d\"\"e\"\r\n\"x\r\ny\",,\n\nlast\r\"open,\r\nend\r\n";
    const QList<Csv::Row> rows = rowsOf(text);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0].fields, (QList<QByteArray>{"a", "b,c", "d\"e"}));
    EXPECT_EQ(rows[0].starts, (QList<qsizetype>{0, 3, 9}));
    EXPECT_EQ(rows[1].fields, (QList<QByteArray>{"x\r\ny", "", ""}));
    EXPECT_EQ(rows[2].fields, QList<QByteArray>{""});
    EXPECT_EQ(rows[3].number, 4);
    EXPECT_EQ(rows[3].fields, QList<QByteArray>{"last"});
    EXPECT_TRUE(rows[4].unterminated);
    EXPECT_EQ(rows[4].lines, 2);
    EXPECT_EQ(rowsOf("a\r\n").size(), 1);

    // A byte-order mark is UTF-8; without one the first row decides.
    const struct {
        QByteArray bytes;
        Csv::Encoding encoding;
    } encodings[] = {
        {"\xEF\xBB\xBF\x93\x58", Csv::Encoding::Utf8},       // the mark wins
        {"\xE5\xBA\x97,1\r\n\x93\x58", Csv::Encoding::Utf8}, // 店 in UTF-8
        {"\x93\x58,\x8A\x43", Csv::Encoding::ShiftJis},      // 店,海 in Shift_JIS
    };
    for (const auto &e : encodings)
        EXPECT_EQ(Csv::Reader(e.bytes).encoding(), e.encoding) << e.bytes.toHex().constData();
    QString decoded;
    qsizetype badByte = -1;
    EXPECT_TRUE(Csv::Reader("\x93\x58").Decode("\x93\x58,\x8A\x43", decoded, badByte));
    Csv::Reader utf8("\xE5\xBA\x97");
    EXPECT_FALSE(utf8.Decode("ab\xE5\xBA\x97\xFF", decoded, badByte));
    EXPECT_EQ(badByte, 5);
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    for (const char *invalid : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE3\x81"})
        EXPECT_EQ(Csv::FirstInvalidUtf8(QByteArray(QByteArray("ok") + invalid)), 2) << invalid;
    EXPECT_EQ(Csv::FirstInvalidUtf8("\xF0\x9F\x8E\xB0\xE3\x80\x9C"), -1);

    // Text a spreadsheet would run as a formula is written with a "'", and
    // read back exactly.
    for (const QString &t : {u"=HYPERLINK(\"x\")"_s, u"+1"_s, u"-x"_s, u"@a"_s, u"\tx"_s, u"\rx"_s,
                             u"\nx"_s, u"'=1"_s, u"''-"_s}) {
        EXPECT_EQ(Csv::GuardText(t), u'\'' + t) << t.toStdString();
        EXPECT_EQ(Csv::UnguardText(Csv::GuardText(t)), t);
    }
    for (const QString &t : {u"a=b"_s, u"'quoted'"_s, u"'"_s, QString(), u"ｰ"_s}) {
        EXPECT_EQ(Csv::GuardText(t), t) << t.toStdString();
        EXPECT_EQ(Csv::UnguardText(t), t);
    }

    // UTF-8 with its byte-order mark; Shift_JIS as code page 932.
    QByteArray bytes;
    ASSERT_TRUE(Csv::Encode(u"店,〜\r\n"_s, Csv::Encoding::Utf8, bytes));
    EXPECT_EQ(bytes, QByteArray("\xEF\xBB\xBF\xE5\xBA\x97,\xE3\x80\x9C\r\n"));
    ASSERT_TRUE(Csv::Encode(u"店,〜\r\n"_s, Csv::Encoding::ShiftJis, bytes));
    EXPECT_EQ(bytes, QByteArray("\x93\x58,\x81\x60\r\n"));
    QString bad;
    EXPECT_FALSE(Csv::Encode(u"ok😀"_s, Csv::Encoding::ShiftJis, bytes, &bad));
    EXPECT_EQ(bad, u"😀"_s);
}

class CsvExchangeTest : public ::testing::Test {
protected:
    void SetUp() override { FillSummarySample(shared); }

    ImportPreview preview(const QString &text, const SharedData &into)
    {
        return PreviewImport(utf8(text), into.data, into.Stores, into.Machines);
    }

    FakePlatform platform;
    SharedData shared{platform};
};

TEST_F(CsvExchangeTest, ExportsEveryRecordWithNamesAndIds)
{
    const QStringList lines =
        RecordsCsv(shared.data, shared.Stores, shared.Machines).split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 7); // title, five records, the empty rest after the last CR LF
    EXPECT_EQ(lines[0] + u"\r\n"_s, kHead);
    EXPECT_EQ(lines[1], u"2025/12/30,火,10000,25000,15000,駅前,ドラゴン,朝一,1,1,,,,,,"_s);
    EXPECT_EQ(lines[3], u"2026/01/10,土,0,3000,3000,銀河,ドラゴン,\"貯玉, 再プレイ\",2,1,,,,,,"_s);
    EXPECT_EQ(lines[5], u"2026/02/01,日,5000,5000,0,(不明),(不明),,9,5,,,,,,"_s);
}

TEST_F(CsvExchangeTest, PreviewNamesEveryInvalidRowAndWhy)
{
    const QString rows = kHead +
                         u"2026/02/30,,1000,0,,駅前,海,,,\r\n"
                         "2026/2/3,,abc,0,,駅前,海,,,\r\n"
                         "2026-02-03,,\"\\3,000,000,000\",0,,駅前,海,,,\r\n"
                         "2026/02/03,,0,0,,駅前,海,,,\r\n"
                         "\r\n" // an empty line is skipped but keeps its number
                         "2026/02/03,,1000,0,,駅前,海,\"say \"\"no\"\"\",,\r\n"
                         "2026/02/03,,1000,0,,\"駅前,南\",海,,,\r\n"
                         "2026/02/03,,1000,-500,,駅前,海😀,,,\r\n"
                         "1949/12/31,,1000,0,,駅前,海,,,\r\n"
                         "2026/02/03,,1.5,0,,駅前,海,,,\r\n"
                         "2026/02/03,,1,0,,駅前,海,,x,\r\n"
                         "2026/02/03,,1,0,,駅前,海,,,,,,5円\r\n"
                         "2026/02/03,,1,0,,駅前,海,,,,,,,1000000\r\n"
                         "2026/02/03,,1,0,,駅前,海,,,,,,,,1.5\r\n"
                         "2026/02/03,,1,0,,駅前,海,,,,,,,,,あ、123456789012345678901\r\n"
                         "2026/02/03,,1,0,,駅前,海,,,,,,,,,\"a\tb\"\r\n"
                         "2026/02/03,,1,0,,駅前,海,"_s +
                         QString(4097, u'x') + u",,\r\n2026/02/03,,1,0,,駅前,"_s;
    // A stray byte in a UTF-8 file, then a quote never closed: two lines unread.
    const QByteArray bytes = utf8(rows) + "\xFF\r\n" +
                             QByteArray("2026/02/03,,\"\xC2\xA5"
                                        "1,000\",0,,A,B,\"open\r\nlast\r\n");
    const ImportPreview p = PreviewImport(bytes, shared.data, shared.Stores, shared.Machines);
    ASSERT_TRUE(p.Error.isEmpty());
    const QList<std::pair<qint32, QString>> expected = {
        {2, u"日付「2026/02/30」が正しくありません（例: 2026/03/05）"_s},
        {3, u"投資「abc」が数値ではありません"_s},
        {4, u"投資「\\3,000,000,000」が大きすぎます"_s},
        {5, u"投資と回収がどちらも0です"_s},
        {7, u"コメントに使えない文字（\"、改行、Shift_JISにない文字）があります"_s},
        {8, u"店名「駅前,南」に使えない文字があります"_s},
        {9, u"台名「海😀」に使えない文字があります"_s},
        {10, u"日付「1949/12/31」が正しくありません（例: 2026/03/05）"_s},
        {11, u"投資「1.5」が整数ではありません"_s},
        {12, u"店ID「x」が数値ではありません"_s},
        {13, u"レート「5円」が正しくありません（例: 4円パチンコ、20円スロット）"_s},
        {14, u"回転数「1000000」が0から999,999までの整数ではありません"_s},
        {15, u"大当たり「1.5」が0から9,999までの整数ではありません"_s},
        {16, u"タグ「123456789012345678901」が長すぎます（20文字まで）"_s},
        {17, u"タグに使えない文字（改行など）があります"_s},
        {18, u"コメントが長すぎます（4,096文字まで）"_s},
        {19, u"25バイト目（0xFF）がUTF-8の文字として読めません"_s},
        {20,
         u"20行目の引用符（\"）が閉じられていないため、20行目から最後まで（2行）を読めません"_s},
    };
    ASSERT_EQ(p.Invalid.size(), expected.size());
    EXPECT_EQ(p.InvalidCount, expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(p.Invalid[i].Row, expected[i].first);
        EXPECT_EQ(p.Invalid[i].Reason, expected[i].second);
    }
    EXPECT_TRUE(p.NewRows.isEmpty());
    EXPECT_TRUE(p.NewStores.isEmpty());

    // Not a file of records: the missing titles are named.
    EXPECT_EQ(
        preview(u"日付,投資,回収\r\n2026/01/01,1,2\r\n"_s, shared).Error,
        u"1行目の見出しに「店名」「台名」の列がありません。成績のCSVファイルではないようです。"_s);
}

TEST_F(CsvExchangeTest, PresentRowsAndNewNames)
{
    // Columns in another order, without IDs; Shift_JIS; "2026/1/4" as a
    // spreadsheet writes it. The table holds the 1/4 visit once: of the two
    // equal rows one is present, one is new.
    QByteArray sjis;
    // The 1/4 row present brings a tag that it does not add to the record.
    ASSERT_TRUE(Csv::Encode(u"台名,店名,日付,回収,投資,タグ\r\n"
                            "海,駅前,2026/1/4,19500,20000,並び\r\n"
                            "海,駅前,２０２６／１／４,\"１９，５００\",２００００,ｲﾍﾞﾝﾄ、新台\r\n"
                            "ドラゴン,新台館,2026/03/01,0,4000\r\n"
                            "ドラゴン,新台館,2026/03/02,9000,4000\r\n"
                            "スター,駅前,2026/03/03,9000,4000\r\n"_s,
                            Csv::Encoding::ShiftJis, sjis));
    const ImportPreview p = PreviewImport(sjis, shared.data, shared.Stores, shared.Machines);
    EXPECT_EQ(p.Encoding, Csv::Encoding::ShiftJis);
    EXPECT_EQ(p.Present, 1);
    ASSERT_EQ(p.NewRows.size(), 4);
    EXPECT_EQ(p.NewRows[0].Row, 3);
    EXPECT_FALSE(p.NewRows[0].NewName);
    // New IDs follow the highest ID in use, records' unlisted IDs (7, 9) included.
    ASSERT_EQ(p.NewStores.size(), 1);
    EXPECT_EQ(p.NewStores[0].ID, 10);
    EXPECT_EQ(p.NewStores[0].Name, u"新台館"_s);
    EXPECT_EQ(p.NewMachines[0].ID, 6);
    EXPECT_EQ(p.NewRows[2].Record.DSId, 10);
    EXPECT_EQ(p.NewRows[3].Record.DMId, 6);
    EXPECT_EQ(p.RowsToAdd(true), 4);
    EXPECT_EQ(p.RowsToAdd(false), 1);

    // Without the new names only the 1/4 row comes in; the lists stay.
    QString message;
    ASSERT_TRUE(ApplyImport(p, false, shared, message));
    EXPECT_EQ(shared.data.ListCount(), 6);
    EXPECT_EQ(shared.Stores.Count(), 2);
    // Sorted in by date after the equal record already there.
    EXPECT_EQ(shared.data.Record(3).DDay, 4);
    EXPECT_TRUE(shared.data.Record(2).tags.isEmpty());
    EXPECT_EQ(shared.data.Record(3).tags, (QStringList{u"イベント"_s, u"新台"_s}));
    EXPECT_TRUE(shared.states.Corrected);
    EXPECT_EQ(shared.states.Wake, 3); // two -500 draws and the 0

    // The same file again: now both 1/4 rows are present.
    const ImportPreview again = PreviewImport(sjis, shared.data, shared.Stores, shared.Machines);
    EXPECT_EQ(again.Present, 2);
    ASSERT_TRUE(ApplyImport(again, true, shared, message));
    EXPECT_EQ(shared.data.ListCount(), 9);
    EXPECT_EQ(shared.Stores.Entries().last(), (MasterEntry{10, u"新台館"_s}));
    EXPECT_EQ(shared.Machines.SeekName(6), u"スター"_s);
    EXPECT_EQ(shared.data.Record(9).DDay, 3); // 2026/03/03 last
}

TEST_F(CsvExchangeTest, AVisitDifferingInOneKeyFieldIsNew)
{
    // The table's 2026/01/04 visit as it is, then with its year, month, day,
    // 投資, 回収, store or machine alone changed.
    const QList<std::pair<QString, qint32>> rows = {
        {u"2026/01/04,,20000,19500,,駅前,海"_s, 1},
        {u"2025/01/04,,20000,19500,,駅前,海"_s, 0},
        {u"2026/02/04,,20000,19500,,駅前,海"_s, 0},
        {u"2026/01/05,,20000,19500,,駅前,海"_s, 0},
        {u"2026/01/04,,20001,19500,,駅前,海"_s, 0},
        {u"2026/01/04,,20000,19501,,駅前,海"_s, 0},
        {u"2026/01/04,,20000,19500,,銀河,海"_s, 0},
        {u"2026/01/04,,20000,19500,,駅前,ドラゴン"_s, 0},
    };
    for (const auto &[row, present] : rows) {
        const ImportPreview p = preview(kHead + row + u",,,\r\n"_s, shared);
        EXPECT_EQ(p.Present, present) << row.toStdString();
        EXPECT_EQ(p.NewRows.size(), 1 - present) << row.toStdString();
    }
}

TEST_F(CsvExchangeTest, LimitAndTotalsAreRefusedWithAMessage)
{
    const QString rows = kHead + u"2026/03/01,,1000,0,,駅前,海,,,\r\n"
                                 "2026/03/02,,1000,0,,駅前,海,,,\r\n"_s;
    ASSERT_TRUE(SetRecords(shared, QList<PlayRecord>(Data::kMaxRecords - 1,
                                                     PlayRecord{2000, 1, 1, 100, 0, 1, 1, {}})));
    const ImportPreview p = preview(rows, shared);
    QString message;
    EXPECT_FALSE(ApplyImport(p, true, shared, message));
    EXPECT_EQ(message, u"成績は32,767件までしか記録できないため、読み込めません。"
                       "（今の成績 32,766件、新しい成績 2件）"_s);
    EXPECT_EQ(shared.data.ListCount(), Data::kMaxRecords - 1);
    EXPECT_FALSE(shared.states.Corrected);

    // A total balance past 2^31 - 1 yen, even when each visit fits.
    ASSERT_TRUE(SetRecords(shared, {PlayRecord{2000, 1, 1, 0, 2'000'000'000, 1, 1, {}}}));
    const ImportPreview big = preview(kHead + u"2026/03/01,,0,200000000,,駅前,海,,,\r\n"_s, shared);
    ASSERT_EQ(big.NewRows.size(), 1);
    EXPECT_FALSE(ApplyImport(big, true, shared, message));
    EXPECT_EQ(message,
              u"収支の合計が記録できる範囲（±2,147,483,647円）を超えるため、読み込めません。"_s);
    EXPECT_EQ(shared.data.ListCount(), 1);
}

TEST_F(CsvExchangeTest, RoundTripIntoAnEmptyPlayer)
{
    // Two visits on one day in an order that sorting must keep, a name with
    // a yen sign, the store ID 0 of a row without a store, a name and a
    // comment that a spreadsheet would run as formulas.
    // Every detail, tags that a spreadsheet would run as a formula among them.
    ASSERT_TRUE(AddRecord(shared, 2026, 2, 1, 700, 0, 0, 2, u"=1+1"_s));
    ASSERT_TRUE(AddRecord(shared, PlayRecord{2026,
                                             2,
                                             1,
                                             5000,
                                             5000,
                                             9,
                                             5,
                                             u"'-"_s,
                                             22 * 60,
                                             90,
                                             {PlayRate::Kind::Slot, 525},
                                             0,
                                             9999,
                                             {u"-3k"_s, u"\"並び\""_s}})); // past midnight
    SetMachines(shared, {{1, u"@ドラゴン"_s}, {2, u"海\\"_s}});
    const QString text = RecordsCsv(shared.data, shared.Stores, shared.Machines);
    EXPECT_TRUE(text.contains(u"2026/02/01,日,700,0,-700,(不明),海\\,'=1+1,0,2,,,,,,\r\n"_s));
    EXPECT_TRUE(
        text.contains(u",''-,9,5,22:00,01:30,5.25円スロット,0,9999,\"'-3k、\"\"並び\"\"\"\r\n"_s));
    EXPECT_TRUE(text.contains(u",'@ドラゴン,"_s));

    for (Csv::Encoding encoding : {Csv::Encoding::Utf8, Csv::Encoding::ShiftJis}) {
        FakePlatform other;
        SharedData empty(other);
        QByteArray bytes;
        ASSERT_TRUE(Csv::Encode(text, encoding, bytes));
        const ImportPreview p = PreviewImport(bytes, empty.data, empty.Stores, empty.Machines);
        EXPECT_TRUE(p.Invalid.isEmpty());
        EXPECT_EQ(p.Present, 0);
        QString message;
        ASSERT_TRUE(ApplyImport(p, true, empty, message));
        EXPECT_EQ(recordsOf(empty.data), recordsOf(shared.data));
        EXPECT_EQ(empty.Stores.Entries(), shared.Stores.Entries());
        EXPECT_EQ(empty.Machines.Entries(), shared.Machines.Entries());
        EXPECT_EQ(RecordsCsv(empty.data, empty.Stores, empty.Machines), text);
    }
}
} // namespace
