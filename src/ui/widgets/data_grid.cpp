#include "ui/widgets/data_grid.h"

#include "ui/result_colors.h"
#include "ui/twips.h"
#include "ui/widgets/grid_cell_delegate.h"
#include "ui/widgets/grid_look.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTimer>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
Qt::Alignment toQt(GridAlign a)
{
    switch (a) {
    case GridAlign::Left: return Qt::AlignLeft | Qt::AlignVCenter;
    case GridAlign::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
    case GridAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

// ---------------------------------------------------------------- model

DataGridModel::DataGridModel(QObject *parent) : QAbstractTableModel(parent) {}

int DataGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_ - fixedRows_;
}

int DataGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : cols_;
}

QVariant DataGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = index.row() + fixedRows_;
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole: return text(row, col);
    case Qt::BackgroundRole: return kGridBack;
    case Qt::ForegroundRole: return kGridText;
    case Qt::TextAlignmentRole: return QVariant::fromValue(toQt(cellAlign_.value(col)));
    default: return QVariant();
    }
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= cols_)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: return fixedRows_ > 0 ? text(0, section) : QString();
    case Qt::TextAlignmentRole: return QVariant::fromValue(toQt(titleAlign_.value(section)));
    case Qt::BackgroundRole: return kGridTitleBack;
    default: return QVariant();
    }
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void DataGridModel::setShape(int rows, int cols)
{
    rows = std::max(rows, fixedRows_);
    cols = std::max(cols, 0);
    if (cols != cols_) {
        // A change of width rebuilds the cells column by column.
        beginResetModel();
        QList<QString> texts(qsizetype(rows) * cols);
        for (int r = 0; r < std::min(rows, rows_); ++r)
            for (int c = 0; c < std::min(cols, cols_); ++c)
                texts[qsizetype(r) * cols + c] = texts_[at(r, c)];
        texts_ = std::move(texts);
        rows_ = rows;
        cols_ = cols;
        cellAlign_.resize(cols, GridAlign::Left);
        titleAlign_.resize(cols, GridAlign::Left);
        endResetModel();
        return;
    }
    if (rows > rows_) {
        beginInsertRows(QModelIndex(), viewRow(rows_), viewRow(rows) - 1);
        texts_.resize(qsizetype(rows) * cols_);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows(QModelIndex(), viewRow(rows), viewRow(rows_) - 1);
        texts_.resize(qsizetype(rows) * cols_);
        rows_ = rows;
        endRemoveRows();
    }
}

void DataGridModel::setFixedRows(int fixedRows)
{
    beginResetModel();
    fixedRows_ = std::clamp(fixedRows, 0, 1);
    if (rows_ < fixedRows_) {
        rows_ = fixedRows_;
        texts_.resize(qsizetype(rows_) * cols_);
    }
    endResetModel();
}

QString DataGridModel::text(int row, int col) const
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        return QString();
    return texts_[at(row, col)];
}

void DataGridModel::setText(int row, int col, const QString &text)
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        return;
    texts_[at(row, col)] = text;
    if (row < fixedRows_)
        emit headerDataChanged(Qt::Horizontal, col, col);
    else
        markChanged();
}

void DataGridModel::insertGridRow(int row)
{
    row = std::clamp(row, fixedRows_, rows_);
    beginInsertRows(QModelIndex(), viewRow(row), viewRow(row));
    texts_.insert(at(row, 0), cols_, QString());
    ++rows_;
    endInsertRows();
}

void DataGridModel::removeGridRow(int row)
{
    if (row < fixedRows_ || row >= rows_)
        return;
    beginRemoveRows(QModelIndex(), viewRow(row), viewRow(row));
    texts_.remove(at(row, 0), cols_);
    --rows_;
    endRemoveRows();
}

void DataGridModel::setAlignment(int col, GridAlign cells, GridAlign title)
{
    if (col < 0 || col >= cols_)
        return;
    cellAlign_[col] = cells;
    titleAlign_[col] = title;
    emit headerDataChanged(Qt::Horizontal, col, col);
    markChanged();
}

