#include "ui/main_menu/main_form.h"

#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/app_font.h"
#include "ui/calendar/calendar_window.h"
#include "ui/csv_exchange/csv_files.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/main_menu/about.h"
#include "ui/main_menu/data_import_dialog.h"
#include "ui/main_menu/save_player.h"
#include "ui/master_editors/master_editor.h"
#include "ui/monthly_chart/monthly_chart_window.h"
#include "ui/player_select/player_select.h"
#include "ui/readable_colors.h"
#include "ui/statistics/toukei.h"
#include "ui/summary_table/summary_table.h"
#include "ui/twips.h"
#include "ui/widgets/picture_button.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {
constexpr qint32 kWakeKinAmounts[7] = {0, 500, 1000, 2000, 3000, 5000, 10000};

QString modifiedQuestion()
{
    return u"データは更新されています。保存しますか？"_s;
}
} // namespace

MainForm::MainForm(SharedData &shared, QWidget *parent) : QMainWindow(parent), shared_(shared)
{
    setWindowTitle(u"るでら３　[Main Menu]"_s);
    buildMenus();
    buildControls();
    Form_Load();
    // Every change of the player's data, from any window, shows here at once.
    connect(&shared_.notifier, &DataNotifier::changed, this, [this] {
        SeisekiDisp();
        showSaveState();
    });
}

void MainForm::Form_Load()
{
    move(Twips(1000), Twips(1500));
}

qint32 MainForm::WakeKinAmount(int Index)
{
    return Index >= 0 && Index < 7 ? kWakeKinAmounts[Index] : 0;
}

int MainForm::WakeKinIndex(qint32 amount)
{
    for (int i = 0; i < 7; ++i) {
        if (kWakeKinAmounts[i] == amount)
            return i;
    }
    return 0;
}

bool MainForm::event(QEvent *event)
{
    // Queued, so that a window opened at the first activation does not run
    // inside the activation event itself.
    // The first activation opens the remembered player, which can take a
    // moment with many records: it waits until the window has been painted
    // once, so that the window appears at once. Without a window manager the
    // window may never be activated; its first paint counts as activation then.
    const bool firstPaint = event->type() == QEvent::Paint && !painted_;
    if (firstPaint)
        painted_ = true;
    if ((event->type() == QEvent::WindowActivate && (activated_ || painted_)) ||
        (firstPaint && !activated_))
        QMetaObject::invokeMethod(this, &MainForm::Form_Activate, Qt::QueuedConnection);
    return QMainWindow::event(event);
}

void MainForm::Form_Activate()
{
    if (ended_)
        return;
    if (!activated_) {
        // Set first: the player selection opened here activates the window again.
        activated_ = true;
        // A player another running copy has open is refused with a message;
        // the selection then opens as for a player without a file.
        const QString name = RememberedPlayer(shared_.platform);
        if (name.isEmpty() || !FileCheck(shared_.folder.PlayerFile(name)) ||
            !OpenPlayerAndTell(shared_, name)) {
            SoundPlay(shared_.platform, shared_.states, 1);
            openPlayerSelection();
        } else {
            ShowPlayerSettings();
        }
    }
    shared_.states.Sound = CSound->isChecked();
    SeisekiDisp();
    showSaveState();
}

void MainForm::ShowPlayerSettings()
{
    CSound->setChecked(shared_.states.Sound);
    WakeKinClear();
    WakeKin[WakeKinIndex(shared_.states.WakeKin)]->setChecked(true);
}

void MainForm::SeisekiDisp()
{
    const States &s = shared_.states;
    TitleName->setText(s.UserName);
    // A long name gets a smaller font rather than being cut off.
    QFont font = UiFont(18);
    while (font.pointSize() > 9 &&
           QFontMetrics(font).horizontalAdvance(s.UserName) > TitleName->maximumWidth())
        font.setPointSize(font.pointSize() - 1);
    TitleName->setFont(font);

    const int total = s.Kachi + s.Make + s.Wake;
    Seiseki->setText(FormatPlain(total) + u"戦 ("_s + FormatPlain(s.Kachi) + u"勝 "_s +
                     FormatPlain(s.Make) + u"敗 "_s + FormatPlain(s.Wake) + u"分)"_s);
    HKingaku->setText(YenForDisplay(FormatYen(s.Kingaku)));
}

