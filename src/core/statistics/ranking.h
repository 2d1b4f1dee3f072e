#pragma once
// Rankings of the selection by store, machine, weekday and single visit.

#include "core/model/play_record.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

struct GraphSeries;

// Field 2 of a rank row that holds no group.
constexpr qint32 kEmptyRank = -100000000;

// One rank row of five fields, numbered 1..5 as the screens read them:
// stores and machines: ID, balance, wins, losses, draws;
// weekdays: weekday number (1 日 … 7 土), balance, wins, losses, draws;
// single visits: position in TData (1-based), balance, year, month, day.
struct RankRow {
    std::array<qint32, 5> f{};
    qint32 &operator[](int field) { return f[static_cast<size_t>(field - 1)]; }
    qint32 operator[](int field) const { return f[static_cast<size_t>(field - 1)]; }
    bool Empty() const { return (*this)[2] == kEmptyRank; }
    friend bool operator==(const RankRow &, const RankRow &) = default;
};

// Index 0 is rank 1.
using RankTable = QList<RankRow>;

struct Rankings {
    Rankings();
    RankTable RStore, RStoreW;     // 5 rows each
    RankTable RMachine, RMachineW; // 5 rows each
    RankTable RYoubi;              // 7 rows
    RankTable RShouhai, RShouhaiW; // 5 rows each
    qint32 StoreCount = 0;
    qint32 MachineCount = 0;
};

// Weekday names by number: "--", "日", "月", … "土".
QString YoubiName(qint32 number);

// Messages of CalcRank.
QString DateErrorMessage();      // "日付データにエラーがあります"
QString RankOutOfRangeMessage(); // IDs outside 1..999 or totals beyond 32 bits

// Runs Calc_Graph, then the store, machine, weekday and single-visit rankings,
// and returns the messages the window shows, in this order:
// DateErrorMessage when YoubiGet rejects a record date (RYoubi then stays as
// it was); RankOutOfRangeMessage (once) when a store or machine ID is outside
// 1..999 or a group balance leaves 32 bits or reaches the empty-row mark (that
// ranking is then all empty rows).
QStringList CalcRank(const QList<PlayRecord> &TData, qint32 WakeKin, GraphSeries &graph,
                     Rankings &ranks);

// The four rankings on their own (CalcRank runs them in this order).
// They return false when they met data they cannot rank (see above).
bool CalcRank_Store(const QList<PlayRecord> &TData, qint32 WakeKin, Rankings &ranks);
bool CalcRank_Machine(const QList<PlayRecord> &TData, qint32 WakeKin, Rankings &ranks);
// DateError is set when a date cannot be placed on a weekday.
bool CalcRank_Youbi(const QList<PlayRecord> &TData, qint32 WakeKin, Rankings &ranks,
                    bool &DateError);
bool CalcRank_Shouhai(const QList<PlayRecord> &TData, Rankings &ranks);

// Orders group rows by decreasing field 2 exactly as the selection sort
// "for j: take the first row of highest balance in j..n, swap it with row j"
// does, including where equal balances end up, in O(n log n).
void SortGroups(QList<RankRow> &rows);
