#include "core/statistics/day_list_model.h"

#include "core/model/master_list.h"
#include "core/model/play_time.h"
#include "core/model/record_table.h"
#include "core/model/visit_details.h"
#include "core/statistics/period_summary.h"
#include "core/util/numbers.h"

#include <algorithm>

using namespace Qt::StringLiterals;

void DayListModel::SetVisits(const Data &data, const SMData &Stores, const SMData &Machines,
                             const QList<qint32> &records, qint32 WakeKin)
{
    beginResetModel();
    rows_.clear();
    rows_.reserve(records.size());
    for (const qint32 n : records) {
        const PlayRecord &r = data.Record(n);
        Tone tone = Tone::Plain;
        switch (Classify(r.Balance(), WakeKin)) {
        case Outcome::Win: tone = Tone::Win; break;
        case Outcome::Loss: tone = Tone::Loss; break;
        case Outcome::Draw: break;
        }
        rows_.append(Row{r, Stores.SeekName(r.DSId), Machines.SeekName(r.DMId), tone});
    }
    endResetModel();
}

int DayListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int DayListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QString DayListModel::TimeText(const PlayRecord &record)
{
    if (record.startMinute == kNoTime && record.endMinute == kNoTime)
        return QString();
    return FormatClockTime(record.startMinute) + u"～"_s + FormatClockTime(record.endMinute);
}

bool DayListModel::HasRates() const
{
    return std::any_of(rows_.cbegin(), rows_.cend(),
                       [](const Row &row) { return row.record.rate.IsSet(); });
}

bool DayListModel::HasTags() const
{
    return std::any_of(rows_.cbegin(), rows_.cend(),
                       [](const Row &row) { return !row.record.tags.isEmpty(); });
}

QVariant DayListModel::display(const Row &row, int column) const
{
    const PlayRecord &r = row.record;
    switch (column) {
    case ColStore: return row.store;
    case ColMachine: return row.machine;
    case ColRate: return RateText(r.rate);
    case ColTime: return TimeText(r);
    case ColToushi: return FormatGrouped(r.DToushi);
    case ColKaishuu: return FormatGrouped(r.DKaishuu);
    case ColBalance: return FormatGrouped(double(r.Balance()));
    case ColTags: return TagsText(r.tags);
    case ColComment: return r.DComment;
    default: return QVariant();
    }
}

QVariant DayListModel::value(const Row &row, int column) const
{
    const PlayRecord &r = row.record;
    switch (column) {
    case ColStore: return row.store;
    case ColMachine: return row.machine;
    // In the order of the summary's rate rows; visits without one last.
    case ColRate: {
        const std::optional<qint64> order = RateOrder(r.rate);
        return order ? QVariant(*order) : QVariant();
    }
    // By start; a visit without one by its end, after those with a start;
    // visits without times have no value and go last.
    case ColTime:
        if (r.startMinute != kNoTime)
            return qint64(r.startMinute);
        return r.endMinute != kNoTime ? QVariant(24 * 60 + qint64(r.endMinute)) : QVariant();
    case ColToushi: return qint64(r.DToushi);
    case ColKaishuu: return qint64(r.DKaishuu);
    case ColBalance: return r.Balance();
    case ColTags: return r.tags.isEmpty() ? QVariant() : QVariant(TagsText(r.tags));
    case ColComment: return r.DComment;
    default: return QVariant();
    }
}

QVariant DayListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Row &row = rows_[index.row()];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole: return display(row, column);
    case ValueRole: return value(row, column);
    case ToneRole: return column == ColBalance ? QVariant(int(row.tone)) : QVariant();
    case Qt::TextAlignmentRole: {
        const Qt::Alignment h = column >= ColToushi && column <= ColBalance ? Qt::AlignRight
                                : column == ColTime                         ? Qt::AlignHCenter
                                                                            : Qt::AlignLeft;
        return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    default: return QVariant();
    }
}

QVariant DayListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return QVariant();
    static const char16_t *const titles[kColumns] = {
        u"店名", u"台名", u"レート", u"時間", u"投資", u"回収", u"収支", u"タグ", u"コメント"};
    switch (role) {
    case Qt::DisplayRole: return QString::fromUtf16(titles[section]);
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default: return QVariant();
    }
}
