// The statistics window's result grid and totals block.

#include "ui/statistics/toukei_table.h"

#include "core/model/shared_data.h"
#include "core/statistics/totals_text.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/result_colors.h"
#include "ui/statistics/toukei.h"
#include "ui/statistics/toukei_labels.h"
#include "ui/twips.h"
#include "ui/widgets/data_grid.h"

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
struct Column {
    const char16_t *title;
    int baseWidth;
    GridAlign titleAlign;
    GridAlign cellAlign;
};

constexpr int kColumns = 10;
constexpr int kBaseTotal = 9050;
constexpr auto C = GridAlign::Center, R = GridAlign::Right, L = GridAlign::Left;
constexpr std::array<Column, kColumns> kColumnsTable{{
    {u"年", 500, C, R},
    {u"月", 350, C, R},
    {u"日", 350, C, R},
    {u"曜", 350, C, L},
    {u"投資", 800, C, R},
    {u"回収", 800, C, R},
    {u"収支", 900, C, R},
    {u"店名", 1600, L, L},
    {u"台名", 1600, L, L},
    {u"コメント", 1800, L, L},
}};

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
} // namespace

QList<int> GridColWidths(int windowWidth)
{
    const qint32 g = windowWidth - 400;
    QList<int> widths;
    for (const Column &c : kColumnsTable)
        widths.append(int(std::nearbyint(double(qint32(c.baseWidth) * (g - 400)) / kBaseTotal)));
    return widths;
}

void Toukei::GridInitialize()
{
    HGrid->SetCols(kColumns);
    HGrid->SetRows(2);
    HGrid->SetFixedRows(1);
    HGrid->SetFixedCols(0);
    ColWidthSet();
    ColAlignSet();
    TitleWrite();
}

void Toukei::ColWidthSet()
{
    colWidths_ = GridColWidths(int(std::lround(PixelsToTwips(width()))));
    for (int i = 0; i < kColumns; ++i)
        HGrid->SetColWidth(i, colWidths_[i]);
}

void Toukei::ColAlignSet()
{
    for (int i = 0; i < kColumns; ++i) {
        HGrid->SetFixedAlignment(i, kColumnsTable[i].titleAlign);
        HGrid->SetColAlignment(i, kColumnsTable[i].cellAlign);
    }
}

void Toukei::TitleWrite()
{
    for (qint16 i = 0; i < kColumns; ++i)
        CellWrite(0, i, QString::fromUtf16(kColumnsTable[i].title));
}

void Toukei::CellWrite(qint32 Row, qint16 Col, const QString &Text)
{
    HGrid->SetRow(Row);
    HGrid->SetCol(Col);
    HGrid->SetText(Text);
}

void Toukei::CellWriteColor(qint32 Row, qint16 Col, const QString &Text)
{
    QColor fore = kBlack;
    if (Col == 3 && Text == u"土"_s)
        fore = kGridBlueText;
    else if (Col == 3 && Text == u"日"_s)
        fore = kGridRedText;
    else if (Col == 6 && Val(Text) < 0)
        fore = kGridRedText;
    HGrid->SetRow(Row);
    HGrid->SetCol(Col);
    HGrid->SetCellBackColor(Row % 2 == 1 ? kGridTint : kWhite);
    HGrid->SetCellForeColor(fore);
    HGrid->SetText(Text);
}

void Toukei::DataWrite()
{
    DataWrite_States();
    DataWrite_Data();
}

void Toukei::DataWrite_States()
{
    HKikan->SetCaption(sel_.Kikan);
    HSeiseki->SetCaption(SeisekiText(sel_.TKachi, sel_.TMake, sel_.TWake));
    HKachikin->SetCaption(FormatYen(sel_.TKachiKin));
    HToushi->SetCaption(FormatYen(sel_.TToushi));
    HKaishuu->SetCaption(FormatYen(sel_.TKaishuu));
    HToushiAve->SetCaption(AverageYen(sel_.TToushi, sel_.Count()));
    HKaishuuAve->SetCaption(AverageYen(sel_.TKaishuu, sel_.Count()));
}

void Toukei::DataWrite_Data()
{
    const qint32 n = sel_.Count();
    if (n == 0) {
        // Down to the title row first, so that the row starts without the
        // colours of an earlier selection.
        HGrid->SetRows(1);
        HGrid->SetRows(2);
        const QString nothing[] = {u"該"_s, u"当"_s, u"な"_s, u"し"_s};
        for (qint16 c = 0; c < kColumns; ++c)
            CellWrite(1, c, c < 4 ? nothing[c] : QString());
    } else {
        HGrid->SetRows(n + 1);
        for (qint32 i = 1; i <= n; ++i) {
            const PlayRecord &r = sel_.TData[i - 1];
            QString youbi;
            YoubiGet(youbi, r.DYear, r.DMonth, r.DDay);
            CellWriteColor(i, 0, FormatBlankZero(r.DYear));
            CellWriteColor(i, 1, FormatBlankZero(r.DMonth));
            CellWriteColor(i, 2, FormatBlankZero(r.DDay));
            CellWriteColor(i, 3, youbi);
            CellWriteColor(i, 4, FormatGrouped(r.DToushi));
            CellWriteColor(i, 5, FormatGrouped(r.DKaishuu));
            CellWriteColor(i, 6, FormatGrouped(double(r.Balance())));
            CellWriteColor(i, 7, shared_.Stores.SeekName(r.DSId));
            CellWriteColor(i, 8, shared_.Machines.SeekName(r.DMId));
            CellWriteColor(i, 9, r.DComment);
        }
    }
    HGrid->SetRow(0);
    HGrid->SetCol(1);
}
