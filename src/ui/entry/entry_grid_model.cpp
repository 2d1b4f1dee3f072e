#include "ui/entry/entry_grid_model.h"

#include "core/model/play_time.h"
#include "core/util/numbers.h"
#include "ui/result_colors.h"

#include <limits>

using namespace Qt::StringLiterals;
using namespace EntryColumn;

namespace {
bool isTimeColumn(int col)
{
    return col == Start || col == End;
}

// The record field behind a value cell, as a number (times in minutes).
qint64 fieldOf(const PlayRecord &r, int col)
{
    switch (col) {
    case Year: return r.DYear;
    case Month: return r.DMonth;
    case Day: return r.DDay;
    case Toushi: return r.DToushi;
    case Kaishuu: return r.DKaishuu;
    case StoreId: return r.DSId;
    case MachineId: return r.DMId;
    case Start: return r.startMinute;
    case End: return r.endMinute;
    default: return 0;
    }
}

// Stores a whole number into the field; false when it does not fit.
bool setField(PlayRecord &r, int col, double value)
{
    switch (col) {
    case Year: return ToInt16(value, r.DYear);
    case Month: return ToInt16(value, r.DMonth);
    case Day: return ToInt16(value, r.DDay);
    case Toushi: return ToInt32(value, r.DToushi);
    case Kaishuu: return ToInt32(value, r.DKaishuu);
    case StoreId: return ToInt16(value, r.DSId);
    case MachineId: return ToInt16(value, r.DMId);
    default: return false;
    }
}

void clearField(PlayRecord &r, int col)
{
    if (isTimeColumn(col))
        (col == Start ? r.startMinute : r.endMinute) = kNoTime;
    else
        setField(r, col, 0);
}

// A value cell's own form: the date parts without a zero, amounts and IDs in
// plain decimal, times as "HH:MM".
QString ownForm(const PlayRecord &r, int col)
{
    const qint64 v = fieldOf(r, col);
    if (col == Year || col == Month || col == Day)
        return v == 0 ? QString() : QString::number(v);
    if (isTimeColumn(col))
        return FormatClockTime(qint16(v));
    return QString::number(v);
}

// Plain ASCII decimal without a leading zero ("0" itself, "-5"): the form
// most typed and pasted numbers already have, read without the general reader.
std::optional<qint64> plainDecimal(const QString &text)
{
    const qsizetype n = text.size();
    const bool minus = n > 0 && text[0] == u'-';
    const qsizetype digits = n - (minus ? 1 : 0);
    if (digits < 1 || digits > 10)
        return std::nullopt;
    qint64 v = 0;
    for (qsizetype i = minus ? 1 : 0; i < n; ++i) {
        const char16_t ch = text[i].unicode();
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
        v = v * 10 + (ch - u'0');
    }
    if ((digits > 1 && text[minus ? 1 : 0] == u'0') || (minus && v == 0))
        return std::nullopt; // "007", "-0": numbers, but not in their own form
    return minus ? -v : v;
}
} // namespace

bool isValueColumn(int col)
{
    switch (col) {
    case Year:
    case Month:
    case Day:
    case Toushi:
    case Kaishuu:
    case StoreId:
    case MachineId:
    case Start:
    case End: return true;
    default: return false;
    }
}

Qt::ItemFlags EntryGridModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = DataGridModel::flags(index);
    return isTextColumn(index.column()) ? flags | Qt::ItemIsEditable : flags;
}

QString EntryGridModel::text(int row, int col) const
{
    if (row >= 0 && row < fixedRows_ && col >= 0 && col < cols_)
        return titles_[size_t(col)];
    if (!inside(row, col))
        return QString();
    const EntryRow &r = entryRow(row);
    if (col == Comment)
        return r.record.DComment;
    if (!isValueColumn(col) || (r.typed & columnBit(col)))
        return r.shown[size_t(col)];
    if (r.blank & columnBit(col))
        return QString();
    return ownForm(r.record, col);
}

void EntryGridModel::setText(int row, int col, const QString &text)
{
    if (row >= 0 && row < fixedRows_ && col >= 0 && col < cols_) {
        titles_[size_t(col)] = text;
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    if (!inside(row, col))
        return;
    EntryRow &r = entries_[row - 1];
    markChanged();
    if (col == Comment) {
        r.record.DComment = text;
        return;
    }
    if (!isValueColumn(col)) {
        r.shown[size_t(col)] = text;
        return;
    }
    const quint16 bit = columnBit(col);
    r.typed &= ~bit;
    r.blank &= ~bit;
    r.unreadable &= ~bit;
    r.tooWide &= ~bit;
    r.shown[size_t(col)].clear();
    clearField(r.record, col);
    if (text.isEmpty()) {
        r.blank |= bit;
        return;
    }
    bool ownFormText = false;
    if (isTimeColumn(col)) {
        qint16 minute = kNoTime;
        if (ReadClockTime(text, minute)) {
            (col == Start ? r.record.startMinute : r.record.endMinute) = minute;
            ownFormText = text == FormatClockTime(minute);
        } else {
            r.unreadable |= bit;
        }
    } else if (const std::optional<qint64> plain = plainDecimal(text)) {
        if (setField(r.record, col, double(*plain)))
            ownFormText = !(*plain == 0 && (col == Year || col == Month || col == Day));
        else
            r.tooWide |= bit;
    } else if (const std::optional<double> value = ReadTypedNumber(text)) {
        if (!setField(r.record, col, *value))
            r.tooWide |= bit;
    } else {
        r.unreadable |= bit;
    }
    if (!ownFormText) {
        r.typed |= bit;
        r.shown[size_t(col)] = text;
    }
}

QRgb EntryGridModel::backColor(int row, int col) const
{
    if (!inside(row, col))
        return 0;
    return entryCellColors(col, QString()).back;
}

QRgb EntryGridModel::foreColor(int row, int col) const
{
    if (!inside(row, col))
        return 0;
    if (invalid(row, col))
        return kGridRedText.rgb(); // what storing will refuse stands out while it is typed
    if (col == Youbi || col == Shuushi)
        return entryCellColors(col, entryRow(row).shown[size_t(col)]).fore;
    return kGridText.rgb();
}

void EntryGridModel::setColors(int, int, QRgb, QRgb)
{
    // The colours follow the cell's column and text (entryCellColors).
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
    // A time not recorded shows as an empty cell, as typed.
    for (int col : {int(Start), int(End)})
        if (fieldOf(record, col) == kNoTime)
            row.blank |= columnBit(col);
    return row;
}

bool EntryGridModel::invalid(int row, int col) const
{
    if (!inside(row, col))
        return false;
    const EntryRow &r = entryRow(row);
    return ((r.unreadable | r.tooWide) & columnBit(col)) != 0;
}
