// The calendar window's controls and their places: the month buttons at the
// top, the month page with its totals on the left, the chosen day on the
// right. An enlarged window gives the month page most of the room.

#include "ui/calendar/calendar_window.h"

#include "core/statistics/day_list_model.h"
#include "ui/app_font.h"
#include "ui/calendar/calendar_grid.h"
#include "ui/calendar/year_box.h"
#include "ui/twips.h"
#include "ui/widgets/grid_look.h"
#include "ui/widgets/toned_sort_proxy.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <array>

using namespace Qt::StringLiterals;

namespace {
// What the day list's figure columns are at least wide enough for; they widen
// for the figures of the day shown. The rate column is shown only to players
// who record rates.
constexpr std::array<std::pair<int, const char16_t *>, 5> kFigureColumns{{
    {DayListModel::ColRate, u"4円パチンコ"},
    {DayListModel::ColTime, u"00:00～00:00"},
    {DayListModel::ColToushi, u"999,999"},
    {DayListModel::ColKaishuu, u"999,999"},
    {DayListModel::ColBalance, u"-999,999"},
}};

constexpr int kFigureGap = 10;

QLabel *label(QWidget *parent, const QString &name, double points = 9, bool bold = false)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    QFont f = UiFont(points);
    f.setBold(bold);
    l->setFont(f);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QPushButton *button(QWidget *parent, const QString &text, const QString &name)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}
} // namespace

// Rates and tags take room in the day list only for a player who records
// them; then the day gets as much room as the month page.
void CalendarWindow::showDetailColumns(bool rates, bool tags)
{
    dayList->setColumnHidden(DayListModel::ColRate, !rates);
    dayList->setColumnHidden(DayListModel::ColTags, !tags);
    middle_->setStretch(2, rates || tags ? 4 : 3);
    // Room for the figures and a few characters of each name, the tags and the comment.
    const QFontMetrics metrics = dayList->fontMetrics();
    int least = (tags ? 4 : 3) * metrics.horizontalAdvance(u"パーラ"_s) + 2 * dayList->frameWidth();
    for (const auto &[column, widest] : kFigureColumns)
        if (!dayList->isColumnHidden(column))
            least += metrics.horizontalAdvance(QString::fromUtf16(widest)) + kFigureGap;
    dayList->setMinimumWidth(least);
}

// The figure columns as wide as the day's widest figure, with a gap.
void CalendarWindow::fitDayColumns()
{
    const QFontMetrics metrics = dayList->fontMetrics();
    const QAbstractItemModel *model = dayList->model();
    for (const auto &[column, widest] : kFigureColumns) {
        int width = metrics.horizontalAdvance(QString::fromUtf16(widest));
        for (int row = 0; row < model->rowCount(); ++row)
            width = std::max(
                width, metrics.horizontalAdvance(model->index(row, column).data().toString()));
        dayList->setColumnWidth(column, width + kFigureGap);
    }
}

