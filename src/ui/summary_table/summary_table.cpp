#include "ui/summary_table/summary_table.h"

#include "core/file/csv_exchange.h"
#include "core/model/shared_data.h"
#include "core/statistics/calendar_sums.h"
#include "core/statistics/summary_model.h"
#include "core/statistics/table_roles.h"
#include "ui/app_font.h"
#include "ui/csv_exchange/csv_files.h"
#include "ui/summary_table/summary_view.h"
#include "ui/twips.h"
#include "ui/widgets/date_box.h"
#include "ui/window_place.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {
void fillCombo(QComboBox *combo, const QString &all, const SMData &list, QList<qint16> &ids)
{
    combo->clear();
    ids.clear();
    combo->addItem(all);
    for (const MasterEntry &e : list.Entries()) {
        combo->addItem(e.Name);
        ids.append(e.ID);
    }
}

qint16 selectedId(const QComboBox *combo, const QList<qint16> &ids)
{
    const int k = combo->currentIndex();
    return k >= 1 && k <= ids.size() ? ids[k - 1] : qint16(0);
}

// Widths of texts summed from the widths of their characters, each measured
// once: every cell of a table of thousands of rows in a few milliseconds.
class CharWidths {
public:
    explicit CharWidths(const QFontMetrics &metrics) : metrics_(metrics) { latin_.fill(-1); }
    int operator()(const QString &text)
    {
        int width = 0;
        for (const QChar c : text)
            width += widthOf(c);
        return width;
    }

private:
    int widthOf(QChar c)
    {
        // Digits, signs and "¥" straight from a table; other characters hashed.
        if (c.unicode() < latin_.size()) {
            int &w = latin_[c.unicode()];
            return w >= 0 ? w : (w = metrics_.horizontalAdvance(c));
        }
        auto it = others_.constFind(c.unicode());
        if (it == others_.cend())
            it = others_.insert(c.unicode(), metrics_.horizontalAdvance(c));
        return *it;
    }

    QFontMetrics metrics_;
    std::array<int, 256> latin_;
    QHash<char16_t, int> others_;
};

} // namespace

Shuukei::Shuukei(SharedData &shared, QWidget *parent) : QDialog(parent), shared_(shared)
{
    setWindowTitle(u"るでら３  [集計表]"_s);
    setObjectName(u"Shuukei"_s);
    setFont(UiFont(9));
    // A window of its own with the frame's maximise button: the table grows.
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    createControls();
    fillLists();
    fillPeriod();
    connectControls();
    resize(TwipsSize(kDefaultWidth, kDefaultHeight));
    Jouken_Change();
}

void Shuukei::createMenus()
{
    MenuBar = new QMenuBar(this);
    MFile = MenuBar->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    FCSV = MFile->addAction(u"CSVファイルに書き出す…"_s);
    MFile->addSeparator();
    FEnd = MFile->addAction(u"集計表の終了(&X)"_s);
    Henshuu = MenuBar->addMenu(u"編集(&E)"_s);
    ECopy = Henshuu->addAction(u"ｺﾋﾟｰ(&C)"_s);
    ECopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    EAllCopy = Henshuu->addAction(u"表全体をｺﾋﾟｰ(&A)"_s);
    // On the window too, so that the shortcut works wherever the focus is.
    addAction(ECopy);
}

