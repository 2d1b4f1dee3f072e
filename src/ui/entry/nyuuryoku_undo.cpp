// The entry window's undo history: every change of the grid made by the
// person is recorded as the rows it replaced and the rows that replaced them.

#include "ui/entry/entry_grid_model.h"
#include "ui/entry/entry_undo.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/widgets/data_grid.h"

#include <QUndoStack>

void Nyuuryoku::recordChange(const QString &what, const QList<RowSpan> &spans,
                             const std::function<void()> &change, bool typing)
{
    if (recording_) { // part of a larger change
        change();
        return;
    }
    recording_ = true;
    const Selection before = saveSel();
    QList<RowSplice> splices;
    for (const RowSpan &span : spans)
        splices.append({span.first, rows_->entryRows(span.first, span.before), {}});
    change();
    bool changed = false;
    for (qsizetype i = 0; i < splices.size(); ++i) {
        splices[i].after = rows_->entryRows(spans[i].first, spans[i].after);
        changed = changed || splices[i].after != splices[i].before;
    }
    recording_ = false;
    if (!changed)
        return;
    GridEdit::Typing cell;
    if (typing)
        cell = {before.row, before.col, cellVisit_};
    undoStack_->push(new GridEdit(
        *rows_, what, std::move(splices), before, saveSel(),
        [this](const Selection &sel) { selectionShown(sel); }, cell));
}

void Nyuuryoku::selectionShown(const Selection &sel)
{
    restoreSel(sel);
    firstKeySet(true);
    editorsFollow();
}
