#pragma once
// The columns of the entry grid and the rules tied to them: titles, width
// weights, alignments, typing limits, Tab steps and the colour rule. The two
// play-time columns follow the twelve of the record.

#include "ui/widgets/data_grid.h"

#include <QRgb>
#include <QString>

namespace EntryColumn {
enum : int {
    Year = 0,
    Month = 1,
    Day = 2,
    Youbi = 3,
    Toushi = 4,
    Kaishuu = 5,
    Shuushi = 6,
    StoreId = 7,
    StoreName = 8,
    MachineId = 9,
    MachineName = 10,
    Comment = 11,
    Start = 12, // play time: when the visit began
    End = 13,   // and ended
    Count = 14
};
} // namespace EntryColumn

struct EntryColumnSpec {
    const char16_t *title;
    int weight; // share of the grid width; the weights add up to 9300
    GridAlign titleAlign;
    GridAlign cellAlign;
};

inline constexpr EntryColumnSpec kEntryColumns[EntryColumn::Count] = {
    {u"年", 500, GridAlign::Center, GridAlign::Right},
    {u"月", 350, GridAlign::Center, GridAlign::Right},
    {u"日", 350, GridAlign::Center, GridAlign::Right},
    {u"曜", 350, GridAlign::Center, GridAlign::Left},
    {u"投資", 800, GridAlign::Center, GridAlign::Right},
    {u"回収", 800, GridAlign::Center, GridAlign::Right},
    {u"収支", 950, GridAlign::Center, GridAlign::Right},
    {u"", 0, GridAlign::Center, GridAlign::Right}, // store ID, hidden
    {u"店名", 1400, GridAlign::Left, GridAlign::Left},
    {u"", 0, GridAlign::Center, GridAlign::Right}, // machine ID, hidden
    {u"台名", 1400, GridAlign::Left, GridAlign::Left},
    {u"コメント", 1300, GridAlign::Left, GridAlign::Left},
    {u"開始", 550, GridAlign::Center, GridAlign::Center},
    {u"終了", 550, GridAlign::Center, GridAlign::Center},
};
inline constexpr int kEntryWeightSum = 9300;

// Columns typed on the grid or in the input box (year, month, day, amounts,
// comment, times).
bool isTextColumn(int col);
// Columns chosen in the drop-down list (store and machine names).
bool isListColumn(int col);
// Most characters a cell takes when typed on the grid.
int typingLimit(int col);
// How far Tab moves from a column (from the comment and the end time it goes
// to the next row).
int tabStep(int col);

// Colour rule of a data cell, in the grids' colours (result_colors.h) on
// white: grey background for the computed columns, Saturday blue, Sunday red,
// a negative balance red.
struct CellColors {
    QRgb back;
    QRgb fore;
};
CellColors entryCellColors(int col, const QString &text);

inline constexpr QRgb kComputedBack = qRgb(244, 244, 244);
