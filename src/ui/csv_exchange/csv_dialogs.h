#pragma once
// The two small dialogs of the CSV exchange: the character set of a new file,
// and the preview of an import.

#include "core/file/csv_exchange.h"

#include <QDialog>

class DataGrid;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
struct SharedData;

// The names an import or a merge adds, with their IDs: "駅前ホール (ID 004)、新台館 (ID 005)".
QString NewEntryList(const QList<CsvExchange::NewEntry> &entries);

class CsvEncodingDialog : public QDialog {
    Q_OBJECT
public:
    CsvEncodingDialog(const QString &title, QWidget *parent = nullptr);

    Csv::Encoding Encoding() const;

    QRadioButton *EUtf8 = nullptr;
    QRadioButton *EShiftJis = nullptr;
    QPushButton *OK = nullptr;
    QPushButton *Cancel = nullptr;
};

class ImportPreviewDialog : public QDialog {
    Q_OBJECT
public:
    ImportPreviewDialog(SharedData &shared, const CsvExchange::ImportPreview &preview,
                        const QString &fileName, QWidget *parent = nullptr);

    // Whether the names that the lists lack are to be added (and their rows read).
    bool AddNames() const;
    // Recomputes what would be added and whether the table can take it.
    void PNames_Click();

    QLabel *PFile = nullptr;
    QLabel *PNew = nullptr;
    QLabel *PPresent = nullptr;
    QLabel *PInvalid = nullptr;
    DataGrid *PGrid = nullptr; // the rows that cannot be read: 行, 理由
    QLabel *PNameList = nullptr;
    QCheckBox *PNames = nullptr;
    QLabel *PRefusal = nullptr;
    QPushButton *OK = nullptr;
    QPushButton *Cancel = nullptr;

private:
    SharedData &shared_;
    const CsvExchange::ImportPreview &preview_;
};