void Shuukei::createControls()
{
    createMenus();
    auto *groupLabel = new QLabel(u"集計の単位"_s, this);
    SGroup = new QComboBox(this);
    for (const QString &g : {u"年"_s, u"月"_s, u"曜日"_s, u"時間帯"_s, u"店"_s, u"台"_s, u"店×台"_s,
                             u"レート"_s, u"タグ"_s})
        SGroup->addItem(g);
    SGroup->setCurrentIndex(int(SummaryGrouping::Month));
    SKikan = new QCheckBox(u"期間"_s, this);
    SFrom = new DateBox(this);
    auto *dash = new QLabel(u"～"_s, this);
    STo = new DateBox(this);
    for (DateBox *box : {SFrom, STo})
        box->setDateRange(QDate(1950, 1, 1), QDate(2100, 12, 31));
    auto *storeLabel = new QLabel(u"店名"_s, this);
    SStore = new QComboBox(this);
    auto *machineLabel = new QLabel(u"台名"_s, this);
    SMachine = new QComboBox(this);
    for (QComboBox *combo : {SStore, SMachine}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(12);
    }
    SCSV = new QPushButton(u"CSVに書き出す…"_s, this);
    TEnd = new QPushButton(u"終了"_s, this);
    for (QPushButton *b : {SCSV, TEnd})
        b->setAutoDefault(false);

    model_ = new SummaryModel(this);
    rows_ = new TonedSortProxy(ValueSortProxy::Part::Body, this);
    totals_ = new TonedSortProxy(ValueSortProxy::Part::Pinned, this);
    rows_->setSourceModel(model_);
    totals_->setSourceModel(model_);
    SGrid = new SummaryView(this);
    SGrid->SetModels(rows_, totals_);
    SGrid->SetEmptyText(u"該当なし"_s);
    rows_->SetView(SGrid->Body());
    totals_->SetView(SGrid->Pinned());
    QHeaderView *header = SGrid->Body()->horizontalHeader();
    header->setSectionsClickable(true);
    header->setCursor(Qt::PointingHandCursor);
    header->setToolTip(u"クリックで並べ替えます"_s);

    auto *conditions = new QHBoxLayout;
    conditions->addWidget(groupLabel);
    conditions->addWidget(SGroup);
    conditions->addSpacing(16);
    conditions->addWidget(SKikan);
    conditions->addWidget(SFrom);
    conditions->addWidget(dash);
    conditions->addWidget(STo);
    conditions->addStretch();
    auto *lists = new QHBoxLayout;
    lists->addWidget(storeLabel);
    lists->addWidget(SStore, 1);
    lists->addSpacing(16);
    lists->addWidget(machineLabel);
    lists->addWidget(SMachine, 1);
    lists->addSpacing(24);
    lists->addWidget(SCSV);
    lists->addWidget(TEnd);
    auto *root = new QVBoxLayout(this);
    root->setMenuBar(MenuBar);
    root->addLayout(conditions);
    root->addLayout(lists);
    root->addWidget(SGrid, 1);
}

void Shuukei::fillLists()
{
    const qint16 store = selectedId(SStore, storeIds_);
    const qint16 machine = selectedId(SMachine, machineIds_);
    fillCombo(SStore, u"すべての店"_s, shared_.Stores, storeIds_);
    fillCombo(SMachine, u"すべての台"_s, shared_.Machines, machineIds_);
    // The chosen store and machine stay chosen while they are in the lists.
    SStore->setCurrentIndex(int(storeIds_.indexOf(store)) + 1);
    SMachine->setCurrentIndex(int(machineIds_.indexOf(machine)) + 1);
}

void Shuukei::fillPeriod()
{
    // The period starts as the span of the records (today without any).
    QDate first, last;
    for (qint32 n = 1; n <= shared_.data.ListCount(); ++n) {
        const PlayRecord &r = shared_.data.Record(n);
        const QDate d = RecordDate(r.DYear, r.DMonth, r.DDay);
        if (!d.isValid() || d < SFrom->minimumDate() || d > SFrom->maximumDate())
            continue;
        first = first.isValid() ? std::min(first, d) : d;
        last = last.isValid() ? std::max(last, d) : d;
    }
    const QDate today = shared_.platform.Today();
    SFrom->setDate(first.isValid() ? first : today);
    STo->setDate(last.isValid() ? last : today);
    SKikan->setChecked(false);
    SFrom->setEnabled(false);
    STo->setEnabled(false);
}

void Shuukei::connectControls()
{
    connect(SGroup, &QComboBox::currentIndexChanged, this, &Shuukei::Jouken_Change);
    connect(SStore, &QComboBox::currentIndexChanged, this, &Shuukei::Jouken_Change);
    connect(SMachine, &QComboBox::currentIndexChanged, this, &Shuukei::Jouken_Change);
    connect(SFrom, &QDateEdit::dateChanged, this, &Shuukei::Jouken_Change);
    connect(STo, &QDateEdit::dateChanged, this, &Shuukei::Jouken_Change);
    connect(SKikan, &QCheckBox::clicked, this, &Shuukei::SKikan_Click);
    connect(SGrid->Body()->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &Shuukei::SGrid_HeaderClick);
    for (QTableView *view : {SGrid->Body(), SGrid->Pinned()}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint &at) {
            Henshuu->popup(view->viewport()->mapToGlobal(at));
        });
        view->installEventFilter(this);
    }
    connect(ECopy, &QAction::triggered, this, &Shuukei::ECopy_Click);
    connect(EAllCopy, &QAction::triggered, this, &Shuukei::EAllCopy_Click);
    connect(FCSV, &QAction::triggered, this, &Shuukei::FCSV_Click);
    connect(SCSV, &QPushButton::clicked, this, &Shuukei::FCSV_Click);
    connect(FEnd, &QAction::triggered, this, &Shuukei::TEnd_Click);
    connect(TEnd, &QPushButton::clicked, this, &Shuukei::TEnd_Click);
    connect(&shared_.notifier, &DataNotifier::changed, this, &Shuukei::dataChanged);
    connect(SGrid, &SummaryView::columnRoomChanged, this, &Shuukei::fitColumns);
}

