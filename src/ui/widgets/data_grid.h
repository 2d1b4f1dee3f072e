#pragma once
// The spreadsheet-like grid of the entry window (and of the CSV import's list
// of unreadable rows): a QTableView over a model of cells, with the operations
// the window uses (Rows, Cols, Row, Col, RowSel, ColSel, Text, Clip, widths,
// alignments, AddItem, RemoveItem). The plain model holds texts; the entry
// window's model derives its cells and their colours from its rows. Built-in
// editing is off: keys go to the window through keyPress(). selChange()
// reports only the person's moves.

#include "ui/widgets/tab_text.h"

#include <QAbstractTableModel>
#include <QList>
#include <QTableView>

enum class GridAlign { Left, Center, Right };

class DataGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataGridModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Grid coordinates: row 0 .. rows-1 including the fixed (title) rows.
    // A window that keeps values rather than texts derives its own model and
    // converts in these (the entry window's rows are play records). Cells are
    // black on white unless such a model says otherwise in data().
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int fixedRows() const { return fixedRows_; }
    virtual void setShape(int rows, int cols);
    virtual void setFixedRows(int fixedRows);
    virtual QString text(int row, int col) const;
    virtual void setText(int row, int col, const QString &text);
    virtual void insertGridRow(int row);
    virtual void removeGridRow(int row);
    void setAlignment(int col, GridAlign cells, GridAlign title);

    // Cell changes are announced in one batch when control returns to the event
    // loop, so that filling tens of thousands of cells stays fast.
    void flushChanges();

protected:
    void markChanged();

    int rows_ = 0;
    int cols_ = 0;
    int fixedRows_ = 0;
    QList<GridAlign> cellAlign_;
    QList<GridAlign> titleAlign_;

private:
    qsizetype at(int row, int col) const { return qsizetype(row) * cols_ + col; }
    int viewRow(int row) const { return row - fixedRows_; }

    QList<QString> texts_;
    bool changePending_ = false;
};

class GridCellDelegate;

class DataGrid : public QTableView {
    Q_OBJECT
public:
    // The grid shows `model` when given (it takes it over), else a model of texts.
    explicit DataGrid(QWidget *parent = nullptr, DataGridModel *model = nullptr);

    int Rows() const { return model_->rows(); }
    void SetRows(int rows);
    int Cols() const { return model_->cols(); }
    void SetCols(int cols);
    int FixedRows() const { return model_->fixedRows(); }
    void SetFixedRows(int fixedRows); // 0 or 1: a fixed row is the title row
    int FixedCols() const { return 0; }
    void SetFixedCols(int fixedCols); // only 0 is used

    // Setting Row or Col makes the current cell the whole selection.
    int Row() const { return row_; }
    void SetRow(int row);
    int Col() const { return col_; }
    void SetCol(int col);
    int RowSel() const { return rowSel_; }
    void SetRowSel(int row);
    int ColSel() const { return colSel_; }
    void SetColSel(int col);

    QString Text() const { return TextMatrix(row_, col_); }
    void SetText(const QString &text) { SetTextMatrix(row_, col_, text); }
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString &text);

    // The rectangle between (Row, Col) and (RowSel, ColSel), in either order.
    GridRange SelRange() const;
    // The selected rectangle: cells separated by tabs, rows by carriage
    // returns. Setting it fills the rectangle from a block's top-left cell on;
    // cells outside the rectangle are left out, cells the block does not reach
    // keep their texts.
    QString Clip() const;
    void SetClip(const QString &text);
    void SetClip(const TabBlock &block);

    int ColWidth(int col) const; // twips
    void SetColWidth(int col, int twips);
    void SetColAlignment(int col, GridAlign align);
    void SetFixedAlignment(int col, GridAlign align);
    GridAlign ColAlignment(int col) const { return colAlign_.value(col, GridAlign::Left); }
    GridAlign FixedAlignment(int col) const { return fixedAlign_.value(col, GridAlign::Left); }

    // Inserts an empty row before index (tab-separated texts fill it) / deletes it.
    void AddItem(const QString &text, int index);
    void RemoveItem(int index);

    DataGridModel *gridModel() const { return model_; }
    // Brings the view's current cell and selection up to date at once.
    void syncView();

    // Text an input method is composing in the current cell (drawn there), and
    // whether the next typed character replaces the cell's text (the
    // composition is then drawn alone).
    QString preeditText() const;
    void setTypingReplaces(bool replaces);

signals:
    void selChange();
    void keyPress(int keyCode);
    void dblClick();
    void mouseUp(Qt::MouseButton button, const QPoint &globalPos);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void clampSelection();
    GridCellDelegate *cellDelegate() const;
    QRect cellRect() const;  // the current cell, in the widget's coordinates
    QRect caretRect() const; // where the next character goes, likewise
    void scheduleSync();
    void onViewSelectionChanged();
    // Runs the view's own handling of a key or the mouse, and reports the
    // selection it leaves once: the view moves the current cell and the
    // selection one after the other.
    template <typename Handling> void personsMove(Handling handling);
    QModelIndex viewIndex(int row, int col) const;

    DataGridModel *model_;
    int row_ = 0;
    int col_ = 0;
    int rowSel_ = 0;
    int colSel_ = 0;
    QList<GridAlign> colAlign_;
    QList<GridAlign> fixedAlign_;
    QList<int> colWidthTwips_; // as set: pixels would lose the twips
    bool syncing_ = false;
    bool syncPending_ = false;
    bool typingReplaces_ = false;
    int moving_ = 0;           // inside the view's handling of a person's move
    bool movePending_ = false; // the selection changed meanwhile
};
