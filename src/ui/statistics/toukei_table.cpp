// The statistics window's result grid and totals block.

#include "ui/statistics/toukei_table.h"

#include "core/model/shared_data.h"
#include "core/statistics/result_grid_model.h"
#include "core/statistics/totals_text.h"
#include "core/util/numbers.h"
#include "ui/statistics/result_grid.h"
#include "ui/statistics/toukei.h"
#include "ui/statistics/toukei_labels.h"
#include "ui/twips.h"

#include <array>
#include <cmath>

namespace {
constexpr int kBaseTotal = 9050;
// The columns' base widths in twips; they share the grid's width in these
// proportions.
constexpr std::array<int, ResultGridModel::kColumns> kBaseWidths{500, 350, 350,  350,  800,
                                                                 800, 900, 1600, 1600, 1800};
} // namespace

QList<int> GridColWidths(int windowWidth)
{
    const qint32 g = windowWidth - 400;
    QList<int> widths;
    for (const int base : kBaseWidths)
        widths.append(int(std::nearbyint(double(qint32(base) * (g - 400)) / kBaseTotal)));
    return widths;
}

void Toukei::GridInitialize()
{
    ColWidthSet();
}

void Toukei::ColWidthSet()
{
    colWidths_ = GridColWidths(int(std::lround(PixelsToTwips(width()))));
    for (int i = 0; i < ResultGridModel::kColumns; ++i)
        HGrid->SetColWidth(i, colWidths_[i]);
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
    gridModel_->SetRecords(sel_.TData, shared_.Stores, shared_.Machines);
    HGrid->SetTitleCurrent(1);
}
