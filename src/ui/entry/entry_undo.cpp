#include "ui/entry/entry_undo.h"

GridEdit::GridEdit(EntryGridModel &model, const QString &text, QList<RowSplice> splices,
                   GridSelection selBefore, GridSelection selAfter,
                   std::function<void(const GridSelection &)> shown, Typing typing)
    : QUndoCommand(text), model_(model), splices_(std::move(splices)), selBefore_(selBefore),
      selAfter_(selAfter), shown_(std::move(shown)), typing_(typing)
{}

void GridEdit::redo()
{
    if (done_) {
        done_ = false; // QUndoStack::push redoes what the window has just done
        return;
    }
    for (const RowSplice &s : splices_)
        model_.replaceRows(s.first, int(s.before.size()), s.after);
    shown_(selAfter_);
}

void GridEdit::undo()
{
    for (auto s = splices_.crbegin(); s != splices_.crend(); ++s)
        model_.replaceRows(s->first, int(s->after.size()), s->before);
    shown_(selBefore_);
}

bool GridEdit::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const GridEdit *>(other);
    const Typing &t = next->typing_;
    if (t.row != typing_.row || t.col != typing_.col || t.visit != typing_.visit ||
        splices_.size() != 1 || next->splices_.size() != 1 ||
        next->splices_[0].first != splices_[0].first)
        return false;
    splices_[0].after = next->splices_[0].after;
    selAfter_ = next->selAfter_;
    return true;
}
