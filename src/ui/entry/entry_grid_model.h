#pragma once
// The entry grid's rows as values. Each row is the play record it stands for;
// its cells are texts only on the way to and from the screen. A value cell
// reads what is typed or pasted into its record field and shows the field in
// its own form, or the text as typed when that differs ("１０００", "01") or
// is no value at all ("12a", shown red until storing refuses it). The derived
// cells (weekday, balance, store and machine names) and every cell's colours
// are computed from the row, and the store and machine lists, when asked.

#include "ui/entry/entry_columns.h"
#include "ui/widgets/data_grid.h"

#include <array>

class EntryGridModel : public DataGridModel {
    Q_OBJECT
public:
    EntryGridModel(const SMData &stores, const SMData &machines, QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role) const override;
    // Cells the person types into are editable (by the window's handlers:
    // the view opens no editor); an input method composes only there.
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QString text(int row, int col) const override;
    // Value cells only: a derived cell follows its row.
    void setText(int row, int col, const QString &text) override;
    void setShape(int rows, int cols) override;
    void setFixedRows(int fixedRows) override;
    void insertGridRow(int row) override;
    void removeGridRow(int row) override;

    // Grid row r (r ≥ 1); an empty row outside the grid.
    const EntryRow &entryRow(int row) const;
    // Rows first .. first + count − 1, cut to the grid.
    QList<EntryRow> entryRows(int first, int count) const;
    // Replaces rows first .. first + count − 1 by the given ones.
    void replaceRows(int first, int count, const QList<EntryRow> &rows);
    // The whole grid below the title row at once (opening the window).
    void setEntryRows(QList<EntryRow> rows);
    // A row of the player's table, with its value cells in their own form.
    static EntryRow rowOf(const PlayRecord &record);

    // True when a value cell holds a text that storing must refuse.
    bool invalid(int row, int col) const;
    // A derived cell as shown.
    Shown derived(int row, int col) const;
    // A row is in use once it has an amount: its balance shows.
    bool inUse(int row) const;
    // The store or machine list has changed: the names follow.
    void listsChanged();

private:
    bool inside(int row, int col) const
    {
        return row >= fixedRows_ && row < rows() && col >= 0 && col < cols_;
    }

    EntryLists lists_;
    QList<EntryRow> entries_;
    std::array<QString, EntryColumn::Count> titles_;
};
