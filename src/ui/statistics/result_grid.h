#pragma once
// The statistics window's result grid: the records of the selection
// (ResultGridModel) through a sort proxy, in the look of the program's grids.
// A click on a title sorts by that column's values. Cells are addressed as
// the grid shows them: row 0 is the title row, rows 1.. the records.

#include "core/statistics/value_sort_proxy.h"

#include <QColor>
#include <QTableView>

class ResultGridModel;

// Sorts on the values; colours the texts by their tone and tints every other
// row as shown, the first record's row included (an empty selection's row
// stays white).
class ResultGridProxy : public ValueSortProxy {
    Q_OBJECT
public:
    explicit ResultGridProxy(ResultGridModel *source, QObject *parent = nullptr);
    QVariant data(const QModelIndex &index, int role) const override;

private:
    const ResultGridModel *source_;
};

class ResultGrid : public QTableView {
    Q_OBJECT
public:
    explicit ResultGrid(ResultGridModel *model, QWidget *parent = nullptr);

    int Rows() const;
    int Cols() const;
    QString TextMatrix(int row, int col) const;
    QColor CellBackColorAt(int row, int col) const;
    QColor CellForeColorAt(int row, int col) const;

    // The current cell; the title row (row 0) of a column when no record is.
    int Row() const;
    int Col() const;
    void SetTitleCurrent(int col);
    // Selects the rectangle between two record cells.
    void SelectCells(int row, int col, int rowSel, int colSel);
    // The selected cells, separated by tabs, rows by carriage returns; the
    // current title when no record is selected.
    QString Clip() const;

    int ColWidth(int col) const; // twips, as set
    void SetColWidth(int col, int twips);

signals:
    void mouseUp(Qt::MouseButton button, const QPoint &globalPos);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QVariant cellData(int row, int col, int role) const;

    ResultGridProxy *proxy_;
    int titleCol_ = 0;
    QList<int> colWidthTwips_;
};