SummaryGrouping Shuukei::Grouping() const
{
    return SummaryGrouping(std::clamp(SGroup->currentIndex(), 0, SGroup->count() - 1));
}

SummaryFilter Shuukei::Filter() const
{
    SummaryFilter f;
    if (SKikan->isChecked()) {
        f.From = SFrom->date();
        f.To = STo->date();
    }
    f.SId = selectedId(SStore, storeIds_);
    f.MId = selectedId(SMachine, machineIds_);
    return f;
}

void Shuukei::SKikan_Click()
{
    SFrom->setEnabled(SKikan->isChecked());
    STo->setEnabled(SKikan->isChecked());
    Jouken_Change();
}

void Shuukei::Jouken_Change()
{
    // The proxy keeps the chosen sort through every change of the conditions.
    model_->SetSummary(Grouping(), Summarize(shared_.data, shared_.Stores, shared_.Machines,
                                             Grouping(), Filter(), shared_.states.WakeKin));
    fitColumns();
}

void Shuukei::dataChanged()
{
    const QSignalBlocker store(SStore), machine(SMachine);
    fillLists();
    Jouken_Change();
}

void Shuukei::SGrid_HeaderClick(int column)
{
    if (column < 0 || column >= kSummaryColumns)
        return;
    descending_ = column == sortColumn_ ? !descending_ : false;
    sortColumn_ = column;
    rows_->sort(column, descending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
    // Qt draws ascending as a downward arrow; here ▲ means smallest first and
    // ▼ largest first, as spreadsheets and file lists show it.
    SGrid->Body()->horizontalHeader()->setSortIndicator(column, descending_ ? Qt::AscendingOrder
                                                                            : Qt::DescendingOrder);
}

QList<SummaryRow> Shuukei::ShownRows() const
{
    QList<SummaryRow> rows;
    rows.reserve(rows_->rowCount());
    for (int r = 0; r < rows_->rowCount(); ++r)
        rows.append(model_->RowAt(rows_->mapToSource(rows_->index(r, 0)).row()));
    return rows;
}

void Shuukei::fitColumns()
{
    // Each column as wide as its widest text and title, with a gap that keeps
    // neighbouring numbers apart.
    const QFontMetrics metrics = SGrid->Body()->fontMetrics();
    const QFontMetrics bold = SGrid->Pinned()->fontMetrics();
    CharWidths widthOf(metrics);
    QList<int> content(kSummaryColumns, 0);
    const int totalRow = model_->rowCount() - 1;
    for (int row = 0; row < totalRow; ++row) {
        const QStringList &texts = model_->TextsAt(row);
        for (int c = 0; c < kSummaryColumns; ++c)
            content[c] = std::max(content[c], widthOf(texts[c]));
    }
    const QStringList &totals = model_->TextsAt(totalRow);
    const QHeaderView *header = SGrid->Body()->horizontalHeader();
    const int gap = metrics.horizontalAdvance(u"00"_s);
    QList<int> widths(kSummaryColumns);
    int others = 0;
    for (int c = 0; c < kSummaryColumns; ++c) {
        content[c] = std::max(content[c], bold.horizontalAdvance(totals[c]));
        widths[c] = std::max(content[c] + gap, header->sectionSizeHint(c));
        others += c == ColGroup ? 0 : widths[c];
    }
    // Long names give way first (ending in "…", whole in the tooltip), down
    // to eight characters; beyond that the table scrolls.
    const int least = std::min(widths[ColGroup], std::max(metrics.horizontalAdvance(u"あ"_s) * 8,
                                                          header->sectionSizeHint(ColGroup)));
    widths[ColGroup] = std::max(least, std::min(widths[ColGroup], SGrid->ColumnRoom() - others));
    SGrid->SetColumnWidths(widths);
}

bool Shuukei::eventFilter(QObject *watched, QEvent *event)
{
    // The views would copy the current cell's text; the menu's copy is meant.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        ECopy_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Shuukei::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    CentreOnScreen(*this);
}

void Shuukei::ECopy_Click()
{
    const QString text = SGrid->SelectedText(ExportRole);
    if (text.isNull())
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void Shuukei::EAllCopy_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(SGrid->AllText(ExportRole));
}

void Shuukei::FCSV_Click()
{
    ExportCsvText(shared_, this, u"集計表をCSVファイルに書き出す"_s,
                  shared_.states.UserName + u"_集計表.csv"_s,
                  CsvExchange::SummaryCsv(Grouping(), ShownRows(), model_->Summary().Total));
}

void Shuukei::TEnd_Click()
{
    close();
}
