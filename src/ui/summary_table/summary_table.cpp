#include "ui/summary_table/summary_table.h"

#include "core/file/csv_exchange.h"
#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/util/numbers.h"
#include "ui/app_font.h"
#include "ui/csv_exchange/csv_files.h"
#include "ui/result_colors.h"
#include "ui/twips.h"
#include "ui/widgets/data_grid.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
const QColor kWhite(255, 255, 255);
const QColor kTotalBack(255, 250, 224);
const QColor kBlack(0, 0, 0);

// The choices of the grouping box, in its order.
constexpr SummaryGrouping kGroupings[] = {SummaryGrouping::Year,    SummaryGrouping::Month,
                                          SummaryGrouping::Weekday, SummaryGrouping::Store,
                                          SummaryGrouping::Machine, SummaryGrouping::StoreMachine};

bool isAmount(int column)
{
    return column == ColToushi || column == ColKaishuu || column == ColBalance ||
           column == ColAverage || column == ColBest || column == ColWorst;
}

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

QDateEdit *dateEdit(QWidget *parent)
{
    auto *edit = new QDateEdit(parent);
    edit->setDisplayFormat(u"yyyy/MM/dd"_s);
    edit->setCalendarPopup(true);
    edit->setDateRange(QDate(1950, 1, 1), QDate(2100, 12, 31));
    return edit;
}
} // namespace