void DataGridModel::markChanged()
{
    if (changePending_)
        return;
    changePending_ = true;
    QTimer::singleShot(0, this, &DataGridModel::flushChanges);
}

void DataGridModel::flushChanges()
{
    if (!changePending_)
        return;
    changePending_ = false;
    if (rowCount() > 0 && cols_ > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, cols_ - 1));
}

// ---------------------------------------------------------------- view

DataGrid::DataGrid(QWidget *parent, DataGridModel *model)
    : QTableView(parent), model_(model ? model : new DataGridModel)
{
    model_->setParent(this);
    SetGridLook(*this);
    setModel(model_);
    setAttribute(Qt::WA_InputMethodEnabled);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DataGrid::onViewSelectionChanged);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DataGrid::onViewSelectionChanged);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        // setModel's selection model survives a reset; keep it in step.
        scheduleSync();
    });
}

void DataGrid::SetRows(int rows)
{
    model_->setShape(rows, Cols());
    clampSelection();
}

void DataGrid::SetCols(int cols)
{
    model_->setShape(Rows(), cols);
    colAlign_.resize(cols, GridAlign::Left);
    fixedAlign_.resize(cols, GridAlign::Left);
    clampSelection();
}

void DataGrid::SetFixedRows(int fixedRows)
{
    model_->setFixedRows(fixedRows);
    horizontalHeader()->setVisible(FixedRows() > 0);
    clampSelection();
}

void DataGrid::SetFixedCols(int fixedCols)
{
    Q_UNUSED(fixedCols); // the windows use no fixed column
}

void DataGrid::SetRow(int row)
{
    if (row < 0 || row >= Rows())
        return;
    row_ = rowSel_ = row;
    colSel_ = col_;
    scheduleSync();
}

void DataGrid::SetCol(int col)
{
    if (col < 0 || col >= Cols())
        return;
    col_ = colSel_ = col;
    rowSel_ = row_;
    scheduleSync();
}

void DataGrid::SetRowSel(int row)
{
    if (row < 0 || row >= Rows())
        return;
    rowSel_ = row;
    scheduleSync();
}

void DataGrid::SetColSel(int col)
{
    if (col < 0 || col >= Cols())
        return;
    colSel_ = col;
    scheduleSync();
}

QString DataGrid::TextMatrix(int row, int col) const
{
    return model_->text(row, col);
}

void DataGrid::SetTextMatrix(int row, int col, const QString &text)
{
    model_->setText(row, col, text);
}

GridRange DataGrid::SelRange() const
{
    return GridRange{std::min(row_, rowSel_), std::max(row_, rowSel_), std::min(col_, colSel_),
                     std::max(col_, colSel_)};
}

QString DataGrid::Clip() const
{
    GridRange range = SelRange();
    range.top -= FixedRows(); // the model's rows; the title row is its header
    range.bottom -= FixedRows();
    return TabText(*model_, range);
}

void DataGrid::SetClip(const QString &text)
{
    SetClip(ReadTabBlock(text));
}

void DataGrid::SetClip(const TabBlock &block)
{
    const auto [r1, r2, c1, c2] = SelRange();
    for (qsizetype j = 0; j < block.lines.size() && r1 + j <= r2; ++j) {
        int c = c1;
        for (QStringView cell : block.lines[j].tokenize(u'\t')) {
            if (c > c2)
                break;
            SetTextMatrix(int(r1 + j), c++, cell.toString());
        }
    }
}

int DataGrid::ColWidth(int col) const
{
    if (col >= 0 && col < colWidthTwips_.size() && colWidthTwips_[col] >= 0)
        return colWidthTwips_[col];
    return int(PixelsToTwips(horizontalHeader()->sectionSize(col)));
}

void DataGrid::SetColWidth(int col, int twips)
{
    if (col < 0 || col >= Cols())
        return;
    if (colWidthTwips_.size() < Cols())
        colWidthTwips_.resize(Cols(), -1);
    colWidthTwips_[col] = twips;
    setColumnWidth(col, Twips(twips));
    setColumnHidden(col, twips <= 0);
}