void MainForm::showSaveState()
{
    // A player opened read-only is never saved, nor changed by an import.
    const bool readOnly = shared_.file.ReadOnly() && !shared_.states.UserName.isEmpty();
    const bool modified = shared_.states.Corrected && !readOnly;
    MSave->setEnabled(modified);
    SetTextColor(MLSave, modified ? QColor(0, 0, 0) : QColor(128, 128, 128));
    FSave->setEnabled(modified);
    FCsvImport->setEnabled(!readOnly);
    setWindowTitle(readOnly ? u"るでら３　[Main Menu]　（読み取り専用）"_s
                            : u"るでら３　[Main Menu]"_s);
}

void MainForm::openModal(QDialog &dialog)
{
    shared_.platform.ShowModal(dialog);
    Form_Activate();
}

void MainForm::openPlayerSelection()
{
    PSelect dialog(shared_, this, [this] { ShowPlayerSettings(); });
    openModal(dialog);
}

bool MainForm::playerOpen()
{
    // Work done with no player open could never be saved: choose one first.
    if (shared_.states.UserName.isEmpty())
        openPlayerSelection();
    return !shared_.states.UserName.isEmpty();
}

void MainForm::MInput_Click()
{
    RInput_Click();
}

void MainForm::MDisp_Click()
{
    RDisp_Click();
}

void MainForm::MMiseAdd_Click()
{
    RMiseAdd_Click();
}

void MainForm::MDaiAdd_Click()
{
    RDaiAdd_Click();
}

void MainForm::MLInput_Click()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    MInput_Click();
}

void MainForm::MLDisp_Click()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    MDisp_Click();
}

void MainForm::MLMiseAdd_Click()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    MMiseAdd_Click();
}

void MainForm::MLDaiAdd_Click()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    MDaiAdd_Click();
}

void MainForm::MLSave_Click()
{
    if (shared_.states.Corrected)
        SoundPlay(shared_.platform, shared_.states, 1);
    MSave_Click();
}

void MainForm::MLEnd_Click()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    MEnd_Click();
}

void MainForm::RInput_Click()
{
    if (!playerOpen())
        return;
    Nyuuryoku dialog(shared_, this);
    openModal(dialog);
}

void MainForm::RDisp_Click()
{
    if (!playerOpen())
        return;
    Toukei dialog(shared_, this);
    openModal(dialog);
}

void MainForm::RCalendar_Click()
{
    if (!playerOpen())
        return;
    CalendarWindow dialog(shared_, this);
    openModal(dialog);
}

void MainForm::RMonthlyChart_Click()
{
    if (!playerOpen())
        return;
    MonthlyChartWindow dialog(shared_, this);
    openModal(dialog);
}

void MainForm::RMiseAdd_Click()
{
    if (!playerOpen())
        return;
    MasterEditor dialog(shared_, MasterEditor::Kind::MiseAdd, this);
    openModal(dialog);
}

void MainForm::RDaiAdd_Click()
{
    if (!playerOpen())
        return;
    MasterEditor dialog(shared_, MasterEditor::Kind::DaiAdd, this);
    openModal(dialog);
}

void MainForm::MSave_Click()
{
    States &s = shared_.states;
    if (!s.Corrected)
        return;
    if (s.UserName.isEmpty()) {
        // Data entered with no player open have no file to go to.
        shared_.platform.MsgBox(u"プレーヤーが選択されていないため保存できません。"_s +
                                QString::fromUtf16(UserDataFile::kLineEnd) +
                                u"プレーヤーを選択して下さい。"_s);
    } else if (const SaveAnswer answer = SaveWithQuestions(shared_, s.UserName); answer.saved) {
        s.Corrected = false;
    } else if (answer.showRecord > 0) {
        Nyuuryoku dialog(shared_, this);
        dialog.SelectRecord(answer.showRecord);
        openModal(dialog);
    }
    // A failed save keeps the data marked as modified, so exit still asks.
    showSaveState();
}

void MainForm::FSave_Click()
{
    MSave_Click();
}

void MainForm::MEnd_Click()
{
    if (shared_.states.Corrected) {
        switch (shared_.platform.MsgBox(modifiedQuestion(), MsgButtons::YesNoCancel,
                                        MsgIcon::Question, u"終了確認"_s)) {
        case MsgResult::Yes:
            MSave_Click();
            if (shared_.states.Corrected)
                return; // not saved: keep running rather than lose the data
            break;
        case MsgResult::No: break;
        default: return;
        }
    }
    EndProgram();
}

