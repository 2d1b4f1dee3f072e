#pragma once
// The main menu window: opens the player at start, shows the player's overall
// result, leads to every other window, saves, and asks before data could be lost.

#include <QMainWindow>

class ClickLabel;
class PictureButton;
class QAction;
class QLabel;
class QMenu;
struct SharedData;

class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(SharedData &shared, QWidget *parent = nullptr);

    // Draw threshold in yen of each WakeKin menu item, and back (index 0 when
    // the amount has no item).
    static qint32 WakeKinAmount(int Index);
    static int WakeKinIndex(qint32 amount);

    // Runs at every activation of the window and after each modal window.
    void Form_Activate();
    // The title-bar close: asks about unsaved data; false keeps the window open.
    bool Form_Unload();
    void SeisekiDisp();
    // Shows the open player's sound and threshold settings as check marks.
    void ShowPlayerSettings();

    void MInput_Click();
    void MDisp_Click();
    void MMiseAdd_Click();
    void MDaiAdd_Click();
    void MLInput_Click();
    void MLDisp_Click();
    void MLMiseAdd_Click();
    void MLDaiAdd_Click();
    void MLSave_Click();
    void MLEnd_Click();
    void RInput_Click();
    void RDisp_Click();
    void RMiseAdd_Click();
    void RDaiAdd_Click();
    void RCalendar_Click();
    void RMonthlyChart_Click();
    void MSave_Click();
    void FSave_Click();
    void MEnd_Click();
    void FEnd_Click();
    void FPSelect_Click();
    void TitleName_DblClick();
    void Image3_DblClick();
    void FImport_Click();
    void RShuukei_Click();
    void FCsvExport_Click();
    void FCsvImport_Click();
    // Qt has already inverted the check mark when a menu item is triggered.
    void CSound_Click();
    void WakeKin_Click(int Index);
    void WakeKinClear();
    void Seiseki_MouseUp(Qt::MouseButton button, const QPoint &globalPos);
    void HAbout_Click();
    void HHomePage_Click();

    // The user guide the home-page item opens, as a file:// address.
    static QString HomePageAddress();

    bool programHasEnded() const { return ended_; }

    PictureButton *Image3;
    ClickLabel *TitleName;
    QLabel *Label1;
    ClickLabel *Seiseki;
    QLabel *HKingaku;
    QLabel *Label9;
    PictureButton *MInput, *MDisp, *MMiseAdd, *MDaiAdd, *MSave, *MEnd;
    ClickLabel *MLInput, *MLDisp, *MLMiseAdd, *MLDaiAdd, *MLSave, *MLEnd;

    QMenu *File, *Menu, *Settei, *Help, *CWakeKin;
    QAction *FPSelect, *FSave, *FImport, *FEnd;
    QAction *FCsvExport, *FCsvImport, *RShuukei;
    QAction *RInput, *RDisp, *RMiseAdd, *RDaiAdd;
    QAction *RCalendar, *RMonthlyChart;
    QAction *CSound, *HTitle;
    QAction *WakeKin[7];
    QAction *HHomePage, *HAbout;

signals:
    // The program ends: the window closes without asking again.
    void programEnded();

protected:
    bool event(QEvent *event) override;
    // The title-bar close (Form_Unload).
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void buildMenus();
    void buildControls();
    PictureButton *addPictureButton(const QString &picture);
    void openModal(QDialog &dialog);
    void openPlayerSelection();
    // True when a player is open, after offering the player selection when
    // none is.
    bool playerOpen();
    void showSaveState();
    void EndProgram();

    SharedData &shared_;
    bool activated_ = false; // the first activation has run
    bool painted_ = false;   // the window has been painted once
    bool ended_ = false;
};
