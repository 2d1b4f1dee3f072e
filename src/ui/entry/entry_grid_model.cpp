#include "ui/entry/entry_grid_model.h"

#include "ui/result_colors.h"

using namespace Qt::StringLiterals;
using namespace EntryColumn;

EntryGridModel::EntryGridModel(const SMData &stores, const SMData &machines, QObject *parent)
    : DataGridModel(parent), lists_{stores, machines}
{}

QVariant EntryGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = index.row() + fixedRows_, col = index.column();
    const EntryColumnSpec &column = entryColumn(col);
    switch (role) {
    case Qt::BackgroundRole:
        // Grey marks the computed cells, which nothing is typed into.
        return column.derive && column.input == CellInput::None ? QColor(kComputedBack) : kGridBack;
    case Qt::ForegroundRole:
        // What storing will refuse stands out while it is typed.
        return invalid(row, col)
                   ? kGridRedText
                   : GridTextColor(column.derive ? derived(row, col).tone : Tone::Plain);
    case ToneRole: return int(column.derive ? derived(row, col).tone : Tone::Plain);
    default: return DataGridModel::data(index, role);
    }
}

Qt::ItemFlags EntryGridModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = DataGridModel::flags(index);
    // Views and model testers also ask about the invalid index (the root).
    const bool typed = index.isValid() && isTextColumn(index.column());
    return typed ? flags | Qt::ItemIsEditable : flags;
}

QString EntryGridModel::text(int row, int col) const
{
    if (row >= 0 && row < fixedRows_ && col >= 0 && col < cols_)
        return titles_[size_t(col)];
    if (!inside(row, col))
        return QString();
    const EntryColumnSpec &column = entryColumn(col);
    const EntryRow &r = entryRow(row);
    if (column.derive)
        return column.derive(r, lists_).text;
    if (r.blank & columnBit(col))
        return QString();
    for (const TypedText &t : r.typed)
        if (t.col == col)
            return t.text;
    return column.field->show(r.record);
}

void EntryGridModel::setText(int row, int col, const QString &text)
{
    if (row >= 0 && row < fixedRows_ && col >= 0 && col < cols_) {
        titles_[size_t(col)] = text;
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    if (!inside(row, col) || !isValueColumn(col))
        return;
    const ValueField &field = *entryColumn(col).field;
    EntryRow &r = entries_[row - fixedRows_];
    markChanged();
    const quint32 bit = columnBit(col);
    r.blank &= ~bit;
    r.unreadable &= ~bit;
    r.tooWide &= ~bit;
    r.typed.removeIf([col](const TypedText &t) { return t.col == col; });
    field.clear(r.record);
    if (text.isEmpty()) {
        r.blank |= bit;
        return;
    }
    switch (field.read(r.record, text)) {
    case CellRead::OwnForm: return;
    case CellRead::OtherForm: break;
    case CellRead::NoValue: r.unreadable |= bit; break;
    case CellRead::TooWide: r.tooWide |= bit; break;
    }
    r.typed.append({col, text});
}

void EntryGridModel::setShape(int rows, int cols)
{
    Q_UNUSED(cols); // the entry grid always has its fixed set of columns
    if (cols_ != Count) {
        beginResetModel();
        cols_ = Count;
        cellAlign_.resize(Count, GridAlign::Left);
        titleAlign_.resize(Count, GridAlign::Left);
        endResetModel();
    }
    const int count = std::max(rows - fixedRows_, 0);
    if (count > entries_.size()) {
        beginInsertRows(QModelIndex(), int(entries_.size()), count - 1);
        entries_.resize(count);
        rows_ = count + fixedRows_;
        endInsertRows();
    } else if (count < entries_.size()) {
        beginRemoveRows(QModelIndex(), count, int(entries_.size()) - 1);
        entries_.resize(count);
        rows_ = count + fixedRows_;
        endRemoveRows();
    }
}

void EntryGridModel::setFixedRows(int fixedRows)
{
    // The grid keeps its rows; the first becomes (or stops being) the title row.
    beginResetModel();
    const int total = std::max(rows_, std::clamp(fixedRows, 0, 1));
    fixedRows_ = std::clamp(fixedRows, 0, 1);
    entries_.resize(total - fixedRows_);
    rows_ = total;
    endResetModel();
}

void EntryGridModel::insertGridRow(int row)
{
    row = std::clamp(row, fixedRows_, rows());
    beginInsertRows(QModelIndex(), row - fixedRows_, row - fixedRows_);
    entries_.insert(row - fixedRows_, EntryRow());
    ++rows_;
    endInsertRows();
}

void EntryGridModel::removeGridRow(int row)
{
    if (row < fixedRows_ || row >= rows())
        return;
    beginRemoveRows(QModelIndex(), row - fixedRows_, row - fixedRows_);
    entries_.remove(row - fixedRows_);
    --rows_;
    endRemoveRows();
}

const EntryRow &EntryGridModel::entryRow(int row) const
{
    static const EntryRow none;
    const qsizetype i = qsizetype(row) - fixedRows_;
    return i >= 0 && i < entries_.size() ? entries_[i] : none;
}

QList<EntryRow> EntryGridModel::entryRows(int first, int count) const
{
    const qsizetype from = std::clamp<qsizetype>(first - fixedRows_, 0, entries_.size());
    return entries_.mid(from, std::clamp<qsizetype>(count, 0, entries_.size() - from));
}

void EntryGridModel::replaceRows(int first, int count, const QList<EntryRow> &rows)
{
    const int from = std::clamp(first - fixedRows_, 0, int(entries_.size()));
    count = std::clamp(count, 0, int(entries_.size()) - from);
    const int same = std::min(count, int(rows.size()));
    std::copy(rows.begin(), rows.begin() + same, entries_.begin() + from);
    if (same > 0)
        markChanged();
    if (count > same) {
        beginRemoveRows(QModelIndex(), from + same, from + count - 1);
        entries_.remove(from + same, count - same);
        rows_ = int(entries_.size()) + fixedRows_;
        endRemoveRows();
    } else if (rows.size() > same) {
        beginInsertRows(QModelIndex(), from + same, from + int(rows.size()) - 1);
        entries_.insert(from + same, rows.size() - same, EntryRow());
        std::copy(rows.begin() + same, rows.end(), entries_.begin() + from + same);
        rows_ = int(entries_.size()) + fixedRows_;
        endInsertRows();
    }
}

void EntryGridModel::setEntryRows(QList<EntryRow> rows)
{
    beginResetModel();
    cols_ = Count;
    entries_ = std::move(rows);
    rows_ = int(entries_.size()) + fixedRows_;
    endResetModel();
}

EntryRow EntryGridModel::rowOf(const PlayRecord &record)
{
    EntryRow row;
    row.record = record;
    row.blank = 0;
    // A time or detail not recorded shows as an empty cell, as typed.
    for (int col = Start; col < Count; ++col)
        if (entryColumn(col).field->unset(record))
            row.blank |= columnBit(col);
    return row;
}

bool EntryGridModel::invalid(int row, int col) const
{
    return inside(row, col) && entryRow(row).invalid(col);
}

Shown EntryGridModel::derived(int row, int col) const
{
    const auto derive = inside(row, col) ? entryColumn(col).derive : nullptr;
    return derive ? derive(entryRow(row), lists_) : Shown();
}

bool EntryGridModel::inUse(int row) const
{
    return !derived(row, Shuushi).text.isEmpty();
}

void EntryGridModel::listsChanged()
{
    markChanged();
}
