#pragma once
// One step of the entry window's undo history: a person's change of the grid
// (typing into a cell, a paste, a cut, a clear, inserted or deleted rows, a
// sort) kept as the rows it replaced and the rows that took their place.

#include "ui/entry/entry_grid_model.h"

#include <QUndoCommand>
#include <functional>

// The current cell and the selected rectangle.
struct GridSelection {
    int row = 0, col = 0, rowSel = 0, colSel = 0;
};

// Rows first .. first + before.size() − 1 became the rows `after`.
struct RowSplice {
    int first = 0;
    QList<EntryRow> before;
    QList<EntryRow> after;
};

// Typing in one cell merges into one step until the person leaves the cell.
struct TypingCell {
    int row = -1, col = -1;
    int visit = -1; // which stay in the cell (counted by the window)
};

class GridEdit : public QUndoCommand {
public:
    using Typing = TypingCell;

    GridEdit(EntryGridModel &model, const QString &text, QList<RowSplice> splices,
             GridSelection selBefore, GridSelection selAfter,
             std::function<void(const GridSelection &)> shown, Typing typing = {});

    void undo() override;
    void redo() override;
    int id() const override { return typing_.row >= 0 ? 1 : -1; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    EntryGridModel &model_;
    QList<RowSplice> splices_;
    GridSelection selBefore_, selAfter_;
    std::function<void(const GridSelection &)> shown_; // puts the selection back
    Typing typing_;
    bool done_ = true; // pushed after the change was made
};
