#pragma once
// The columns of the entry grid, one row of kEntryColumns each: title, width,
// alignments, how the person fills the cell, typing limit and Tab step, and
// either the record field behind the cell (a value column: its reader and
// its own form) or how the cell is derived from the row (weekday, balance,
// names). A new column is a new row of the table. The two play-time columns
// follow the twelve of the record, and the visit's details (rate, spins,
// jackpots, tags) follow them, beyond what the window shows at its default
// size.

#include "core/model/play_record.h"
#include "core/statistics/table_roles.h"
#include "ui/widgets/data_grid.h"

#include <QList>
#include <QRgb>
#include <QString>

class SMData;

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
    Rate = 14,  // the visit's details: レート
    Spins = 15, // 回転数
    Jackpots = 16,
    Tags = 17,
    Count = 18
};
} // namespace EntryColumn

// The columns the window shows at its default size, which fill its grid
// there; the columns from here on are reached by scrolling (or seen in a
// larger window).
inline constexpr int kShownAtDefault = EntryColumn::Rate;

inline quint32 columnBit(int col)
{
    return quint32(1) << col;
}

// A value cell shown as typed, where that differs from its field's own form
// ("１０００", "01") or is no value at all ("12a").
struct TypedText {
    int col = 0;
    QString text;
    friend bool operator==(const TypedText &, const TypedText &) = default;
};

// One row of the grid: the play record it stands for, and what of its value
// cells is not simply the field (blank, shown as typed, not readable).
struct EntryRow {
    PlayRecord record;
    QList<TypedText> typed;
    quint32 blank = ~0u;    // value cells that are empty
    quint32 unreadable = 0; // value cells whose text is no number (no clock time)
    quint32 tooWide = 0;    // value cells whose number does not fit the record's field

    // True when a value cell holds a text that storing must refuse.
    bool invalid(int col) const { return ((unreadable | tooWide) & columnBit(col)) != 0; }
    friend bool operator==(const EntryRow &, const EntryRow &) = default;
};

// How a value cell's text went into its field: read, and in the field's own
// form ("2001") or in another ("２００１", "01"); no value; too wide for it.
enum class CellRead { OwnForm, OtherForm, NoValue, TooWide };

// The record field behind a value cell.
struct ValueField {
    QString (*show)(const PlayRecord &);                 // own form; "" when empty
    CellRead (*read)(PlayRecord &, const QString &text); // a text that is not empty
    void (*clear)(PlayRecord &);
    // An optional field (a time, a detail): true when it is not recorded,
    // which shows as an empty cell. Other fields always have a value.
    bool (*unset)(const PlayRecord &) = nullptr;
};

// A derived cell as shown: its text and the tone of its text.
struct Shown {
    QString text;
    Tone tone = Tone::Plain;
};
// What derived cells read besides their row.
struct EntryLists {
    const SMData &stores;
    const SMData &machines;
};

enum class CellInput {
    Typed,  // typed on the grid or in the input box
    Listed, // typed on the grid, or chosen in the drop-down list of its values
    Chosen, // chosen in the drop-down list (it writes the ID column to its left)
    None,   // derived or hidden: only the clipboard and the lists change it
};

struct EntryColumnSpec {
    const char16_t *title;
    int weight;             // width at the default size; those shown there add up to 9300
    bool stretch;           // shares the room the grid has beyond that
    const char16_t *widest; // a text the column shows whole (besides its title)
    GridAlign titleAlign;
    GridAlign cellAlign;
    CellInput input;
    int typingLimit; // characters typed on the grid
    int tabStep;     // columns Tab moves on; 0: to the year of the next row
    const ValueField *field;
    Shown (*derive)(const EntryRow &, const EntryLists &);
};

extern const EntryColumnSpec kEntryColumns[EntryColumn::Count];
inline constexpr int kEntryWeightSum = 9300;

inline const EntryColumnSpec &entryColumn(int col)
{
    return kEntryColumns[col];
}
// Cells typed into on the grid.
inline bool isTextColumn(int col)
{
    const CellInput input = entryColumn(col).input;
    return input == CellInput::Typed || input == CellInput::Listed;
}
// Cells the input box edits.
inline bool isBoxColumn(int col)
{
    return entryColumn(col).input == CellInput::Typed;
}
// The names chosen in the store and machine lists, with their IDs to the left.
inline bool isListColumn(int col)
{
    return entryColumn(col).input == CellInput::Chosen;
}
// Cells whose drop-down list stands in the input box's place.
inline bool showsList(int col)
{
    const CellInput input = entryColumn(col).input;
    return input == CellInput::Chosen || input == CellInput::Listed;
}
// Columns whose text is read into the record.
inline bool isValueColumn(int col)
{
    return entryColumn(col).field != nullptr;
}

// The grey of the derived columns' cells.
inline constexpr QRgb kComputedBack = qRgb(244, 244, 244);
