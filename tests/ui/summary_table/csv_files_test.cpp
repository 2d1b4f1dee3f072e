// Writing and reading CSV files through the main window's ファイル menu.

#include "support/player_data.h"
#include "support/summary_sample.h"
#include "ui/csv_exchange/csv_dialogs.h"
#include "ui/csv_exchange/csv_files.h"
#include "ui/main_menu/main_form_fixture.h"
#include "ui/widgets/data_grid.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <sys/stat.h>

namespace {
using CsvFilesTest = MainFormTest;

TEST_F(CsvFilesTest, ExportWritesTheChosenEncodingOrSaysWhyNot)
{
    FillSummarySample(shared);
    shared.states.UserName = u"p"_s; // with no player the selection would open first
    platform.onModal = [](QObject &dialog) {
        static_cast<CsvEncodingDialog &>(dialog).EShiftJis->setChecked(true);
        return int(QDialog::Accepted);
    };
    platform.fileAnswers = {dir.file(u"out"_s)}; // ".csv" is added
    form.FCsvExport->trigger();
    QByteArray expected;
    ASSERT_TRUE(Csv::Encode(CsvExchange::RecordsCsv(shared.data, shared.Stores, shared.Machines),
                            Csv::Encoding::ShiftJis, expected));
    EXPECT_EQ(ReadBytes(dir.file(u"out.csv"_s)), expected);
    EXPECT_EQ(platform.messages,
              (QList<RecordedMessage>{{u"5件の成績を書き出しました。"_s, u"CSVファイルに書き出す"_s,
                                       MsgButtons::Ok, MsgIcon::Information}}));

    // A comment that Shift_JIS cannot carry: nothing is written.
    ASSERT_TRUE(AddRecord(shared, 2026, 3, 1, 1000, 0, 1, 1, u"🎰"_s));
    platform.messages.clear();
    platform.fileAnswers = {dir.file(u"sjis.csv"_s)};
    form.FCsvExport->trigger();
    EXPECT_FALSE(QFile::exists(dir.file(u"sjis.csv"_s)));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text,
              u"「🎰」はShift_JISでは書けない文字です。UTF-8で書き出してください。"_s);
}

TEST_F(CsvFilesTest, ImportShowsThePreviewAndRefreshesTheMainWindow)
{
    startWithTaro(); // 4 records, nothing modified
    ASSERT_FALSE(saveControlsEnabled());
    QByteArray bytes;
    ASSERT_TRUE(Csv::Encode(u"日付,投資,回収,店名,台名\r\n"
                            "2001/05/03,10000,15000,駅前店,海物語\r\n"
                            "2001/05/04,3000,0,駅前店,海物語\r\n"
                            "2001/05/32,3000,0,駅前店,海物語\r\n"
                            "2001/05/05,1000,9000,新装店,海物語\r\n"_s,
                            Csv::Encoding::Utf8, bytes));
    WriteBytes(dir.file(u"in.csv"_s), bytes);

    // Cancelled in the preview: nothing changes.
    platform.fileAnswers = {dir.file(u"in.csv"_s)};
    form.FCsvImport->trigger();
    EXPECT_EQ(platform.modalWindows.last(), u"ImportPreviewDialog"_s);
    EXPECT_EQ(shared.data.ListCount(), 4);
    EXPECT_TRUE(platform.messages.isEmpty());

    platform.fileAnswers = {dir.file(u"in.csv"_s)};
    platform.onModal = [](QObject &dialog) {
        auto &p = static_cast<ImportPreviewDialog &>(dialog);
        EXPECT_EQ(p.PNew->text(), u"新しい成績: 2件"_s);
        EXPECT_EQ(p.PPresent->text(), u"すでにある成績: 1件（読み込みません）"_s);
        EXPECT_EQ(p.PInvalid->text(), u"読み込めない行: 1件"_s);
        EXPECT_EQ(p.PGrid->TextMatrix(1, 0), u"4"_s);
        EXPECT_EQ(p.PNameList->text(), u"一覧にない店: 新装店 (ID 002)"_s);
        p.PNames->click();
        EXPECT_EQ(p.PNew->text(), u"新しい成績: 1件（一覧にない店・台の1件は読み込みません）"_s);
        p.PNames->click();
        EXPECT_TRUE(p.OK->isEnabled());
        return int(QDialog::Accepted);
    };
    form.FCsvImport->trigger();
    EXPECT_EQ(shared.data.ListCount(), 6);
    EXPECT_EQ(shared.Stores.SeekName(2), u"新装店"_s);
    EXPECT_EQ(platform.messages.last().text, u"2件の成績を読み込みました。"_s);
    // Threshold 500: +5000 win, -16000 loss, +300 draw, +1500 win, -3000, +8000.
    EXPECT_EQ(form.Seiseki->text(), u"6戦 (3勝 2敗 1分)"_s);
    EXPECT_TRUE(saveControlsEnabled());
}
TEST_F(CsvFilesTest, ImportReadsOnlyRegularFilesOfAPlausibleSize)
{
    startWithTaro();
    // A pipe would wait for a writer, a device never end, a huge file fill memory.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file(u"pipe.csv"_s)).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, dir.file(u"zero.csv"_s)));
    QFile huge(dir.file(u"huge.csv"_s));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(65 << 20));
    platform.fileAnswers = {dir.file(u"pipe.csv"_s), dir.file(u"zero.csv"_s), huge.fileName()};
    for (int i = 0; i < 3; ++i)
        form.FCsvImport->trigger();
    const QString title = u"CSVファイルから読み込む"_s;
    const RecordedMessage notAFile{u"通常のファイルではないため読み込めません。"_s, title,
                                   MsgButtons::Ok, MsgIcon::Exclamation};
    EXPECT_EQ(
        platform.messages,
        (QList<RecordedMessage>{notAFile,
                                notAFile,
                                {u"ファイルが大きすぎます。成績のCSVファイルではないようです。"_s,
                                 title, MsgButtons::Ok, MsgIcon::Exclamation}}));
    EXPECT_TRUE(platform.modalWindows.isEmpty());
}
} // namespace
