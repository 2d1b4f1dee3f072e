#include "core/statistics/ranking.h"

#include "core/model/record_table.h"
#include "core/statistics/graph_series.h"
#include "core/util/tool.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
constexpr int kMaxId = 999;
constexpr qsizetype kMaxRows = 32767; // the sort's row index is 16-bit

RankRow emptyRow()
{
    RankRow row;
    row[2] = kEmptyRank;
    return row;
}

void clearTable(RankTable &table)
{
    for (RankRow &row : table)
        row = emptyRow();
}

bool rankable(qint64 balance)
{
    return balance > kEmptyRank && balance <= std::numeric_limits<qint32>::max();
}

void countOutcome(RankRow &row, qint64 balance, qint32 WakeKin)
{
    switch (Classify(balance, WakeKin)) {
    case Outcome::Win: ++row[3]; break;
    case Outcome::Loss: ++row[4]; break;
    case Outcome::Draw: ++row[5]; break;
    }
}

// Best rows from the top of the order, worst from the bottom; the rest empty.
void fillBestWorst(const QList<RankRow> &sorted, RankTable &best, RankTable &worst)
{
    clearTable(best);
    clearTable(worst);
    const qsizetype n = sorted.size();
    for (qsizetype r = 0; r < best.size() && r < n; ++r) {
        best[r] = sorted[r];
        worst[r] = sorted[n - 1 - r];
    }
}

// Groups the records by an ID in 1..999 (0: not grouped), then orders them.
bool rankById(const QList<PlayRecord> &TData, qint32 WakeKin, qint16 PlayRecord::*key,
              RankTable &best, RankTable &worst, qint32 &count)
{
    QList<RankRow> rows;
    QList<qint64> sums;
    std::array<qint16, kMaxId + 1> index{}; // ID → row + 1; 0 = not seen yet
    bool ok = true;
    for (const PlayRecord &r : TData) {
        const qint16 id = r.*key;
        if (id == 0)
            continue;
        if (id < 1 || id > kMaxId) {
            ok = false;
            break;
        }
        if (index[id] == 0) {
            RankRow row;
            row[1] = id;
            rows.append(row);
            sums.append(0);
            index[id] = static_cast<qint16>(rows.size());
        }
        const qsizetype g = index[id] - 1;
        sums[g] += r.Balance();
        countOutcome(rows[g], r.Balance(), WakeKin);
    }
    for (qsizetype g = 0; ok && g < rows.size(); ++g) {
        ok = rankable(sums[g]);
        rows[g][2] = static_cast<qint32>(sums[g]);
    }
    if (!ok) {
        clearTable(best);
        clearTable(worst);
        count = 0;
        return false;
    }
    SortGroups(rows);
    fillBestWorst(rows, best, worst);
    count = static_cast<qint32>(rows.size());
    return true;
}

// The eligible row of highest field 2, the lowest position on ties, over the
// positions not yet removed; single positions replaceable. Each node holds the
// best key of its leaves, the key ordering balance first, then lower position,
// so that a node is the plain maximum of its two children.
class MaxTree {
public:
    explicit MaxTree(const QList<RankRow> &rows) : rows_(rows)
    {
        while (size_ < rows.size())
            size_ *= 2;
        tree_.assign(static_cast<size_t>(2 * size_), kNone);
        for (qsizetype i = 0; i < rows.size(); ++i)
            tree_[static_cast<size_t>(size_ + i)] = key(i);
        for (qsizetype i = size_ - 1; i >= 1; --i)
            pull(i);
    }
    void Refresh(qsizetype pos) { set(pos, key(pos)); }
    void Remove(qsizetype pos) { set(pos, kNone); }
    // Best remaining position, or -1.
    qsizetype Best() const
    {
        const qint64 k = tree_[1];
        return k == kNone ? -1 : kMaxPosition - (k & kPositionMask);
    }

private:
    static constexpr qint64 kNone = std::numeric_limits<qint64>::min();
    static constexpr qint64 kPositionMask = 0xFFFFFFFF;
    static constexpr qint64 kMaxPosition = 0x7FFFFFFF;

    qint64 key(qsizetype i) const
    {
        const RankRow &r = rows_[i];
        if (r[1] == 0 || r[2] <= kEmptyRank)
            return kNone;
        return qint64(r[2]) * (kPositionMask + 1) + (kMaxPosition - i);
    }
    void set(qsizetype pos, qint64 k)
    {
        qsizetype i = size_ + pos;
        tree_[static_cast<size_t>(i)] = k;
        for (i /= 2; i >= 1; i /= 2)
            pull(i);
    }
    void pull(qsizetype i)
    {
        tree_[static_cast<size_t>(i)] =
            std::max(tree_[static_cast<size_t>(2 * i)], tree_[static_cast<size_t>(2 * i + 1)]);
    }

    const QList<RankRow> &rows_;
    qsizetype size_ = 1;
    std::vector<qint64> tree_;
};
} // namespace

