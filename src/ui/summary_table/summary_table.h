#pragma once
// The summary table window (集計表): the records of a period, a store and a
// machine grouped by year, month, weekday, starting hour, store, machine,
// both, rate or tag, one row per group with its results and the totals row
// below. A header
// click sorts; the table can be copied and written to a CSV file. It follows
// every change of the player's data while it is open.

#include "core/statistics/period_summary.h"

#include <QDialog>
#include <QList>

class DateBox;
class QAction;
class QCheckBox;
class QComboBox;
class QMenu;
class QMenuBar;
class QPushButton;
class SummaryModel;
class SummaryView;
class TonedSortProxy;
struct SharedData;

class Shuukei : public QDialog {
    Q_OBJECT
public:
    explicit Shuukei(SharedData &shared, QWidget *parent = nullptr);

    // Default client size in twips: room for every column of the table by
    // store and machine.
    static constexpr int kDefaultWidth = 18000;
    static constexpr int kDefaultHeight = 8400;

    // Every condition control leads here: group again and show the table.
    void Jouken_Change();
    void SKikan_Click();
    // Sorts by the column; a second click on it turns the order round. The
    // first column sorts in the groups' natural order.
    void SGrid_HeaderClick(int column);
    // Copies the selected cells (or the current one) as a spreadsheet reads
    // them: plain numbers, tabs between cells, carriage returns between rows.
    void ECopy_Click();
    // The titles, every row in the order shown and the totals.
    void EAllCopy_Click();
    void FCSV_Click();
    void TEnd_Click();

    SummaryGrouping Grouping() const;
    SummaryFilter Filter() const;
    // The column the table is sorted by (-1: natural order) and the direction.
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return descending_; }
    // The group rows in the order shown.
    QList<SummaryRow> ShownRows() const;
    const SummaryModel &Model() const { return *model_; }

    QMenuBar *MenuBar = nullptr;
    QMenu *MFile = nullptr;
    QAction *FCSV = nullptr;
    QAction *FEnd = nullptr;
    QMenu *Henshuu = nullptr;
    QAction *ECopy = nullptr;
    QAction *EAllCopy = nullptr;

    QComboBox *SGroup = nullptr; // in the order of SummaryGrouping
    QCheckBox *SKikan = nullptr; // a period instead of every record
    DateBox *SFrom = nullptr;
    DateBox *STo = nullptr;
    QComboBox *SStore = nullptr;
    QComboBox *SMachine = nullptr;
    QPushButton *SCSV = nullptr;
    QPushButton *TEnd = nullptr;
    SummaryView *SGrid = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void createMenus();
    void connectControls();
    void fillLists();
    void fillPeriod();
    void dataChanged();
    void fitColumns();

    SharedData &shared_;
    SummaryModel *model_ = nullptr;
    TonedSortProxy *rows_ = nullptr;   // the groups, sorted
    TonedSortProxy *totals_ = nullptr; // the totals row
    QList<qint16> storeIds_, machineIds_;
    int sortColumn_ = -1;
    bool descending_ = false;
    bool centred_ = false;
};