Shuukei::Shuukei(SharedData &shared, QWidget *parent) : QDialog(parent), shared_(shared)
{
    setWindowTitle(u"るでら３  [集計表]"_s);
    setObjectName(u"Shuukei"_s);
    setFont(UiFont(9));
    // A window of its own with the frame's maximise button: the table grows.
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    createControls();
    fillConditions();
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
    SGroupLabel = new QLabel(u"集計の単位"_s, this);
    SGroup = new QComboBox(this);
    for (const QString &g : {u"年"_s, u"月"_s, u"曜日"_s, u"店"_s, u"台"_s, u"店×台"_s})
        SGroup->addItem(g);
    SGroup->setCurrentIndex(1); // by month
    SKikan = new QCheckBox(u"期間"_s, this);
    SFrom = dateEdit(this);
    SKara = new QLabel(u"～"_s, this);
    STo = dateEdit(this);
    SStoreLabel = new QLabel(u"店名"_s, this);
    SStore = new QComboBox(this);
    SMachineLabel = new QLabel(u"台名"_s, this);
    SMachine = new QComboBox(this);
    for (QComboBox *combo : {SStore, SMachine}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(12);
    }
    SCSV = new QPushButton(u"CSVに書き出す…"_s, this);
    TEnd = new QPushButton(u"終了"_s, this);
    for (QPushButton *b : {SCSV, TEnd})
        b->setAutoDefault(false);

    SGrid = new DataGrid(this);
    SGrid->SetCols(kSummaryColumns);
    SGrid->SetRows(2);
    SGrid->SetFixedRows(1);
    for (int c = 0; c < kSummaryColumns; ++c) {
        SGrid->SetFixedAlignment(c, GridAlign::Center);
        SGrid->SetColAlignment(c, c == ColGroup ? GridAlign::Left : GridAlign::Right);
    }
    // The grid's titles are not clickable elsewhere; here a click sorts.
    SGrid->horizontalHeader()->setSectionsClickable(true);
    SGrid->horizontalHeader()->setCursor(Qt::PointingHandCursor);
    SGrid->horizontalHeader()->setToolTip(u"クリックで並べ替えます"_s);

    auto *conditions = new QHBoxLayout;
    conditions->addWidget(SGroupLabel);
    conditions->addWidget(SGroup);
    conditions->addSpacing(16);
    conditions->addWidget(SKikan);
    conditions->addWidget(SFrom);
    conditions->addWidget(SKara);
    conditions->addWidget(STo);
    conditions->addStretch();
    auto *lists = new QHBoxLayout;
    lists->addWidget(SStoreLabel);
    lists->addWidget(SStore, 1);
    lists->addSpacing(16);
    lists->addWidget(SMachineLabel);
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

void Shuukei::fillConditions()
{
    fillCombo(SStore, u"すべての店"_s, shared_.Stores, storeIds_);
    fillCombo(SMachine, u"すべての台"_s, shared_.Machines, machineIds_);
    // The period starts as the span of the records (today without any).
    QDate first, last;
    for (qint32 n = 1; n <= shared_.data.ListCount(); ++n) {
        const PlayRecord &r = shared_.data.Record(n);
        const QDate d(r.DYear, r.DMonth, r.DDay);
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
    connect(SGrid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &Shuukei::SGrid_HeaderClick);
    connect(SGrid, &DataGrid::mouseUp, this, &Shuukei::SGrid_MouseUp);
    connect(ECopy, &QAction::triggered, this, &Shuukei::ECopy_Click);
    connect(EAllCopy, &QAction::triggered, this, &Shuukei::EAllCopy_Click);
    connect(FCSV, &QAction::triggered, this, &Shuukei::FCSV_Click);
    connect(SCSV, &QPushButton::clicked, this, &Shuukei::FCSV_Click);
    connect(FEnd, &QAction::triggered, this, &Shuukei::TEnd_Click);
    connect(TEnd, &QPushButton::clicked, this, &Shuukei::TEnd_Click);
}

SummaryGrouping Shuukei::Grouping() const
{
    const int k = std::clamp(SGroup->currentIndex(), 0, int(std::size(kGroupings)) - 1);
    return kGroupings[k];
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
    summary_ = Summarize(shared_.data, shared_.Stores, shared_.Machines, Grouping(), Filter(),
                         shared_.states.WakeKin);
    // The chosen sort holds through every change of the conditions.
    shown_ = summary_.Rows;
    if (sortColumn_ >= 0)
        SortSummaryRows(shown_, sortColumn_, descending_);
    TableWrite();
}

void Shuukei::SGrid_HeaderClick(int column)
{
    if (column < 0 || column >= kSummaryColumns)
        return;
    descending_ = column == sortColumn_ ? !descending_ : false;
    sortColumn_ = column;
    shown_ = summary_.Rows;
    SortSummaryRows(shown_, sortColumn_, descending_);
    TableWrite();
}

void Shuukei::TableWrite()
{
    const QStringList titles = SummaryTitles(Grouping());
    for (int c = 0; c < kSummaryColumns; ++c)
        SGrid->SetTextMatrix(0, c, titles[c]);
    QHeaderView *header = SGrid->horizontalHeader();
    header->setSortIndicatorShown(sortColumn_ >= 0);
    // Qt draws ascending as a downward arrow; here ▲ means smallest first and
    // ▼ largest first, as spreadsheets and file lists show it.
    header->setSortIndicator(sortColumn_, descending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
    // Down to the title row first, so that no colour of an earlier table stays.
    SGrid->SetRows(1);
    if (shown_.isEmpty()) {
        SGrid->SetRows(3);
        SGrid->SetTextMatrix(1, ColGroup, u"該当なし"_s);
        RowWrite(2, summary_.Total, true);
    } else {
        SGrid->SetRows(int(shown_.size()) + 2);
        for (qsizetype i = 0; i < shown_.size(); ++i)
            RowWrite(int(i) + 1, shown_[i], false);
        RowWrite(int(shown_.size()) + 1, summary_.Total, true);
    }
    ColWidthSet();
    // The cursor on the title row: no cell stands out until the person picks one.
    SGrid->SetRow(0);
    SGrid->SetCol(0);
}

void Shuukei::RowWrite(int gridRow, const SummaryRow &row, bool total)
{
    DataGridModel *model = SGrid->gridModel();
    const QStringList texts = SummaryTexts(row);
    const QColor back = total ? kTotalBack : gridRow % 2 == 1 ? kGridTint : kWhite;
    for (int c = 0; c < kSummaryColumns; ++c) {
        QColor fore = kBlack;
        if (isAmount(c) && texts[c].startsWith(u'-'))
            fore = kGridRedText; // losses red, as in the statistics window
        else if (c == ColGroup && Grouping() == SummaryGrouping::Weekday && !total)
            fore = texts[c].startsWith(u'土')   ? kGridBlueText
                   : texts[c].startsWith(u'日') ? kGridRedText
                                                : kBlack;
        model->setColors(gridRow, c, back.rgb(), fore.rgb());
        model->setText(gridRow, c, isAmount(c) ? YenForDisplay(texts[c]) : texts[c]);
    }
}

QList<int> Shuukei::BaseColWidths(SummaryGrouping grouping)
{
    int group = 1500;
    switch (grouping) {
    case SummaryGrouping::Year: group = 1100; break;
    case SummaryGrouping::Month: group = 1500; break;
    case SummaryGrouping::Weekday: group = 1100; break;
    case SummaryGrouping::Store:
    case SummaryGrouping::Machine: group = 2000; break;
    case SummaryGrouping::StoreMachine: group = 3800; break;
    }
    return {group, 1100, 700, 700, 700, 1000, 1400, 1400, 1400, 1050, 1200, 1200, 1200};
}

void Shuukei::ColWidthSet()
{
    // The base widths, shared out over a wider grid in their proportions.
    const QList<int> base = BaseColWidths(Grouping());
    int sum = 0;
    for (int w : base)
        sum += w;
    // Room is kept for a vertical scroll bar and for each width's rounding to
    // whole pixels, so that widening never brings a horizontal scroll bar.
    const int room = SGrid->width() - 2 * SGrid->frameWidth() -
                     SGrid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - kSummaryColumns;
    const double available = PixelsToTwips(room);
    const double scale = std::max(1.0, available / sum);
    for (int c = 0; c < kSummaryColumns; ++c)
        SGrid->SetColWidth(c, int(std::floor(base[c] * scale)));
}

void Shuukei::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    ColWidthSet();
}

void Shuukei::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ColWidthSet();
    if (centred_)
        return;
    centred_ = true;
    if (const QScreen *s = screen()) {
        const QRect area = s->availableGeometry();
        const QSize outer = frameGeometry().size();
        move(area.x() + (area.width() - outer.width()) / 2,
             area.y() + (area.height() - outer.height()) / 2);
    }
}

void Shuukei::SGrid_MouseUp(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton)
        Henshuu->popup(globalPos);
}

void Shuukei::ECopy_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(SGrid->Clip());
}

void Shuukei::EAllCopy_Click()
{
    SGrid->SetRow(0);
    SGrid->SetCol(0);
    SGrid->SetRowSel(SGrid->Rows() - 1);
    SGrid->SetColSel(SGrid->Cols() - 1);
    ECopy_Click();
}

void Shuukei::FCSV_Click()
{
    ExportCsvText(shared_, this, u"集計表をCSVファイルに書き出す"_s,
                  shared_.states.UserName + u"_集計表.csv"_s,
                  CsvExchange::SummaryCsv(Grouping(), shown_, summary_.Total));
}

void Shuukei::TEnd_Click()
{
    close();
}
