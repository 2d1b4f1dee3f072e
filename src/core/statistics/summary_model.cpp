#include "core/statistics/summary_model.h"

#include "core/statistics/table_roles.h"
#include "core/util/numbers.h"

namespace {
bool isAmount(int column)
{
    return column == ColToushi || column == ColKaishuu || column == ColBalance ||
           column == ColAverage || column == ColBest || column == ColWorst || column == ColHourly;
}
} // namespace

void SummaryModel::SetSummary(SummaryGrouping grouping, PeriodSummary summary)
{
    beginResetModel();
    grouping_ = grouping;
    summary_ = std::move(summary);
    texts_.clear();
    texts_.reserve(summary_.Rows.size() + 1);
    for (int row = 0; row <= summary_.Rows.size(); ++row) {
        QStringList texts = SummaryTexts(RowAt(row));
        for (int c = 0; c < kSummaryColumns; ++c)
            if (isAmount(c))
                texts[c] = YenForDisplay(texts[c]);
        texts_.append(texts);
    }
    endResetModel();
}

const SummaryRow &SummaryModel::RowAt(int row) const
{
    return row < summary_.Rows.size() ? summary_.Rows.at(row) : summary_.Total;
}

int SummaryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(texts_.size());
}

int SummaryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kSummaryColumns;
}

QVariant SummaryModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int row = index.row(), column = index.column();
    switch (role) {
    case Qt::DisplayRole: return texts_.at(row).at(column);
    case Qt::TextAlignmentRole:
        return int((column == ColGroup ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    case ValueRole: return SummaryValue(RowAt(row), column);
    case ToneRole: return toneAt(row, column);
    case ExportRole: return SummaryValues(RowAt(row)).at(column);
    case PinnedRole: return row == summary_.Rows.size();
    default: return QVariant();
    }
}

QVariant SummaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kSummaryColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole: return SummaryTitles(grouping_).at(section);
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    case ExportRole: return SummaryValueTitles(grouping_).at(section);
    default: return QVariant();
    }
}

int SummaryModel::toneAt(int row, int column) const
{
    const SummaryRow &r = RowAt(row);
    if (isAmount(column)) {
        // The sign of what is shown: an average of -0.4 shows ¥0, not a loss.
        const QVariant v = SummaryValue(r, column);
        return int(v.isNull() ? Tone::Plain : AmountTone(v.toLongLong()));
    }
    const bool group = row < summary_.Rows.size();
    if (column == ColGroup && group && grouping_ == SummaryGrouping::Weekday) {
        if (r.Order == 0)
            return int(Tone::Sunday);
        if (r.Order == 6)
            return int(Tone::Saturday);
    }
    return int(Tone::Plain);
}