void MainForm::FEnd_Click()
{
    MEnd_Click();
}

void MainForm::closeEvent(QCloseEvent *event)
{
    // Ending the program closes the window without asking again.
    if (ended_ || Form_Unload())
        event->accept();
    else
        event->ignore();
}

bool MainForm::Form_Unload()
{
    // Cancel ends the program without saving.
    if (shared_.states.Corrected &&
        shared_.platform.MsgBox(modifiedQuestion(), MsgButtons::OkCancel, MsgIcon::Question,
                                u"終了確認"_s) == MsgResult::Ok) {
        MSave_Click();
        if (shared_.states.Corrected)
            return false; // not saved: keep running rather than lose the data
    }
    ended_ = true;
    emit programEnded();
    return true;
}

void MainForm::EndProgram()
{
    ended_ = true;
    emit programEnded();
    // Closing the last window ends the application.
    close();
}

void MainForm::FPSelect_Click()
{
    if (shared_.states.Corrected) {
        switch (shared_.platform.MsgBox(modifiedQuestion(), MsgButtons::YesNoCancel,
                                        MsgIcon::Question, u"ユーザ変更"_s)) {
        case MsgResult::Yes:
            MSave_Click();
            if (shared_.states.Corrected)
                return; // not saved: opening another player would lose the data
            break;
        case MsgResult::No: break;
        default: return;
        }
    }
    SoundPlay(shared_.platform, shared_.states, 1);
    openPlayerSelection();
}

void MainForm::TitleName_DblClick()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    FPSelect_Click();
}

void MainForm::Image3_DblClick()
{
    SoundPlay(shared_.platform, shared_.states, 1);
    FPSelect_Click();
}

void MainForm::FImport_Click()
{
    DataImport(shared_.platform, shared_.folder);
}

void MainForm::RShuukei_Click()
{
    if (!playerOpen())
        return;
    Shuukei dialog(shared_, this);
    openModal(dialog);
}

void MainForm::FCsvExport_Click()
{
    if (!playerOpen())
        return;
    ExportRecords(shared_, this);
}

void MainForm::FCsvImport_Click()
{
    if (!playerOpen())
        return;
    // The summary line and the save controls show the added records.
    ImportRecords(shared_, this);
    Form_Activate();
}

void MainForm::CSound_Click()
{
    shared_.states.Sound = CSound->isChecked();
}

void MainForm::WakeKin_Click(int Index)
{
    if (Index < 0 || Index >= 7)
        return;
    States &s = shared_.states;
    s.WakeKin = WakeKinAmount(Index);
    WakeKinClear();
    WakeKin[Index]->setChecked(true);
    RecomputeSummary(shared_); // the summary line follows through the notifier
}

void MainForm::WakeKinClear()
{
    for (QAction *item : WakeKin)
        item->setChecked(false);
}

void MainForm::Seiseki_MouseUp(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton)
        CWakeKin->popup(globalPos);
}

void MainForm::HAbout_Click()
{
    SoundPlay(shared_.platform, shared_.states, 3);
    About dialog(this);
    openModal(dialog);
}

QString MainForm::HomePageAddress()
{
    const QString installed = QStringLiteral(LEDRA_DATA_DIR "/docs/index.html");
    // A build tree directly under the source tree finds the guide next to it.
    const QString sourceTree = QCoreApplication::applicationDirPath() + u"/../docs/index.html"_s;
    const QString guide = QFileInfo(installed).isFile() || !QFileInfo(sourceTree).isFile()
                              ? installed
                              : QFileInfo(sourceTree).canonicalFilePath();
    return QUrl::fromLocalFile(guide).toString();
}

void MainForm::HHomePage_Click()
{
    Platform &ui = shared_.platform;
    const QString browser = ui.BrowserPath();
    if (!FileCheck(browser)) {
        // Without an opener there is no path to name; name the program looked for.
        ui.MsgBox((browser.isEmpty() ? u"xdg-open"_s : browser) + u"が存在しません"_s);
        return;
    }
    QString error;
    if (!ui.StartProgram(browser, {HomePageAddress()}, error))
        ui.MsgBox(u"エラーが発生しました。"_s + error);
}