Rankings::Rankings()
    : RStore(5), RStoreW(5), RMachine(5), RMachineW(5), RYoubi(7), RShouhai(5), RShouhaiW(5)
{}

QString YoubiName(qint32 number)
{
    static const char16_t *const kNames[] = {u"--", u"日", u"月", u"火",
                                             u"水", u"木", u"金", u"土"};
    return QString::fromUtf16(kNames[number >= 1 && number <= 7 ? number : 0]);
}

QString DateErrorMessage()
{
    return u"日付データにエラーがあります"_s;
}

QString RankOutOfRangeMessage()
{
    return u"店や台のIDが範囲外か、金額が大きすぎるデータがあるため、一部のランキングを表示できません"_s;
}

void SortGroups(QList<RankRow> &rows)
{
    // Selection sort: for each j take the first row of highest balance in
    // j..n and swap it with row j. Rows before j have left the tree, so its
    // root is that row; only the two swapped positions change.
    MaxTree tree(rows);
    for (qsizetype j = 0; j + 1 < rows.size(); ++j) {
        const qsizetype m = tree.Best();
        if (m < 0)
            break; // no eligible row left: nothing moves any more
        if (m != j) {
            std::swap(rows[j], rows[m]);
            tree.Refresh(m);
        }
        tree.Remove(j);
    }
}

bool CalcRank_Store(const QList<PlayRecord> &TData, qint32 WakeKin, Rankings &ranks)
{
    return rankById(TData, WakeKin, &PlayRecord::DSId, ranks.RStore, ranks.RStoreW,
                    ranks.StoreCount);
}

bool CalcRank_Machine(const QList<PlayRecord> &TData, qint32 WakeKin, Rankings &ranks)
{
    return rankById(TData, WakeKin, &PlayRecord::DMId, ranks.RMachine, ranks.RMachineW,
                    ranks.MachineCount);
}

bool CalcRank_Youbi(const QList<PlayRecord> &TData, qint32 WakeKin, Rankings &ranks,
                    bool &DateError)
{
    static const QString kOrder = u"日月火水木金土"_s;
    std::array<RankRow, 8> days{};
    std::array<qint64, 8> sums{};
    for (int k = 0; k <= 7; ++k)
        days[static_cast<size_t>(k)][1] = k;
    for (const PlayRecord &r : TData) {
        QString youbi;
        if (!YoubiGet(youbi, r.DYear, r.DMonth, r.DDay)) {
            DateError = true;
            return true; // RYoubi keeps what it held
        }
        const auto k = static_cast<size_t>(kOrder.indexOf(youbi) + 1);
        sums[k] += r.Balance();
        countOutcome(days[k], r.Balance(), WakeKin);
    }
    for (size_t k = 1; k <= 7; ++k) {
        if (!rankable(sums[k])) {
            clearTable(ranks.RYoubi);
            return false;
        }
        days[k][2] = static_cast<qint32>(sums[k]);
    }
    // Seven rounds of "first weekday of highest balance"; the chosen one drops out.
    for (qsizetype r = 0; r < 7; ++r) {
        size_t m = 1;
        qint32 max = kEmptyRank;
        for (size_t k = 1; k <= 7; ++k) {
            if (days[k][2] > max && days[k][1] != 0) {
                max = days[k][2];
                m = k;
            }
        }
        ranks.RYoubi[r] = days[m];
        days[m][2] = kEmptyRank;
    }
    return true;
}

bool CalcRank_Shouhai(const QList<PlayRecord> &TData, Rankings &ranks)
{
    QList<RankRow> rows;
    rows.reserve(TData.size());
    bool ok = TData.size() <= kMaxRows;
    for (qsizetype i = 0; ok && i < TData.size(); ++i) {
        ok = rankable(TData[i].Balance());
        RankRow row;
        row[1] = static_cast<qint32>(i + 1);
        row[2] = static_cast<qint32>(TData[i].Balance());
        rows.append(row);
    }
    if (!ok) {
        clearTable(ranks.RShouhai);
        clearTable(ranks.RShouhaiW);
        return false;
    }
    SortGroups(rows);
    for (RankRow &row : rows) {
        const PlayRecord &p = TData[row[1] - 1];
        row[3] = p.DYear;
        row[4] = p.DMonth;
        row[5] = p.DDay;
    }
    fillBestWorst(rows, ranks.RShouhai, ranks.RShouhaiW);
    return true;
}

QStringList CalcRank(const QList<PlayRecord> &TData, qint32 WakeKin, GraphSeries &graph,
                     Rankings &ranks)
{
    Calc_Graph(TData, graph);
    bool dateError = false;
    bool ok = CalcRank_Store(TData, WakeKin, ranks);
    ok = CalcRank_Machine(TData, WakeKin, ranks) && ok;
    ok = CalcRank_Youbi(TData, WakeKin, ranks, dateError) && ok;
    ok = CalcRank_Shouhai(TData, ranks) && ok;
    QStringList messages;
    if (dateError)
        messages << DateErrorMessage();
    if (!ok)
        messages << RankOutOfRangeMessage();
    return messages;
}