void DataGrid::SetColAlignment(int col, GridAlign align)
{
    if (col < 0 || col >= Cols())
        return;
    colAlign_[col] = align;
    model_->setAlignment(col, align, fixedAlign_[col]);
}

void DataGrid::SetFixedAlignment(int col, GridAlign align)
{
    if (col < 0 || col >= Cols())
        return;
    fixedAlign_[col] = align;
    model_->setAlignment(col, colAlign_[col], align);
}

void DataGrid::AddItem(const QString &text, int index)
{
    model_->insertGridRow(index);
    const QStringList cells = text.split(u'\t');
    if (!text.isEmpty())
        for (int c = 0; c < Cols() && c < cells.size(); ++c)
            SetTextMatrix(index, c, cells[c]);
    clampSelection();
}

void DataGrid::RemoveItem(int index)
{
    model_->removeGridRow(index);
    clampSelection();
}

void DataGrid::clampSelection()
{
    const int lastRow = std::max(Rows() - 1, 0), lastCol = std::max(Cols() - 1, 0);
    row_ = std::clamp(row_, 0, lastRow);
    rowSel_ = std::clamp(rowSel_, 0, lastRow);
    col_ = std::clamp(col_, 0, lastCol);
    colSel_ = std::clamp(colSel_, 0, lastCol);
    scheduleSync();
}

QModelIndex DataGrid::viewIndex(int row, int col) const
{
    return model_->index(row - FixedRows(), col);
}

void DataGrid::scheduleSync()
{
    if (syncPending_)
        return;
    syncPending_ = true;
    QTimer::singleShot(0, this, &DataGrid::syncView);
}

void DataGrid::syncView()
{
    syncPending_ = false;
    model_->flushChanges();
    syncing_ = true;
    QItemSelectionModel *sel = selectionModel();
    // The view's current index is the moving end of the selection (RowSel,
    // ColSel); Row and Col are the corner where the selection started.
    const QModelIndex anchor = viewIndex(row_, col_);
    const QModelIndex moving = viewIndex(rowSel_, colSel_);
    sel->setCurrentIndex(moving, QItemSelectionModel::NoUpdate);
    if (anchor.isValid() && moving.isValid())
        sel->select(QItemSelection(anchor, moving), QItemSelectionModel::ClearAndSelect);
    else
        sel->clearSelection();
    syncing_ = false;
    updateMicroFocus();
}

template <typename Handling> void DataGrid::personsMove(Handling handling)
{
    ++moving_;
    handling();
    if (--moving_ == 0 && std::exchange(movePending_, false))
        onViewSelectionChanged();
}

void DataGrid::onViewSelectionChanged()
{
    if (syncing_)
        return;
    if (moving_ > 0) {
        movePending_ = true;
        return;
    }
    const QModelIndex current = selectionModel()->currentIndex();
    if (!current.isValid())
        return;
    // The view's current index is the moving end; the start is the opposite
    // corner of the selected rectangle.
    int top = current.row(), bottom = current.row(), left = current.column(),
        right = current.column();
    const QItemSelection selection = selectionModel()->selection();
    for (const QItemSelectionRange &range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
        left = std::min(left, range.left());
        right = std::max(right, range.right());
    }
    const int fixed = FixedRows();
    const int rowSel = current.row() + fixed, colSel = current.column();
    const int row = (current.row() == top ? bottom : top) + fixed;
    const int col = current.column() == left ? right : left;
    if (row == row_ && col == col_ && rowSel == rowSel_ && colSel == colSel_)
        return;
    row_ = row;
    col_ = col;
    rowSel_ = rowSel;
    colSel_ = colSel;
    updateMicroFocus();
    emit selChange();
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    if (syncPending_)
        syncView();
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: emit keyPress(9); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: emit keyPress(13); return;
    case Qt::Key_Backspace: emit keyPress(8); return;
    case Qt::Key_Escape: return;
    default: break;
    }
    const QString text = event->text();
    const bool plainCharacter = !text.isEmpty() && text[0].isPrint() &&
                                !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plainCharacter) {
        for (QChar ch : text)
            emit keyPress(ch.unicode());
        return;
    }
    // Cursor keys, paging: the person's moves.
    personsMove([&] { QTableView::keyPressEvent(event); });
}

