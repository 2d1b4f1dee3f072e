// The visit's details in the entry grid: the rate list and the rate a new
// visit takes from its store, and the completion of tags.

#include "core/model/visit_details.h"
#include "ui/entry/entry_columns.h"
#include "ui/entry/entry_grid_model.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/widgets/data_grid.h"
#include "ui/widgets/tag_completer.h"

#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace EntryColumn;

void Nyuuryoku::rateListFill()
{
    // The usual rates and every other rate of the grid, in one fixed order
    // that the person learns: balls before medals, the dearer first.
    QList<PlayRate> rates = StandardRates();
    for (qint32 r = 1; r < IGrid->Rows(); ++r) {
        const PlayRate &rate = rows_->entryRow(r).record.rate;
        if (rate.IsSet() && !rates.contains(rate))
            rates.append(rate);
    }
    std::sort(rates.begin(), rates.end(), [](const PlayRate &a, const PlayRate &b) {
        return a.kind != b.kind ? a.kind < b.kind : a.price > b.price;
    });
    const QSignalBlocker blocker(ICombo);
    if (rates != rateChoices_) {
        rateChoices_ = rates;
        ICombo->clear();
        for (const PlayRate &rate : rateChoices_)
            ICombo->addItem(RateText(rate));
    }
    // Nothing chosen while the cell is empty or holds no rate.
    const PlayRate &current = rows_->entryRow(IGrid->Row()).record.rate;
    ICombo->setCurrentIndex(current.IsSet() ? int(rateChoices_.indexOf(current)) : -1);
}

void Nyuuryoku::rateChosen(int index)
{
    if (index < 0 || index >= rateChoices_.size())
        return;
    const qint32 row = IGrid->Row();
    recordChange(
        u"レートの選択"_s, {{row, 1, 1}},
        [&] { CellWrite(row, Rate, RateText(rateChoices_[index])); }, true);
}

void Nyuuryoku::takeLastRate(qint32 row)
{
    // A rate the person has typed or chosen stays; one this stay in the
    // store cell filled follows the store chosen last.
    const bool filled = rateTaken_.row == row && rateTaken_.visit == cellVisit_;
    if (!filled && !IGrid->TextMatrix(row, Rate).isEmpty())
        return;
    const qint16 store = rows_->invalid(row, StoreId) ? 0 : rows_->entryRow(row).record.DSId;
    LastRate last(store);
    if (store != 0)
        for (qint32 r = 1; r < IGrid->Rows(); ++r)
            if (r != row)
                last.Add(rows_->entryRow(r).record);
    CellWrite(row, Rate, RateText(last.Rate()));
    rateTaken_ = {row, cellVisit_};
}

void Nyuuryoku::completionSet()
{
    if (IGrid->Col() != Tags) {
        IText->setCompleter(nullptr);
        return;
    }
    // Every tag of the grid, the most used first.
    QHash<QString, int> uses;
    for (qint32 r = 1; r < IGrid->Rows(); ++r)
        for (const QString &tag : rows_->entryRow(r).record.tags)
            ++uses[tag];
    QStringList tags = uses.keys();
    std::sort(tags.begin(), tags.end(), [&uses](const QString &a, const QString &b) {
        const int ua = uses.value(a), ub = uses.value(b);
        return ua != ub ? ua > ub : a < b;
    });
    if (!tagCompleter_)
        tagCompleter_ = new TagCompleter(this);
    tagCompleter_->setTags(tags);
    IText->setCompleter(tagCompleter_);
}
