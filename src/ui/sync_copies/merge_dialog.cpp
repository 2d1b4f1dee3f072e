#include "ui/sync_copies/merge_dialog.h"

#include "core/model/play_time.h"
#include "core/model/shared_data.h"
#include "core/model/visit_details.h"
#include "core/util/numbers.h"
#include "ui/app_font.h"
#include "ui/csv_exchange/csv_dialogs.h"
#include "ui/qt_platform.h"
#include "ui/readable_colors.h"
#include "ui/twips.h"
#include "ui/widgets/data_grid.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {
QString count(qint32 n)
{
    return FormatGrouped(n) + u"件"_s;
}

QString nameIn(const QList<MasterEntry> &entries, qint16 id)
{
    for (const MasterEntry &e : entries)
        if (e.ID == id)
            return e.Name;
    return id == 0 ? QString() : UnknownName();
}

// One copy in a few lines: its file, when and where it was made, what it brings.
QString copyLines(const SharedData &shared, const CopyMerge &c)
{
    const QString file = c.copy.path.isEmpty() ? c.copy.timesPath : c.copy.path;
    QString text = QDir(shared.folder.Path()).relativeFilePath(file);
    text += ReadConflictName(QFileInfo(file).fileName())
                ? u"（"_s + DescribeConflictCopy(c.copy.name) + u"）"_s
                : u"（ほかのパソコンかほかのプログラムで保存されたもの）"_s;
    if (!c.readable)
        return text + u"\n　読み込めません（ファイルはそのまま残ります）"_s;
    QStringList parts{u"ここにない成績 "_s + count(c.added.NewRowCount),
                      u"すでにある成績 "_s + count(c.added.Present)};
    if (c.detailsTaken > 0)
        parts.append(u"稼働時間などだけ取り込む成績 "_s + count(c.detailsTaken));
    if (c.added.InvalidCount > 0)
        parts.append(u"IDが足りず取り込めない成績 "_s + count(c.added.InvalidCount));
    if (c.unread > 0)
        parts.append(u"読み込めなかった部分 "_s + count(c.unread));
    return text + u"\n　"_s + parts.join(u"、"_s);
}
} // namespace

