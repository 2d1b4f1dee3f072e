#pragma once
// The summary table window (集計表): the records of a period, a store and a
// machine grouped by year, month, weekday, store, machine or both, one row
// per group with its results and a totals row. A header click sorts; the
// table can be copied and written to a CSV file.

#include "core/statistics/period_summary.h"

#include <QDialog>
#include <QList>

class DataGrid;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
struct SharedData;

class Shuukei : public QDialog {
    Q_OBJECT
public:
    explicit Shuukei(SharedData &shared, QWidget *parent = nullptr);

    // Default client size in twips: room for every column of the table by month
    // or by store.
    static constexpr int kDefaultWidth = 16200;
    static constexpr int kDefaultHeight = 8400;

    // Every condition control leads here: group again and fill the table.
    void Jouken_Change();
    void SKikan_Click();
    // Sorts by the column; a second click on it turns the order round.
    void SGrid_HeaderClick(int column);
    void SGrid_MouseUp(Qt::MouseButton button, const QPoint &globalPos);
    void ECopy_Click();
    void EAllCopy_Click();
    void FCSV_Click();
    void TEnd_Click();

    SummaryGrouping Grouping() const;
    SummaryFilter Filter() const;
    // The column the table is sorted by (-1: natural order) and the direction.
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return descending_; }
    // Column widths (twips) of the current grouping before scaling to the window.
    static QList<int> BaseColWidths(SummaryGrouping grouping);

    QMenuBar *MenuBar = nullptr;
    QMenu *MFile = nullptr;
    QAction *FCSV = nullptr;
    QAction *FEnd = nullptr;
    QMenu *Henshuu = nullptr;
    QAction *ECopy = nullptr;
    QAction *EAllCopy = nullptr;

    QLabel *SGroupLabel = nullptr;
    QComboBox *SGroup = nullptr; // 年 / 月 / 曜日 / 店 / 台 / 店×台
    QCheckBox *SKikan = nullptr; // a period instead of every record
    QDateEdit *SFrom = nullptr;
    QLabel *SKara = nullptr; // "～"
    QDateEdit *STo = nullptr;
    QLabel *SStoreLabel = nullptr;
    QComboBox *SStore = nullptr;
    QLabel *SMachineLabel = nullptr;
    QComboBox *SMachine = nullptr;
    QPushButton *SCSV = nullptr;
    QPushButton *TEnd = nullptr;
    DataGrid *SGrid = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void createMenus();
    void layoutControls();
    void connectControls();
    void fillConditions();
    void TableWrite();
    void ColWidthSet();
    void RowWrite(int gridRow, const SummaryRow &row, bool total);

    SharedData &shared_;
    PeriodSummary summary_;
    QList<SummaryRow> shown_; // the rows in the order shown
    QList<qint16> storeIds_, machineIds_;
    int sortColumn_ = -1;
    bool descending_ = false;
    bool centred_ = false;
};
