#pragma once
// The spreadsheet-like grid of the entry and statistics windows: a QTableView
// over its own model of cell texts and colours, with the operations the windows
// use (Rows, Cols, Row, Col, RowSel, ColSel, Text, TextArray, Clip, colours,
// widths, alignments, AddItem, RemoveItem). Built-in editing is off: keys go to
// the window through keyPress(). selChange() reports only the person's moves.

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QTableView>

enum class GridAlign { Left, Center, Right };

// The selected rectangle with its corners in order.
struct GridRange {
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
};

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
    // converts in these (the entry window's rows are play records).
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int fixedRows() const { return fixedRows_; }
    virtual void setShape(int rows, int cols);
    virtual void setFixedRows(int fixedRows);
    virtual QString text(int row, int col) const;
    virtual void setText(int row, int col, const QString &text);
    virtual QRgb backColor(int row, int col) const; // 0: the default (white)
    virtual QRgb foreColor(int row, int col) const; // 0: the default (black)
    virtual void setColors(int row, int col, QRgb back, QRgb fore);
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
    QList<QRgb> back_;
    QList<QRgb> fore_;
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
    QString TextArray(qint64 index) const;
    void SetTextArray(qint64 index, const QString &text);
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString &text);

    // The rectangle between (Row, Col) and (RowSel, ColSel), in either order.
    GridRange SelRange() const;
    // The selected rectangle: cells separated by tabs, rows by carriage returns.
    QString Clip() const;
    void SetClip(const QString &text);

    // Colours of the current cell.
    void SetCellBackColor(const QColor &color);
    void SetCellForeColor(const QColor &color);
    QColor CellBackColorAt(int row, int col) const;
    QColor CellForeColorAt(int row, int col) const;

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
};