MergePreviewDialog::MergePreviewDialog(const SharedData &shared, const ConflictMerge &merge,
                                       const QString &okText, bool movesCopies, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(u"別のパソコンの成績の取り込み"_s);
    setObjectName(u"MergePreviewDialog"_s);
    setFont(UiFont(9));

    QStringList copies;
    for (const CopyMerge &c : merge.copies)
        copies.append(copyLines(shared, c));
    MCopies = new QLabel(copies.join(u'\n'), this);
    MCopies->setTextFormat(Qt::PlainText);
    MCopies->setWordWrap(true);

    // The visits to add, in the order they will have (date order).
    QList<PlayRecord> rows;
    for (const CopyMerge &c : merge.copies)
        for (const CsvExchange::ImportRow &row : c.added.NewRows)
            rows.append(row.Record);
    std::stable_sort(rows.begin(), rows.end(), [](const PlayRecord &a, const PlayRecord &b) {
        return std::tuple(a.DYear, a.DMonth, a.DDay) < std::tuple(b.DYear, b.DMonth, b.DDay);
    });
    const QStringList titles{u"日付"_s,   u"投資"_s,     u"回収"_s,     u"店名"_s,
                             u"台名"_s,   u"コメント"_s, u"開始"_s,     u"終了"_s,
                             u"レート"_s, u"回転数"_s,   u"大当たり"_s, u"タグ"_s};
    const int widths[] = {1300, 1000, 1000, 1500, 1500, 1600, 700, 700, 1300, 700, 800, 1400};
    MGrid = new DataGrid(this);
    MGrid->setObjectName(u"MGrid"_s);
    MGrid->SetCols(int(titles.size()));
    MGrid->SetFixedRows(1);
    MGrid->SetRows(int(rows.size()) + 1);
    for (int c = 0; c < titles.size(); ++c) {
        MGrid->SetTextMatrix(0, c, titles[c]);
        MGrid->SetColWidth(c, widths[c]);
        const bool number = (c >= 1 && c <= 2) || c == 9 || c == 10;
        MGrid->SetColAlignment(c, number ? GridAlign::Right : GridAlign::Left);
    }
    MGrid->SetFixedAlignment(0, GridAlign::Center);
    MGrid->horizontalHeader()->setStretchLastSection(true);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const PlayRecord &r = rows[i];
        const int row = int(i) + 1;
        MGrid->SetTextMatrix(row, 0,
                             FormatZeroPad(r.DYear, 4) + u'/' + FormatZeroPad(r.DMonth, 2) + u'/' +
                                 FormatZeroPad(r.DDay, 2));
        MGrid->SetTextMatrix(row, 1, FormatGrouped(r.DToushi));
        MGrid->SetTextMatrix(row, 2, FormatGrouped(r.DKaishuu));
        MGrid->SetTextMatrix(row, 3, nameIn(merge.stores, r.DSId));
        MGrid->SetTextMatrix(row, 4, nameIn(merge.machines, r.DMId));
        MGrid->SetTextMatrix(row, 5, r.DComment);
        MGrid->SetTextMatrix(row, 6, FormatClockTime(r.startMinute));
        MGrid->SetTextMatrix(row, 7, FormatClockTime(r.endMinute));
        MGrid->SetTextMatrix(row, 8, RateText(r.rate));
        MGrid->SetTextMatrix(row, 9, CountText(r.spins));
        MGrid->SetTextMatrix(row, 10, CountText(r.jackpots));
        MGrid->SetTextMatrix(row, 11, TagsText(r.tags));
    }
    // As tall as its rows, up to twelve; more scroll.
    const int shownRows = int(std::clamp<qsizetype>(rows.size(), 1, 12));
    MGrid->setMinimumSize(
        Twips(13500) + MGrid->verticalHeader()->width() +
            MGrid->verticalScrollBar()->sizeHint().width() + 2 * MGrid->frameWidth(),
        MGrid->horizontalHeader()->height() +
            shownRows * MGrid->verticalHeader()->defaultSectionSize() + 2 * MGrid->frameWidth());
    MGrid->setMaximumHeight(MGrid->minimumHeight());
    MGrid->setVisible(!rows.isEmpty());

    QStringList names;
    QList<CsvExchange::NewEntry> stores, machines;
    for (const CopyMerge &c : merge.copies) {
        stores += c.added.NewStores;
        machines += c.added.NewMachines;
    }
    if (!stores.isEmpty())
        names.append(u"一覧にない店（登録します）: "_s + NewEntryList(stores));
    if (!machines.isEmpty())
        names.append(u"一覧にない台（登録します）: "_s + NewEntryList(machines));
    MNames = new QLabel(names.join(u'\n'), this);
    MNames->setTextFormat(Qt::PlainText);
    MNames->setWordWrap(true);
    MNames->setVisible(!names.isEmpty());

    QString refusal;
    const bool fits = MergeFits(merge, shared, refusal);
    MRefusal = new QLabel(refusal, this);
    MRefusal->setWordWrap(true);
    MRefusal->setVisible(!fits);
    SetTextColor(MRefusal, QColor(192, 0, 0));

    auto *heading =
        new QLabel(u"まだ何も取り込んでいません。内容を確かめて「"_s + okText +
                       u"」を押してください。\n今の成績は何も消さず、ない成績だけを加えます。"_s,
                   this);
    QString after = u"取り込んだ成績は、保存したときにファイルに書き込まれます。"_s;
    if (movesCopies)
        after += u"\nコピーは消しません。保存した後で backup/"_s + shared.states.UserName +
                 u"/ に移します。"_s;
    auto *note = new QLabel(after, this);
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);

    OK = new QPushButton(okText, this);
    Cancel = new QPushButton(u"キャンセル"_s, this);
    OK->setDefault(true);
    OK->setEnabled(fits);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addWidget(Cancel);

    const qint32 visits = merge.VisitsAdded();
    auto *total = new QLabel(u"取り込む成績: "_s + count(visits) +
                                 (merge.DetailsTaken() > 0 ? u"、稼働時間などだけ取り込む成績: "_s +
                                                                 count(merge.DetailsTaken())
                                                           : QString()),
                             this);
    QFont bold = total->font();
    bold.setBold(true);
    total->setFont(bold);

    auto *root = new QVBoxLayout(this);
    root->addWidget(heading);
    root->addSpacing(6);
    root->addWidget(MCopies);
    root->addSpacing(6);
    root->addWidget(total);
    root->addWidget(MGrid);
    root->addWidget(MNames);
    root->addWidget(MRefusal);
    root->addWidget(note);
    root->addLayout(buttons);

    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int AskChoice(SharedData &shared, const QString &title, const QString &text,
              const QStringList &buttons, int defaultButton)
{
    QMessageBox box(QApplication::activeWindow());
    box.setObjectName(u"ChoiceBox"_s);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText); // file names are never markup
    box.setText(DisplayLines(text));
    box.setIcon(QMessageBox::Question);
    QList<QPushButton *> pressed;
    for (const QString &caption : buttons)
        pressed.append(box.addButton(caption, pressed.isEmpty() ? QMessageBox::AcceptRole
                                                                : QMessageBox::RejectRole));
    box.setDefaultButton(pressed.value(defaultButton));
    box.setEscapeButton(pressed.last());
    shared.platform.ShowModal(box);
    const qsizetype at = pressed.indexOf(qobject_cast<QPushButton *>(box.clickedButton()));
    return int(at >= 0 ? at : pressed.size() - 1);
}
