#pragma once
// The statistics window: condition controls, the totals block, the result grid
// and the drawing area on which one screen at a time is drawn.

#include "core/statistics/graph_series.h"
#include "core/statistics/ranking.h"
#include "core/statistics/selection.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <memory>

class DrawingArea;
class PictureButton;
class QAction;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTimer;
class ResultGrid;
class ResultGridModel;
class SpinLabel;
class StatScreens;
class YenLabel;
struct SharedData;

class Toukei : public QDialog {
    Q_OBJECT
public:
    explicit Toukei(SharedData &shared, QWidget *parent = nullptr);
    ~Toukei() override;

    // Default client size in twips: wide enough for the grid's columns to show
    // a year and a six-figure balance in the UI font.
    static constexpr int kDefaultWidth = 11250;
    static constexpr int kDefaultHeight = 8400;

    // Grid set-up: the grid shows gridModel_, whose columns carry their
    // titles and alignments; the widths follow the window.
    void GridInitialize();
    void ColWidthSet();

    // Conditions and selection.
    void MasterRead();
    void ComboSet();
    void JoukenSet();
    void JoukenEnabled(bool En);

    // Totals block and grid from the last selection.
    void DataWrite();
    void DataWrite_States();
    void DataWrite_Data();

    // The selection, rankings and graph of the last 表示.
    const Selection &Current() const { return sel_; }
    const Rankings &Ranks() const { return ranks_; }
    const GraphSeries &Graph() const { return graph_; }
    // Column widths (twips) last set by ColWidthSet, before the grid rounds them
    // to whole pixels.
    const QList<int> &ColWidths() const { return colWidths_; }

    // Event handlers.
    void SHyouji_Click();
    void SSeiseki_Click();
    void SGraph_Click();
    void SGStore_Click();
    void SGWStore_Click();
    void SGMachine_Click();
    void SGWMachine_Click();
    void SGDay_Click();
    void SGShouhai_Click();
    void SGWShouhai_Click();
    void SAdvice_Click();
    void TEnd_Click();
    void FEnd_Click();
    void FCSV_Click();
    void ECopy_Click();
    void GamenTimer_Timer();
    void HGrid_MouseUp(Qt::MouseButton Button, const QPoint &globalPos);
    void SAll_Click();
    void SJouken_Click();
    void JAll_Click();
    void JYear_Click();
    void JMonth_Click();
    void J10_Click();
    // Button as the numbers 1 (left), 2 (right), 4 (middle).
    void JSYear_MouseDown(qint16 Button);
    void JSMonth_MouseDown(qint16 Button);

    // Controls (named as the window's own).
    ResultGrid *HGrid = nullptr;
    DrawingArea *HGamen = nullptr;
    QPushButton *SHyouji = nullptr;
    QPushButton *SSeiseki = nullptr;
    QPushButton *SGraph = nullptr;
    QPushButton *SGStore = nullptr;
    QPushButton *SGWStore = nullptr;
    QPushButton *SGMachine = nullptr;
    QPushButton *SGWMachine = nullptr;
    QPushButton *SGDay = nullptr;
    QPushButton *SGShouhai = nullptr;
    QPushButton *SGWShouhai = nullptr;
    QPushButton *SAdvice = nullptr;
    QPushButton *TEnd = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label1 = nullptr;
    QTimer *GamenTimer = nullptr;
    PictureButton *Neichan = nullptr;
    PictureButton *Image1 = nullptr;
    QMenuBar *MenuBar = nullptr;
    QMenu *MFile = nullptr;
    QAction *FCSV = nullptr;
    QAction *FSep1 = nullptr;
    QAction *FEnd = nullptr;
    QMenu *Henshuu = nullptr;
    QAction *ECopy = nullptr;

    QLabel *Label27 = nullptr;
    YenLabel *HKikan = nullptr;
    QLabel *SeisekiLabel = nullptr;
    YenLabel *HSeiseki = nullptr;
    YenLabel *HKachikin = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    YenLabel *HToushi = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label4 = nullptr;
    YenLabel *HToushiAve = nullptr;
    QLabel *Label19 = nullptr;
    QLabel *Label6 = nullptr;
    YenLabel *HKaishuu = nullptr;
    QLabel *Label18 = nullptr;
    QLabel *Label8 = nullptr;
    YenLabel *HKaishuuAve = nullptr;
    QLabel *Label20 = nullptr;

    QRadioButton *SAll = nullptr;
    QRadioButton *SJouken = nullptr;
    QGroupBox *Jouken = nullptr;
    QRadioButton *JAll = nullptr;
    QRadioButton *JYear = nullptr;
    QRadioButton *JMonth = nullptr;
    QRadioButton *J10 = nullptr;
    SpinLabel *JSYear = nullptr;
    QLabel *JSYearLabel = nullptr;
    SpinLabel *JSMonth = nullptr;
    QLabel *JSMonthLabel = nullptr;
    QLabel *JStoreLabel = nullptr;
    QComboBox *JStore = nullptr;
    QLabel *JMachineLabel = nullptr;
    QComboBox *JMachine = nullptr;

    // The screens, drawn on HGamen from the results of the last 表示.
    StatScreens &Screens() { return *screens_; }

    // Whether the window is still open for drawing (false once it was closed).
    bool StillOpen() const { return !closed_; }

public slots:
    void done(int result) override;
    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void createControls();
    void createConditions();
    void createTotals();
    void createScreenButtons();
    void createMenus();
    void connectControls();
    void layoutControls();

    SharedData &shared_;
    Selection sel_;
    GraphSeries graph_;
    Rankings ranks_;
    std::unique_ptr<StatScreens> screens_;
    ResultGridModel *gridModel_ = nullptr;
    QList<qint16> SId, MId;
    QList<QString> SName, MName;
    QList<int> colWidths_;
    bool closed_ = false;
};