void DataGrid::inputMethodEvent(QInputMethodEvent *event)
{
    GridCellDelegate *delegate = cellDelegate();
    const QModelIndex composed = delegate->composition().index;
    delegate->setComposition({});
    // The commit string counts as typed, character by character; what is
    // still being composed is drawn in the cell it will go into, when the
    // cell takes typing.
    for (QChar ch : event->commitString())
        emit keyPress(ch.unicode());
    const QModelIndex current = viewIndex(row_, col_);
    if (!event->preeditString().isEmpty() && (model_->flags(current) & Qt::ItemIsEditable))
        delegate->setComposition({current, typingReplaces_ ? QString() : Text(),
                                  event->preeditString(), event->attributes()});
    if (composed.isValid())
        update(composed);
    update(current);
    updateMicroFocus();
    event->accept();
}

QString DataGrid::preeditText() const
{
    return cellDelegate()->composition().preedit;
}

void DataGrid::setTypingReplaces(bool replaces)
{
    typingReplaces_ = replaces;
}

GridCellDelegate *DataGrid::cellDelegate() const
{
    return static_cast<GridCellDelegate *>(itemDelegate());
}

QRect DataGrid::cellRect() const
{
    const QRect cell = visualRect(viewIndex(row_, col_));
    return cell.isValid() ? cell.translated(viewport()->geometry().topLeft()) : QRect();
}

QRect DataGrid::caretRect() const
{
    const QModelIndex index = viewIndex(row_, col_);
    const QRect cell = visualRect(index);
    if (!cell.isValid())
        return QRect();
    GridCellDelegate::Composition composition = cellDelegate()->composition();
    if (composition.index != index)
        composition = {index, typingReplaces_ ? QString() : Text(), QString(), {}};
    const QVariant align = model_->data(index, Qt::TextAlignmentRole);
    const QRect caret =
        GridCellDelegate::CaretRect(cell, font(), align.value<Qt::Alignment>(), composition);
    return caret.translated(viewport()->geometry().topLeft());
}

QVariant DataGrid::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // The input method places its window beside the caret: in the cell being
    // typed, in the grid's own coordinates (the title row above the cells).
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle: return caretRect();
    case Qt::ImInputItemClipRectangle: return cellRect();
    case Qt::ImFont: return font();
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: return int(Text().size());
    case Qt::ImSurroundingText: return Text();
    case Qt::ImCurrentSelection: return QString();
    default: return QTableView::inputMethodQuery(query);
    }
}

void DataGrid::mousePressEvent(QMouseEvent *event)
{
    if (syncPending_)
        syncView();
    if (!preeditText().isEmpty())
        QGuiApplication::inputMethod()->commit(); // into the cell it was typed for
    if (event->button() == Qt::RightButton)
        return; // a right click opens the window's menu, it does not select
    personsMove([&] { QTableView::mousePressEvent(event); });
}

void DataGrid::mouseMoveEvent(QMouseEvent *event)
{
    personsMove([&] { QTableView::mouseMoveEvent(event); });
}

void DataGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    emit mouseUp(event->button(), event->globalPosition().toPoint());
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit dblClick();
}

bool DataGrid::focusNextPrevChild(bool next)
{
    Q_UNUSED(next);
    return false; // Tab moves between cells (keyPress(9)), never to another control
}

bool DataGrid::event(QEvent *event)
{
    // The windows' menu shortcuts (copy, paste, cut, delete, undo, redo) win
    // over the view's own handling of those keys.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) ||
            key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Undo) ||
            key->matches(QKeySequence::Redo) || key->key() == Qt::Key_Delete) {
            event->ignore();
            return true;
        }
    }
    return QTableView::event(event);
}