void CalendarWindow::createControls()
{
    setFont(UiFont(9));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);

    prevButton = button(this, u"◀ 前月"_s, u"prevButton"_s);
    nextButton = button(this, u"翌月 ▶"_s, u"nextButton"_s);
    thisMonthButton = button(this, u"今月"_s, u"thisMonthButton"_s);
    closeButton = button(this, u"閉じる"_s, u"closeButton"_s);
    for (QPushButton *b : {prevButton, nextButton, thisMonthButton})
        b->setFocusPolicy(Qt::TabFocus); // a click leaves the keys with the calendar
    yearBox = new YearBox(this);
    yearBox->setObjectName(u"yearBox"_s);
    yearBox->setRange(1, 9999);
    yearBox->setFont(UiFont(11));
    monthBox = new QComboBox(this);
    monthBox->setObjectName(u"monthBox"_s);
    monthBox->setFont(UiFont(11));
    for (int m = 1; m <= 12; ++m)
        monthBox->addItem(u"%1月"_s.arg(m));

    monthPage = new CalendarGrid(this);
    monthPage->setObjectName(u"monthPage"_s);
    monthTitle = label(this, u"monthTitle"_s, 10, true);
    monthRecord = label(this, u"monthRecord"_s, 10);
    monthBalance = label(this, u"monthBalance"_s, 10, true);
    monthHourly = label(this, u"monthHourly"_s, 10);
    monthPayoutRatio = label(this, u"monthPayoutRatio"_s, 10);
    monthWinRate = label(this, u"monthWinRate"_s, 10);
    monthPlayTime = label(this, u"monthPlayTime"_s, 10);
    for (QLabel *l : {monthBalance, monthHourly, monthPayoutRatio, monthWinRate, monthPlayTime})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    dayTitle = label(this, u"dayTitle"_s, 11, true);
    daySummary = label(this, u"daySummary"_s, 10, true);
    undatedNote = label(this, u"undatedNote"_s);
    undatedNote->setWordWrap(true);

    dayList = new QTableView(this);
    dayList->setObjectName(u"dayList"_s);
    dayModel = new DayListModel(dayList);
    auto *sorted = new TonedSortProxy(ValueSortProxy::Part::Body, dayList);
    sorted->setSourceModel(dayModel);
    sorted->SetView(dayList);
    dayList->setModel(sorted);
    SetGridLook(*dayList, GridCells::Palette);
    dayList->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The model's order until a title is clicked.
    dayList->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    dayList->setSortingEnabled(true);
    // Names and comments share the room the figures leave.
    QHeaderView *header = dayList->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Stretch);
    for (const auto &[column, widest] : kFigureColumns)
        header->setSectionResizeMode(column, QHeaderView::Fixed);
    fitDayColumns();

    auto *top = new QHBoxLayout;
    top->addWidget(prevButton);
    top->addWidget(yearBox);
    top->addWidget(monthBox);
    top->addWidget(nextButton);
    top->addSpacing(12);
    top->addWidget(thisMonthButton);
    top->addStretch();

    // The month's figures as a small table: captions beside right-aligned
    // values, amounts above amounts and ratios above ratios.
    auto *totals = new QGridLayout;
    totals->setHorizontalSpacing(6);
    totals->setVerticalSpacing(2);
    totals->addWidget(monthTitle, 0, 0);
    totals->addWidget(monthRecord, 1, 0);
    const auto pair = [&](const QString &caption, QLabel *value, int row, int column) {
        QLabel *c = label(this, QString(), 10);
        c->setText(caption);
        c->setContentsMargins(12, 0, 0, 0); // apart from the figure before it
        totals->addWidget(c, row, column);
        totals->addWidget(value, row, column + 1);
    };
    pair(u"収支"_s, monthBalance, 0, 1);
    pair(u"時給"_s, monthHourly, 1, 1);
    pair(u"回収率"_s, monthPayoutRatio, 0, 3);
    pair(u"勝率"_s, monthWinRate, 1, 3);
    pair(u"稼働時間"_s, monthPlayTime, 0, 5);
    totals->setColumnStretch(7, 1);

    auto *month = new QVBoxLayout;
    month->addWidget(monthPage, 1);
    month->addLayout(totals);

    auto *day = new QVBoxLayout;
    day->addWidget(dayTitle);
    day->addWidget(daySummary);
    day->addWidget(dayList, 1);

    middle_ = new QHBoxLayout;
    middle_->addLayout(month, 4);
    middle_->addSpacing(8);
    middle_->addLayout(day, 3);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(undatedNote, 1);
    bottom->addStretch(0);
    bottom->addWidget(closeButton, 0, Qt::AlignRight);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle_, 1);
    layout->addLayout(bottom);

    resize(TwipsSize(kDefaultWidth, kDefaultHeight).expandedTo(minimumSizeHint()));
}
