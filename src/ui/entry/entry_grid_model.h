#pragma once
// The entry grid's rows as values. Each row is the play record it stands for;
// its cells are texts only on the way to and from the screen: a value cell
// reads what is typed or pasted into its record field and shows the field in
// its own form, or the text as typed when that differs ("１０００", "01") or
// is no value at all ("12a"), which storing then refuses. The computed cells
// (weekday, balance, store and machine names) hold the texts they show, and
// every cell's colours follow from its column and text.

#include "core/model/play_record.h"
#include "ui/entry/entry_columns.h"
#include "ui/widgets/data_grid.h"

#include <array>

struct EntryRow {
    PlayRecord record;
    // Computed cells as shown; value cells as typed where `typed` says so.
    std::array<QString, EntryColumn::Count> shown;
    quint16 typed = 0;      // value cells shown as typed, not in their value's form
    quint16 blank = 0xffff; // value cells that are empty
    quint16 unreadable = 0; // value cells whose text is no number (no clock time)
    quint16 tooWide = 0;    // value cells whose number does not fit the record's field

    friend bool operator==(const EntryRow &, const EntryRow &) = default;
};

// Year, month, day, amounts, hidden IDs and the two times: the cells whose
// text is read into the record.
bool isValueColumn(int col);
inline quint16 columnBit(int col)
{
    return quint16(1u << col);
}

class EntryGridModel : public DataGridModel {
    Q_OBJECT
public:
    using DataGridModel::DataGridModel;

    // Cells the person types into are editable (by the window's handlers:
    // the view opens no editor); an input method composes only there.
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QString text(int row, int col) const override;
    void setText(int row, int col, const QString &text) override;
    QRgb backColor(int row, int col) const override;
    QRgb foreColor(int row, int col) const override;
    void setColors(int row, int col, QRgb back, QRgb fore) override;
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

private:
    bool inside(int row, int col) const
    {
        return row >= fixedRows_ && row < rows() && col >= 0 && col < cols_;
    }

    QList<EntryRow> entries_;
    std::array<QString, EntryColumn::Count> titles_;
};
