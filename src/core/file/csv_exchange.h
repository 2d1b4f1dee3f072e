#pragma once
// The play records as a CSV file and back: the export of every record, the
// preview of an import (new rows, rows already present, rows that cannot be
// read and why, names not yet in the lists) and the import itself. Also the
// summary table as CSV.

#include "core/file/csv.h"
#include "core/model/play_record.h"
#include "core/statistics/period_summary.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class Data;
class SMData;
struct SharedData;

namespace CsvExchange {

// 日付, 曜日, 投資, 回収, 収支, 店名, 台名, コメント, 店ID, 台ID, 開始, 終了,
// レート, 回転数, 大当たり, タグ.
QStringList RecordTitles();

// Every record in table order under the title row: dates as YYYY/MM/DD,
// amounts and IDs as plain numbers, play times as HH:MM, the details as they
// are shown (RateText, CountText, TagsText), each empty when not recorded;
// names as the lists give them. A name, comment or tags text that a
// spreadsheet would run as a formula gets a leading "'".
QString RecordsCsv(const Data &data, const SMData &Stores, const SMData &Machines);

// The summary table in the order given, then its totals row; plain numbers.
QString SummaryCsv(SummaryGrouping grouping, const QList<SummaryRow> &rows,
                   const SummaryRow &total);

struct ImportRow {
    qint32 Row = 0; // the row number in the file
    PlayRecord Record;
    bool NewName = false; // its store or machine is one of the names to add
};

struct ImportProblem {
    qint32 Row = 0;
    QString Reason;
};

struct NewEntry {
    qint16 ID = 0;
    QString Name;
};

struct ImportPreview {
    Csv::Encoding Encoding = Csv::Encoding::Utf8;
    QString Error; // not a file of records at all; nothing else is set
    // The rows to add, in file order: every one, unless more than 32,767 with
    // new names or without them, which no table could take.
    QList<ImportRow> NewRows;
    qint32 NewRowCount = 0;       // all rows to add
    qint32 NewNameRowCount = 0;   // of those, the rows with a new store or machine
    qint32 Present = 0;           // rows whose record the table already holds
    QList<ImportProblem> Invalid; // the first 1,000 rows that cannot be read, and why
    qint32 InvalidCount = 0;      // all of them
    QList<NewEntry> NewStores;    // names the lists lack, with the IDs they would get
    QList<NewEntry> NewMachines;

    // The rows that would be added, with or without the new names.
    qint32 RowsToAdd(bool addNames) const;
};

// Reads the file's bytes, in one pass, against the player's table and lists.
// A row is already present when a record of the table has the same date,
// amounts, store and machine; each record of the table answers for one row
// only, and the row changes nothing (the details it may bring included).
// 開始, 終了, レート, 回転数, 大当たり and タグ are optional. Amounts and IDs are
// read as typed (full-width digits, grouping commas, a yen sign), the details
// through their readers (visit_details.h); names, comments and tags lose the
// "'" that kept them from being taken for formulas, and may be at most 4,096
// characters long.
ImportPreview PreviewImport(const QByteArray &bytes, const Data &data, const SMData &Stores,
                            const SMData &Machines);

// Whether the table can take the rows (at most 32,767 records, a total
// balance within 32 bits); false with the message to show. Nothing changes.
bool ImportFits(const ImportPreview &preview, bool addNames, const Data &data, QString &message);

// Adds the rows (and, when addNames, the new names) to the player's table and
// lists, sets the data-modified flag and the summary. False with the message
// when the table cannot take them; then nothing changes.
bool ApplyImport(const ImportPreview &preview, bool addNames, SharedData &shared, QString &message);

} // namespace CsvExchange
