#include "ui/csv_exchange/csv_dialogs.h"

#include "core/model/shared_data.h"
#include "core/util/numbers.h"
#include "ui/app_font.h"
#include "ui/readable_colors.h"
#include "ui/twips.h"
#include "ui/widgets/data_grid.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
QHBoxLayout *buttonRow(QPushButton *ok, QPushButton *cancel)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

QString count(qint32 n)
{
    return FormatGrouped(n) + u"件"_s;
}

} // namespace

QString NewEntryList(const QList<CsvExchange::NewEntry> &entries)
{
    QStringList parts;
    for (const CsvExchange::NewEntry &e : entries)
        parts.append(e.Name + u" (ID "_s + FormatZeroPad(e.ID, 3) + u')');
    return parts.join(u"、"_s);
}

// ------------------------------------------------------------ character set

CsvEncodingDialog::CsvEncodingDialog(const QString &title, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(title);
    setObjectName(u"CsvEncodingDialog"_s);
    setFont(UiFont(9));
    auto *box = new QGroupBox(u"文字コード"_s, this);
    EUtf8 = new QRadioButton(u"UTF-8（BOM付き）: Excel・LibreOffice でそのまま開けます"_s, box);
    EShiftJis = new QRadioButton(u"Shift_JIS: 古い表計算ソフト向け"_s, box);
    EUtf8->setChecked(true);
    auto *inner = new QVBoxLayout(box);
    inner->addWidget(EUtf8);
    inner->addWidget(EShiftJis);
    OK = new QPushButton(u"OK"_s, this);
    Cancel = new QPushButton(u"キャンセル"_s, this);
    OK->setDefault(true);
    auto *root = new QVBoxLayout(this);
    root->addWidget(box);
    root->addLayout(buttonRow(OK, Cancel));
    root->setSizeConstraint(QLayout::SetFixedSize);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

Csv::Encoding CsvEncodingDialog::Encoding() const
{
    return EShiftJis->isChecked() ? Csv::Encoding::ShiftJis : Csv::Encoding::Utf8;
}

// ------------------------------------------------------------ import preview

ImportPreviewDialog::ImportPreviewDialog(SharedData &shared,
                                         const CsvExchange::ImportPreview &preview,
                                         const QString &fileName, QWidget *parent)
    : QDialog(parent), shared_(shared), preview_(preview)
{
    setWindowTitle(u"CSVファイルの読み込み"_s);
    setObjectName(u"ImportPreviewDialog"_s);
    setFont(UiFont(9));

    PFile = new QLabel(
        u"ファイル: "_s + fileName + u"（"_s + Csv::EncodingName(preview.Encoding) + u"）"_s, this);
    PNew = new QLabel(this);
    QFont bold = PNew->font();
    bold.setBold(true);
    PNew->setFont(bold);
    PPresent =
        new QLabel(u"すでにある成績: "_s + count(preview.Present) + u"（読み込みません）"_s, this);
    QString invalid = u"読み込めない行: "_s + count(preview.InvalidCount);
    if (preview.InvalidCount > preview.Invalid.size())
        invalid += u"（最初の"_s + count(qint32(preview.Invalid.size())) + u"を表示します）"_s;
    PInvalid = new QLabel(invalid, this);

    PGrid = new DataGrid(this);
    PGrid->SetCols(2);
    PGrid->SetFixedRows(1);
    PGrid->SetRows(int(preview.Invalid.size()) + 1);
    PGrid->SetTextMatrix(0, 0, u"行"_s);
    PGrid->SetTextMatrix(0, 1, u"理由"_s);
    PGrid->SetFixedAlignment(0, GridAlign::Center);
    PGrid->SetColAlignment(0, GridAlign::Right);
    PGrid->SetColWidth(0, 700);
    PGrid->SetColWidth(1, 8000);
    PGrid->horizontalHeader()->setStretchLastSection(true);
    for (qsizetype i = 0; i < preview.Invalid.size(); ++i) {
        PGrid->SetTextMatrix(int(i) + 1, 0, FormatPlain(preview.Invalid[i].Row));
        PGrid->SetTextMatrix(int(i) + 1, 1, preview.Invalid[i].Reason);
    }
    PGrid->setVisible(!preview.Invalid.isEmpty());
    // As tall as its rows, up to eight; more scroll.
    const int shownRows = int(std::min<qsizetype>(preview.Invalid.size(), 8));
    PGrid->setMinimumSize(Twips(9000),
                          PGrid->horizontalHeader()->height() +
                              shownRows * PGrid->verticalHeader()->defaultSectionSize() +
                              2 * PGrid->frameWidth());
    PGrid->setMaximumHeight(PGrid->minimumHeight());

    QStringList names;
    if (!preview.NewStores.isEmpty())
        names.append(u"一覧にない店: "_s + NewEntryList(preview.NewStores));
    if (!preview.NewMachines.isEmpty())
        names.append(u"一覧にない台: "_s + NewEntryList(preview.NewMachines));
    PNameList = new QLabel(names.join(u'\n'), this);
    PNameList->setWordWrap(true);
    PNames = new QCheckBox(u"一覧にない店・台を登録して、その成績も読み込む"_s, this);
    PNames->setChecked(true);
    const bool anyNew = !names.isEmpty();
    PNameList->setVisible(anyNew);
    PNames->setVisible(anyNew);
    PRefusal = new QLabel(this);
    PRefusal->setWordWrap(true);
    SetTextColor(PRefusal, QColor(192, 0, 0));

    OK = new QPushButton(u"読み込む"_s, this);
    Cancel = new QPushButton(u"キャンセル"_s, this);
    OK->setDefault(true);

    auto *root = new QVBoxLayout(this);
    root->addWidget(PFile);
    root->addWidget(new QLabel(
        u"まだ何も読み込んでいません。内容を確かめて「読み込む」を押してください。"_s, this));
    root->addSpacing(6);
    root->addWidget(PNew);
    root->addWidget(PPresent);
    root->addWidget(PInvalid);
    root->addWidget(PGrid);
    root->addWidget(PNameList);
    root->addWidget(PNames);
    root->addWidget(PRefusal);
    root->addLayout(buttonRow(OK, Cancel));

    connect(PNames, &QCheckBox::clicked, this, &ImportPreviewDialog::PNames_Click);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    PNames_Click();
}

bool ImportPreviewDialog::AddNames() const
{
    return PNames->isChecked();
}

void ImportPreviewDialog::PNames_Click()
{
    const qint32 adding = preview_.RowsToAdd(AddNames());
    QString text = u"新しい成績: "_s + count(adding);
    const qint32 left = preview_.NewRowCount - adding;
    if (left > 0)
        text += u"（一覧にない店・台の"_s + count(left) + u"は読み込みません）"_s;
    PNew->setText(text);
    QString refusal;
    const bool fits =
        adding == 0 || CsvExchange::ImportFits(preview_, AddNames(), shared_.data, refusal);
    PRefusal->setText(refusal);
    PRefusal->setVisible(!fits);
    OK->setEnabled(adding > 0 && fits);
}
