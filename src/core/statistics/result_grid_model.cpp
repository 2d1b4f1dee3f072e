#include "core/statistics/result_grid_model.h"

#include "core/model/master_list.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {
enum Column { Year, Month, Day, Weekday, Toushi, Kaishuu, Balance, Store, Machine, Comment };

struct ColumnInfo {
    const char16_t *title;
    Qt::Alignment titleAlign;
    Qt::Alignment cellAlign;
};

constexpr Qt::Alignment C = Qt::AlignHCenter, R = Qt::AlignRight, L = Qt::AlignLeft;
constexpr std::array<ColumnInfo, ResultGridModel::kColumns> kColumnInfo{{
    {u"年", C, R},
    {u"月", C, R},
    {u"日", C, R},
    {u"曜", C, L},
    {u"投資", C, R},
    {u"回収", C, R},
    {u"収支", C, R},
    {u"店名", L, L},
    {u"台名", L, L},
    {u"コメント", L, L},
}};

// The row of an empty selection: four characters over the narrow date
// columns that read 該当なし, nothing matches.
constexpr std::array<const char16_t *, 4> kNothing{u"該", u"当", u"な", u"し"};

// Sunday first, as a Japanese calendar counts the week.
constexpr QStringView kWeek = u"日月火水木金土";

QString weekday(const PlayRecord &r)
{
    QString youbi;
    YoubiGet(youbi, r.DYear, r.DMonth, r.DDay);
    return youbi;
}
} // namespace

void ResultGridModel::SetRecords(const QList<PlayRecord> &records, const SMData &stores,
                                 const SMData &machines)
{
    beginResetModel();
    records_ = records;
    storeNames_.clear();
    machineNames_.clear();
    storeNames_.reserve(records.size());
    machineNames_.reserve(records.size());
    for (const PlayRecord &r : records) {
        storeNames_.append(stores.SeekName(r.DSId));
        machineNames_.append(machines.SeekName(r.DMId));
    }
    endResetModel();
}

int ResultGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(int(records_.size()), 1);
}

int ResultGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

Qt::ItemFlags ResultGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return QVariant();
    if (role == Qt::DisplayRole)
        return QString::fromUtf16(kColumnInfo[section].title);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(kColumnInfo[section].titleAlign | Qt::AlignVCenter);
    return QVariant();
}

QVariant ResultGridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int row = index.row(), col = index.column();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(kColumnInfo[col].cellAlign | Qt::AlignVCenter);
    if (records_.isEmpty()) {
        if (role == Qt::DisplayRole)
            return col < int(kNothing.size()) ? QString::fromUtf16(kNothing[col]) : QString();
        return role == ToneRole ? QVariant(int(Tone::Plain)) : QVariant();
    }
    const PlayRecord &r = records_[row];
    switch (role) {
    case Qt::DisplayRole: return text(r, row, col);
    case ValueRole: return value(r, row, col);
    case ToneRole: return int(tone(r, col));
    default: return QVariant();
    }
}

QString ResultGridModel::text(const PlayRecord &r, int row, int col) const
{
    switch (col) {
    case Year: return FormatBlankZero(r.DYear);
    case Month: return FormatBlankZero(r.DMonth);
    case Day: return FormatBlankZero(r.DDay);
    case Weekday: return weekday(r);
    case Toushi: return FormatGrouped(r.DToushi);
    case Kaishuu: return FormatGrouped(r.DKaishuu);
    case Balance: return FormatGrouped(double(r.Balance()));
    case Store: return storeNames_[row];
    case Machine: return machineNames_[row];
    default: return r.DComment;
    }
}

QVariant ResultGridModel::value(const PlayRecord &r, int row, int col) const
{
    switch (col) {
    case Year: return r.DYear;
    case Month: return r.DMonth;
    case Day: return r.DDay;
    case Weekday: return int(kWeek.indexOf(weekday(r))); // "--" is -1, before Sunday
    case Toushi: return r.DToushi;
    case Kaishuu: return r.DKaishuu;
    case Balance: return r.Balance();
    default: return text(r, row, col);
    }
}

Tone ResultGridModel::tone(const PlayRecord &r, int col) const
{
    if (col == Weekday) {
        const QString youbi = weekday(r);
        return youbi == u"土"_s ? Tone::Saturday : youbi == u"日"_s ? Tone::Sunday : Tone::Plain;
    }
    return col == Balance ? AmountTone(r.Balance()) : Tone::Plain;
}
