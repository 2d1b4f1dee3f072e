#include "ui/entry/entry_columns.h"

#include "core/util/numbers.h"
#include "ui/result_colors.h"

using namespace Qt::StringLiterals;

bool isTextColumn(int col)
{
    using namespace EntryColumn;
    return col == Year || col == Month || col == Day || col == Toushi || col == Kaishuu ||
           col == Comment || col == Start || col == End;
}

bool isListColumn(int col)
{
    return col == EntryColumn::StoreName || col == EntryColumn::MachineName;
}

int typingLimit(int col)
{
    switch (col) {
    case EntryColumn::Year: return 4;
    case EntryColumn::Month:
    case EntryColumn::Day: return 2;
    case EntryColumn::Start:
    case EntryColumn::End: return 5; // "10:30"
    default: return 40;
    }
}

int tabStep(int col)
{
    switch (col) {
    case EntryColumn::Day:
    case EntryColumn::Shuushi:
    case EntryColumn::StoreName: return 2;
    case EntryColumn::Kaishuu: return 3;
    default: return 1;
    }
}

CellColors entryCellColors(int col, const QString &text)
{
    CellColors colors{kGridBack.rgb(), kGridText.rgb()};
    if (col == EntryColumn::Youbi) {
        colors.back = kComputedBack;
        if (text == u"土"_s)
            colors.fore = kGridBlueText.rgb();
        else if (text == u"日"_s)
            colors.fore = kGridRedText.rgb();
    } else if (col == EntryColumn::Shuushi) {
        colors.back = kComputedBack;
        if (Val(text) < 0)
            colors.fore = kGridRedText.rgb();
    }
    return colors;
}
