#pragma once
// The results entry window: a grid in which the player types, edits, sorts and
// finally stores all play records at once. The grid's rows are the working
// copy, held as play records (EntryGridModel); Data changes only when the grid
// is stored (ISave). Every change of the grid is a step of an undo history.

#include "core/model/play_record.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

class ClickLabel;
class DataGrid;
class EntryGridModel;
struct GridSelection;
class PictureButton;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QUndoStack;
class QWidget;
struct SharedData;
class TagCompleter;

class Nyuuryoku : public QDialog {
    Q_OBJECT
public:
    explicit Nyuuryoku(SharedData &shared, QWidget *parent = nullptr);
    // Makes record N's row (its comment) the current cell.
    void SelectRecord(qint32 N);

    // Controls, named as the window's description names them.
    QMenuBar *MenuBar = nullptr;
    QMenu *File = nullptr;
    QAction *FCSV = nullptr;
    QAction *FCancel = nullptr;
    QAction *FEnd = nullptr;
    QMenu *Henshuu = nullptr;
    QAction *ECut = nullptr;
    QAction *HCopy = nullptr;
    QAction *EPaste = nullptr;
    QAction *EDel = nullptr;
    QAction *EGyouInsert = nullptr;
    QAction *EGyouDel = nullptr;
    QAction *undoAction = nullptr; // 元に戻す (Ctrl+Z)
    QAction *redoAction = nullptr; // やり直し (Ctrl+Y, Ctrl+Shift+Z)
    QLabel *Image1 = nullptr;
    QLabel *SetsumeiLabel = nullptr;
    QFrame *Shape1 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *IText = nullptr;
    QComboBox *ICombo = nullptr;
    QPushButton *ISort = nullptr;
    DataGrid *IGrid = nullptr;
    PictureButton *MMiseAdd = nullptr;
    PictureButton *MDaiAdd = nullptr;
    ClickLabel *MLMiseAdd = nullptr;
    ClickLabel *MLDaiAdd = nullptr;
    QPushButton *ISave = nullptr;
    QPushButton *ICancel = nullptr;

    // Cell editing and navigation.
    void IGrid_SelChange();
    void IGrid_DblClick();
    void IGrid_KeyPress(int KeyAscii);
    void IGrid_MouseUp(Qt::MouseButton Button, const QPoint &globalPos);
    void IText_Change();
    void ICombo_Click();
    void MMiseAdd_Click();
    void MDaiAdd_Click();

    // Validation, sorting and storing.
    bool DataCheck();
    void ISort_Click();
    void ISave_Click();
    void FEnd_Click() { ISave_Click(); }
    void ICancel_Click();
    void FCancel_Click() { ICancel_Click(); }

    // Clipboard and row operations.
    void HCopy_Click();
    void ECut_Click();
    void EDel_Click();
    void EPaste_Click();
    void EGyouInsert_Click();
    void EGyouDel_Click();
    void FCSV_Click();

    // The changes of the grid since opening, each undoable.
    QUndoStack *undoStack() const { return undoStack_; }

protected:
    // The frame's close box: asks before the grid's changes are dropped.
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The current cell and the selected rectangle.
    using Selection = GridSelection;
    Selection saveSel() const;
    void restoreSel(const Selection &sel);

    // Building the window (layout, menus, connections).
    void buildControls(QWidget *client);
    void buildMenus();
    void connectHandlers();

    // Opening.
    void MasterRead();
    void GridInit();
    void ColWidthSet();
    void ColAlignSet();
    void TitleWrite();
    void DataDisp();

    // Cell writing: a value cell's text; what depends on it follows
    // (EntryGridModel).
    void CellWrite(qint32 row, qint16 col, const QString &text);

    // Editing.
    void MoveSel(qint16 ColNo, qint32 RowNo);
    void rowsAppend(qint32 count);
    void ComboListSet(const QList<QString> &names);
    void comboListFill(const QList<QString> &names);
    void CellCalc(qint32 &row, qint16 &col);
    void editorOpen(bool stores);
    void showInIText(const QString &text);
    void firstKeySet(bool on);
    // The input box or list for the current cell, without changing the grid.
    void editorsFollow();

    // The visit's details (nyuuryoku_details.cpp). The rate list: the usual
    // rates and those the grid holds, the current row's chosen.
    void rateListFill();
    void rateChosen(int index);
    // A row whose store has just been chosen takes the rate last played
    // there, when it has none yet.
    void takeLastRate(qint32 row);
    // The input box completes tags in the tag column.
    void completionSet();

    // Undo history. A change touches the rows first .. first + before − 1,
    // which become first .. first + after − 1.
    struct RowSpan {
        int first, before, after;
    };
    // Runs change() as one step named what; typing (a cell typed into, edited
    // in the input box or chosen in the list) merges until the person leaves
    // the cell.
    void recordChange(const QString &what, const QList<RowSpan> &spans,
                      const std::function<void()> &change, bool typing = false);
    void selectionShown(const Selection &sel);

    // Sorting and storing.
    // The row-number message, with what is wrong in which column after it,
    // and the cursor on the row.
    void rowError(qint32 row, const QString &detail = QString());
    QString cellProblem(qint32 row) const;

    // Clipboard.
    void SelAdjust();

    SharedData &shared_;
    QWidget *client_ = nullptr;
    EntryGridModel *rows_ = nullptr;
    QUndoStack *undoStack_ = nullptr;
    int cellVisit_ = 0;      // counts the person's arrivals in a cell
    bool recording_ = false; // a change is being recorded
    QList<qint16> SId;
    QList<QString> SName;
    QList<qint16> MId;
    QList<QString> MName;
    bool FirstKey = false;
    QList<PlayRate> rateChoices_; // the rate list's entries
    // The row whose rate the store list filled, in which stay in the store
    // cell: a later choice there replaces it.
    struct {
        qint32 row = -1;
        int visit = -1;
    } rateTaken_;
    TagCompleter *tagCompleter_ = nullptr;
};
