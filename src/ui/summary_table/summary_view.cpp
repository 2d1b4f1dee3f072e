#include "ui/summary_table/summary_view.h"

#include "core/statistics/table_roles.h"
#include "ui/widgets/grid_look.h"
#include "ui/widgets/tab_text.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {
// The rows' view: draws a text in place of the rows while there are none.
class BodyView : public QTableView {
public:
    using QTableView::QTableView;
    QString emptyText;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QTableView::paintEvent(event);
        if (!model() || model()->rowCount() > 0 || emptyText.isEmpty())
            return;
        QPainter painter(viewport());
        painter.setPen(palette().color(QPalette::Text));
        const QRect row(0, 0, viewport()->width(), verticalHeader()->defaultSectionSize());
        painter.drawText(row.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, emptyText);
    }
};

void setUpView(QTableView *view)
{
    SetGridLook(*view, GridCells::Palette);
    view->setFrameShape(QFrame::NoFrame);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Rows with a little more room than the other grids', for the bold totals.
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setMinimumSectionSize(8);
}
} // namespace

SummaryView::SummaryView(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    auto *body = new BodyView(this);
    body_ = body;
    setUpView(body_);
    body_->setAlternatingRowColors(true);
    body_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    body_->horizontalHeader()->setHighlightSections(false);
    body_->horizontalHeader()->setSortIndicatorShown(true);
    body_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);

    pinned_ = new QTableView(this);
    setUpView(pinned_);
    pinned_->horizontalHeader()->hide();
    pinned_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont bold = pinned_->font();
    bold.setBold(true); // totals bold, as spreadsheets show them
    pinned_->setFont(bold);
    pinned_->setFixedHeight(pinned_->verticalHeader()->defaultSectionSize());
    pinnedRight_ = new QWidget(this);
    pinnedRight_->setFixedSize(0, pinned_->height());

    // A line above the totals, in the colour of the grid.
    auto *line = new QFrame(this);
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    line->setBackgroundRole(QPalette::Dark);

    scrollBar_ = new QScrollBar(Qt::Horizontal, this);
    scrollBar_->hide();

    auto *totals = new QHBoxLayout;
    totals->setSpacing(0);
    totals->addWidget(pinned_);
    totals->addWidget(pinnedRight_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(body_, 1);
    layout->addWidget(line);
    layout->addLayout(totals);
    layout->addWidget(scrollBar_);
    layout->addStretch(0);

    // The totals follow the rows' columns and horizontal position.
    connect(body_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) { pinned_->setColumnWidth(column, size); });
    QScrollBar *bodyBar = body_->horizontalScrollBar();
    connect(bodyBar, &QScrollBar::rangeChanged, this, [this, bodyBar](int min, int max) {
        scrollBar_->setRange(min, max);
        scrollBar_->setPageStep(bodyBar->pageStep());
        scrollBar_->setSingleStep(bodyBar->singleStep());
        scrollBar_->setVisible(max > min);
    });
    connect(bodyBar, &QScrollBar::valueChanged, scrollBar_, &QScrollBar::setValue);
    connect(pinned_->horizontalScrollBar(), &QScrollBar::valueChanged, scrollBar_,
            &QScrollBar::setValue);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        body_->horizontalScrollBar()->setValue(value);
        pinned_->horizontalScrollBar()->setValue(value);
    });
    body_->viewport()->installEventFilter(this);
}

void SummaryView::SetModels(QAbstractItemModel *body, QAbstractItemModel *pinned)
{
    body_->setModel(body);
    pinned_->setModel(pinned);
    // A selection in one of the two views is the one to copy.
    connect(body_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (body_->selectionModel()->hasSelection())
            pinned_->clearSelection();
    });
    connect(pinned_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (pinned_->selectionModel()->hasSelection())
            body_->clearSelection();
    });
    connect(body, &QAbstractItemModel::modelReset, this, &SummaryView::fitHeight);
    connect(body, &QAbstractItemModel::rowsInserted, this, &SummaryView::fitHeight);
    connect(body, &QAbstractItemModel::rowsRemoved, this, &SummaryView::fitHeight);
    fitHeight();
}

void SummaryView::SetEmptyText(const QString &text)
{
    static_cast<BodyView *>(body_)->emptyText = text;
    body_->viewport()->update();
}

int SummaryView::ColumnRoom() const
{
    return body_->viewport()->width();
}

void SummaryView::SetColumnWidths(const QList<int> &widths)
{
    int extra = ColumnRoom();
    for (const int w : widths)
        extra -= w;
    const int n = int(widths.size());
    for (int c = 0; c < n; ++c) {
        // A wide window spreads the columns over its width, as a page would.
        const int w = widths[c] + (extra > 0 ? extra / n + (c < extra % n ? 1 : 0) : 0);
        body_->setColumnWidth(c, w);
        pinned_->setColumnWidth(c, w);
    }
}

QString SummaryView::SelectedText(int role) const
{
    const QTableView *view = pinned_->selectionModel()->hasSelection() ? pinned_ : body_;
    std::optional<GridRange> range = SelectedRange(view->selectionModel()->selection());
    if (const QModelIndex current = view->currentIndex(); !range && current.isValid())
        range = GridRange{current.row(), current.row(), current.column(), current.column()};
    return range ? TabText(*view->model(), *range, role) : QString();
}

QString SummaryView::AllText(int role) const
{
    // The titles (row −1), the rows, the totals.
    const QAbstractItemModel &rows = *body_->model(), &totals = *pinned_->model();
    const int last = rows.columnCount() - 1;
    QString text = TabText(rows, {-1, rows.rowCount() - 1, 0, last}, role);
    if (totals.rowCount() > 0)
        text += u'\r' + TabText(totals, {0, totals.rowCount() - 1, 0, last}, role);
    return text;
}

bool SummaryView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == body_->viewport() && event->type() == QEvent::Resize) {
        followBody();
        emit columnRoomChanged();
    }
    return QFrame::eventFilter(watched, event);
}

void SummaryView::fitHeight()
{
    // No taller than the rows (one row of room for the empty text), so that
    // the totals stand right below the last row.
    const int rows = body_->model() ? std::max(body_->model()->rowCount(), 1) : 1;
    const int height = body_->horizontalHeader()->sizeHint().height() +
                       rows * body_->verticalHeader()->defaultSectionSize();
    body_->setMaximumHeight(height);
}

void SummaryView::followBody()
{
    // The totals as wide as the rows' viewport, so that the columns line up.
    pinnedRight_->setFixedWidth(body_->width() - body_->viewport()->width());
}
