// A guided tour through every window with a sample player, saving a picture of
// each window as PNG for the user guide. Usage: screenshot_tour OUTPUT_FOLDER
// [--checks] (scripts/screenshots runs it under xvfb-run); --checks adds the
// pictures that the guide does not show but a look at every window needs (the
// statistics window maximised with its graph). Runs in a temporary data and
// settings folder, so the person's own players and settings stay untouched.

#include "core/file/csv_exchange.h"
#include "core/file/save_sequence.h"
#include "core/model/data_change.h"
#include "core/model/shared_data.h"
#include "core/model/visit_details.h"
#include "ui/app_font.h"
#include "ui/app_style.h"
#include "ui/calendar/calendar_window.h"
#include "ui/entry/nyuuryoku.h"
#include "ui/main_menu/about.h"
#include "ui/main_menu/main_form.h"
#include "ui/master_editors/master_editor.h"
#include "ui/monthly_chart/monthly_chart_window.h"
#include "ui/player_select/player_select.h"
#include "ui/qt_platform.h"
#include "ui/resources_init.h"
#include "ui/statistics/toukei.h"
#include "ui/statistics/toukei_labels.h"
#include "ui/summary_table/summary_table.h"
#include "ui/widgets/data_grid.h"
#include "ui/widgets/drawing_area.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QIcon>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <tuple>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString kPlayer = u"たろう"_s;
QString outputFolder;
bool checks = false; // --checks
int failures = 0;

// The real desktop, except that windows opened modally are handed to the tour
// (which shows them, takes their picture and closes them), no message box
// waits for an answer, and pauses do not sleep.
class TourPlatform : public QtPlatform {
public:
    std::function<int(QDialog &)> onModal;

    MsgResult MsgBox(const QString &text, MsgButtons buttons, MsgIcon, const QString &) override
    {
        // The tour asks for nothing: a message means something went wrong.
        QTextStream(stderr) << u"message: "_s << text << u'\n';
        ++failures;
        return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
    }
    QString InputBox(const QString &, const QString &, const QString &) override { return {}; }
    // The tour's own file instead of a dialog.
    QString fileAnswer;
    QString FileDialog(FileDialogMode, const QString &, const QString &, const QString &) override
    {
        return std::exchange(fileAnswer, QString());
    }
    void PlaySound(const QString &) override {}
    void Beep() override {}
    void TimeWait(double) override { QCoreApplication::processEvents(); }
    int ShowModal(QObject &window) override
    {
        auto handler = std::exchange(onModal, nullptr);
        auto *dialog = qobject_cast<QDialog *>(&window);
        if (!handler || !dialog) {
            QTextStream(stderr) << u"unexpected window: "_s << window.metaObject()->className()
                                << u'\n';
            ++failures;
            return QDialog::Rejected;
        }
        return handler(*dialog);
    }
};

// Lets the windows lay out and paint (timers included) for a while.
void settle(int ms = 400)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

void savePicture(const QPixmap &picture, const QString &name)
{
    const QString path = outputFolder + u'/' + name + u".png"_s;
    if (!picture.save(path)) {
        QTextStream(stderr) << u"cannot write "_s << path << u'\n';
        ++failures;
        return;
    }
    QTextStream(stdout) << path << u'\n';
}

void shoot(QWidget &window, const QString &name)
{
    settle();
    savePicture(window.grab(), name);
}

// The window with a pop-up menu drawn over it where it appeared.
void shootWithPopup(QWidget &window, QWidget &popup, const QString &name)
{
    settle();
    QPixmap picture = window.grab();
    const QPixmap menu = popup.grab();
    const QPoint at = window.mapFromGlobal(popup.mapToGlobal(QPoint(0, 0)));
    QPainter painter(&picture);
    painter.drawPixmap(at, menu);
    painter.end();
    savePicture(picture, name);
}

// The window the last step should have opened took its picture.
void expectOpened(TourPlatform &platform, const QString &what)
{
    if (!platform.onModal)
        return;
    QTextStream(stderr) << what << u" did not open\n"_s;
    platform.onModal = nullptr;
    ++failures;
}

// A year of visits to three stores, deterministic so that the pictures only
// change when the program does.
void makeSamplePlayer(SharedData &shared)
{
    PSelect::MakeFile(shared.folder.PlayerFile(kPlayer));
    OpenPlayer(shared, kPlayer);
    const QStringList comments = {u""_s, u"朝から並んだ"_s, u""_s, u"確変３連"_s,
                                  u""_s, u"釘が渋い"_s};
    quint32 state = 20260105;
    auto next = [&state](quint32 range) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % range;
    };
    QList<PlayRecord> visits;
    for (int i = 0; i < 40; ++i) {
        PlayRecord r;
        r.DYear = 2026;
        r.DMonth = static_cast<qint16>(1 + i * 11 / 40);
        r.DDay = static_cast<qint16>(1 + (i * 7 + next(5)) % 28);
        r.DToushi = 5000 + 1000 * static_cast<qint32>(next(26));
        const quint32 luck = next(10);
        r.DKaishuu = std::max(
            0, luck < 5 ? 0 : r.DToushi + 1000 * (static_cast<qint32>(next(40)) - 12 + (i / 4)));
        r.DSId = static_cast<qint16>(1 + next(3));
        r.DMId = static_cast<qint16>(1 + next(4));
        r.DComment = comments[static_cast<int>(next(6))];
        visits.append(r);
    }
    // In date order, as the entry window stores them.
    std::stable_sort(visits.begin(), visits.end(), [](const PlayRecord &a, const PlayRecord &b) {
        return std::tie(a.DMonth, a.DDay) < std::tie(b.DMonth, b.DDay);
    });
    ChangePlayerData(shared,
                     DataChange{visits,
                                QList<MasterEntry>{
                                    {1, u"駅前ホール"_s}, {2, u"パーラー銀河"_s}, {3, u"新台館"_s}},
                                QList<MasterEntry>{{1, u"ドラゴン伝説"_s},
                                                   {2, u"海の仲間たち"_s},
                                                   {3, u"黄金の城"_s},
                                                   {4, u"スター７"_s}}});
    shared.states.WakeKin = 1000;
    SavePlayerFile(shared, kPlayer);
}

void tourPlayerSelection(TourPlatform &platform)
{
    platform.onModal = [](QDialog &dialog) {
        auto &select = static_cast<PSelect &>(dialog);
        select.show();
        select.PList->setCurrentRow(0);
        select.KidouCheck->setChecked(true);
        shoot(select, u"player_select"_s);
        select.PSentaku_Click();
        return select.result();
    };
}

// Rate, spins, jackpots and tags of the entry grid's visits, as a player of
// each store would type them.
void fillDetails(Nyuuryoku &entry)
{
    const QStringList rates = {u"4円パチンコ"_s, u"1円パチンコ"_s, u"20円スロット"_s};
    const QStringList tags = {u"並び"_s, u""_s, u"イベント日"_s, u""_s, u"新台、並び"_s};
    DataGrid &grid = *entry.IGrid;
    for (int row = 1; row < grid.Rows() && !grid.TextMatrix(row, 0).isEmpty(); ++row) {
        const int store = std::clamp(grid.TextMatrix(row, 7).toInt(), 1, 3);
        const int toushi = grid.TextMatrix(row, 4).toInt(),
                  kaishuu = grid.TextMatrix(row, 5).toInt();
        grid.SetTextMatrix(row, 14, rates[store - 1]);
        grid.SetTextMatrix(row, 15,
                           QString::number(toushi / 1000 * (store == 3 ? 32 : 17 + row % 6)));
        grid.SetTextMatrix(row, 16, QString::number(kaishuu > toushi ? 1 + kaishuu / 9000 : 0));
        grid.SetTextMatrix(row, 17, tags[row % tags.size()]);
    }
}

void tourEntry(TourPlatform &platform, MainForm &mainForm)
{
    platform.onModal = [](QDialog &dialog) {
        auto &entry = static_cast<Nyuuryoku &>(dialog);
        entry.show();
        settle();
        // The store column of the last visit, so that the store list shows.
        const int last = entry.IGrid->Rows() - 1;
        int row = last;
        while (row > 1 && entry.IGrid->TextMatrix(row, 0).isEmpty())
            --row;
        entry.IGrid->SetRow(row);
        entry.IGrid->SetCol(8);
        entry.IGrid_SelChange();
        shoot(entry, u"entry"_s);
        const int lastVisit = row;

        // A row further up, so that the whole menu falls inside the window.
        row = std::max(1, row - 7);
        entry.IGrid->SetRow(row);
        entry.IGrid->SetCol(4);
        entry.IGrid_SelChange();
        const QRect cell = entry.IGrid->visualRect(entry.IGrid->model()->index(row - 1, 4));
        const QPoint at = entry.IGrid->viewport()->mapToGlobal(cell.center());
        entry.IGrid_MouseUp(Qt::RightButton, at);
        settle();
        if (QWidget *popup = QApplication::activePopupWidget()) {
            shootWithPopup(entry, *popup, u"entry_menu"_s);
            popup->close();
        } else {
            shootWithPopup(entry, *entry.Henshuu, u"entry_menu"_s);
            entry.Henshuu->close();
        }

        // The visit's details, typed into the grid for this picture only (the
        // window is cancelled), the rate list shown on the last visit.
        fillDetails(entry);
        entry.IGrid->SetRow(lastVisit);
        entry.IGrid->SetCol(17); // scrolled to the last column
        entry.IGrid_SelChange();
        settle();
        entry.IGrid->SetCol(14);
        entry.IGrid_SelChange();
        shoot(entry, u"entry_details"_s);
        if (checks) {
            entry.resize(1600, 1000);
            shoot(entry, u"check_entry_maximised"_s);
        }
        entry.hide();
        return int(QDialog::Rejected);
    };
    mainForm.RInput_Click();
    expectOpened(platform, u"entry window"_s);
}

void tourEditor(TourPlatform &platform, MainForm &mainForm)
{
    platform.onModal = [](QDialog &dialog) {
        dialog.show();
        settle();
        if (auto *list = dialog.findChild<QListWidget *>(u"SList"_s))
            list->setCurrentRow(1);
        shoot(dialog, u"store_editor"_s);
        dialog.hide();
        return int(QDialog::Rejected);
    };
    mainForm.RMiseAdd_Click();
    expectOpened(platform, u"store editor"_s);
}

void tourStatistics(TourPlatform &platform, MainForm &mainForm)
{
    platform.onModal = [](QDialog &dialog) {
        auto &stats = static_cast<Toukei &>(dialog);
        stats.show();
        settle(1200); // the first screen is drawn half a second after opening
        shoot(stats, u"stats_seiseki"_s);
        // The other screens: only the drawing area.
        stats.SGraph_Click();
        shoot(*stats.HGamen, u"stats_graph"_s);
        if (checks) {
            const QSize size = stats.size();
            stats.resize(1600, 1000);
            shoot(stats, u"check_stats_maximised"_s);
            stats.resize(size);
        }
        stats.SGStore_Click();
        shoot(*stats.HGamen, u"stats_store"_s);
        stats.SGDay_Click();
        shoot(*stats.HGamen, u"stats_weekday"_s);
        stats.SGShouhai_Click();
        shoot(*stats.HGamen, u"stats_biggest_win"_s);
        stats.SAdvice_Click();
        shoot(*stats.HGamen, u"stats_advice"_s);

        // Conditions: October of the sample year, whatever today is.
        stats.SJouken->click();
        stats.JMonth->click();
        for (int step = 0; step < 1200; ++step) {
            const int shown = stats.JSYear->text().toInt() * 12 + stats.JSMonth->text().toInt();
            const int wanted = 2026 * 12 + 10;
            if (shown == wanted)
                break;
            stats.JSMonth_MouseDown(shown > wanted ? 1 : 2); // left: back, right: forward
        }
        stats.SHyouji_Click();
        settle(1200);
        shoot(stats, u"stats_conditions"_s);
        stats.reject();
        return int(QDialog::Rejected);
    };
    mainForm.RDisp_Click();
    expectOpened(platform, u"statistics window"_s);
}

// The details a player who records them keeps of the n-th visit: the rate by
// machine (スター７ is a slot machine, the others mostly 4-yen balls), spins
// and jackpots by the money, and a tag or two on some visits; every ninth
// visit without any of them.
void giveDetails(PlayRecord &r, int n)
{
    if (n % 9 == 0)
        return;
    const QList<PlayRate> rates = StandardRates(); // 4, 2, 1, 0.5 yen; 20, 10, 5, 2 yen
    r.rate = r.DMId == 4 ? rates[n % 3 == 0 ? 6 : 4] : rates[n % 5 == 0 ? 2 : 0];
    if (r.rate.kind == PlayRate::Kind::Pachinko) {
        // 15 to 24 spins a thousand yen, more for the cheaper balls.
        const qint32 perThousand = 15 + (n * 7) % 10 + (r.rate.price < 400 ? 8 : 0);
        r.spins = r.DToushi / 1000 * perThousand;
    } else if (n % 4 != 1) {
        r.spins = r.DToushi / 1000 * (30 + (n * 3) % 12); // games of a slot machine
    }
    r.jackpots = r.DKaishuu > 0 ? 1 + r.DKaishuu / 9000 : 0;
    static const QStringList kTags = {u"イベント日"_s, u"新台"_s, u"並び"_s, u"角台"_s, u"朝一"_s};
    if (n % 3 != 2)
        r.tags.append(kTags[n % 5]);
    if (n % 4 == 0 && n % 5 != 1)
        r.tags.append(kTags[1]);
}

void addVisitDetails(SharedData &shared)
{
    QList<PlayRecord> records;
    for (qint32 n = 1; n <= shared.data.ListCount(); ++n) {
        PlayRecord r = shared.data.Record(n);
        giveDetails(r, n);
        records.append(r);
    }
    ChangePlayerData(shared, {records, {}, {}});
}

// A busy December in memory only (the pictures before stay as they were):
// up to three visits a day, and one record without a date.
void addBusyMonth(SharedData &shared)
{
    QList<PlayRecord> records;
    for (qint32 n = 1; n <= shared.data.ListCount(); ++n)
        records.append(shared.data.Record(n));
    quint32 state = 20261201;
    for (qint16 day = 1; day <= 27; ++day) {
        state = state * 1103515245u + 12345u;
        const quint32 r = (state >> 16) % 12;
        for (quint32 visit = 0; visit < (r < 4 ? 0 : r < 10 ? 1 : r - 8); ++visit) {
            const qint32 toushi = 3000 + 1000 * qint32((state >> (4 + visit)) % 30);
            const qint32 kaishuu =
                r % 3 == 0 ? 0 : toushi + 1000 * (qint32(r) * 3 - 14 + qint32(visit));
            const qint16 store = qint16(1 + (r + visit) % 3);
            const qint16 machine = qint16(1 + (r + 3 * visit) % 4);
            PlayRecord record{2026, 12, day, toushi, std::max(0, kaishuu), store, machine, {}};
            if (visit == 1)
                record.DComment = u"はしご"_s;
            giveDetails(record, day * 5 + qint32(visit));
            // Most visits with their play time, a late one past midnight.
            if (r % 4 != 1) {
                record.startMinute = qint16(visit == 0 ? 600 + 30 * (r % 4) : 960 + 60 * visit);
                record.endMinute = qint16((record.startMinute + 150 + 45 * r) % 1440);
            }
            records.append(record);
        }
    }
    records.append({0, 0, 0, 5000, 0, 1, 1, u"日付なし"_s});
    ChangePlayerData(shared, DataChange{records, {}, {}});
}

// Default size, then as large as a 1600 × 1000 screen allows.
void shootMaximised(QDialog &dialog, const QString &name)
{
    dialog.resize(1600, 1000);
    shoot(dialog, name);
}

// The first month of the sample with a draw day (beside the squares outside
// the month), and the first with a negative hourly result.
void shootCalendarChecks(CalendarWindow &calendar)
{
    calendar.resize(calendar.minimumSizeHint());
    const CalendarSums &sums = calendar.Sums();
    bool draw = false, hourly = false;
    for (qint32 month = 1; month <= 12; ++month) {
        for (const DaySum &d : sums.DaysOf(2026, month)) {
            if (!draw && std::abs(d.Sum.Balance()) < 1000) { // the sample's draw threshold
                draw = true;
                calendar.ShowMonth(2026, month, d.Date.day());
                shoot(calendar, u"check_calendar_draw"_s);
            }
        }
        if (!hourly && sums.MonthTime(2026, month).Hourly().value_or(0) < 0) {
            hourly = true;
            calendar.ShowMonth(2026, month, 1);
            shoot(calendar, u"check_calendar_loss"_s);
        }
    }
}

void tourCalendar(TourPlatform &platform, MainForm &mainForm)
{
    platform.onModal = [](QDialog &dialog) {
        auto &calendar = static_cast<CalendarWindow &>(dialog);
        calendar.show();
        // The day with the most visits.
        qint32 best = 1;
        qsizetype most = 0;
        for (const DaySum &d : calendar.Sums().DaysOf(2026, 12)) {
            if (d.Records.size() > most) {
                most = d.Records.size();
                best = d.Date.day();
            }
        }
        calendar.ShowMonth(2026, 12, best);
        shoot(calendar, u"calendar_busy"_s);
        calendar.ShowMonth(2027, 2, 1);
        shoot(calendar, u"calendar_empty"_s);
        calendar.ShowMonth(2026, 12, best);
        shootMaximised(calendar, u"calendar_maximised"_s);
        if (checks)
            shootCalendarChecks(calendar);
        calendar.hide();
        return int(QDialog::Rejected);
    };
    mainForm.RCalendar_Click();
    expectOpened(platform, u"calendar"_s);
}

void tourMonthlyChart(TourPlatform &platform, MainForm &mainForm)
{
    platform.onModal = [](QDialog &dialog) {
        auto &chart = static_cast<MonthlyChartWindow &>(dialog);
        chart.show();
        chart.ShowYear(2026);
        shoot(chart, u"monthly_chart"_s);
        shootMaximised(chart, u"monthly_chart_maximised"_s);
        chart.hide();
        return int(QDialog::Rejected);
    };
    mainForm.RMonthlyChart_Click();
    expectOpened(platform, u"monthly chart"_s);
}

// Start and end times for the sample's visits (the player file keeps none):
// openings at 10 o'clock, afternoons and evenings, one visit past midnight,
// every seventh visit without times.
void addPlayTimes(SharedData &shared)
{
    QList<PlayRecord> records;
    for (qint32 n = 1; n <= shared.data.ListCount(); ++n) {
        PlayRecord r = shared.data.Record(n);
        if (n % 7 != 0) {
            const int start = (n % 3 == 0 ? 10 : n % 3 == 1 ? 13 : 18) * 60 + (n * 17) % 60;
            r.startMinute = qint16(start);
            r.endMinute = qint16((start + 90 + (n * 53) % 330) % (24 * 60));
        }
        records.append(r);
    }
    ChangePlayerData(shared, {records, {}, {}});
}

void tourSummary(TourPlatform &platform, MainForm &mainForm, SharedData &shared)
{
    platform.onModal = [](QDialog &dialog) {
        auto &table = static_cast<Shuukei &>(dialog);
        table.show();
        shoot(table, u"summary_month"_s);
        table.SGroup->setCurrentIndex(int(SummaryGrouping::Hour));
        shoot(table, u"summary_hour"_s);
        table.SGroup->setCurrentIndex(int(SummaryGrouping::Rate));
        shoot(table, u"summary_rate"_s);
        table.SGroup->setCurrentIndex(int(SummaryGrouping::Tag));
        shoot(table, u"summary_tag"_s);
        if (checks) { // the widest table at the default size
            table.SGroup->setCurrentIndex(int(SummaryGrouping::StoreMachine));
            shoot(table, u"check_summary_store_machine"_s);
        }
        // By store, the largest balance first, over the whole screen.
        table.SGroup->setCurrentIndex(int(SummaryGrouping::Store));
        table.SGrid_HeaderClick(ColBalance);
        table.SGrid_HeaderClick(ColBalance);
        // As maximised on a screen of 1440 × 900 (the tour's virtual screen is
        // larger, and has no window manager that would maximise).
        table.setGeometry(QRect(QPoint(0, 0), QSize(1440, 860)));
        shoot(table, u"summary_store"_s);
        table.hide();
        return int(QDialog::Rejected);
    };
    mainForm.RShuukei_Click();
    expectOpened(platform, u"summary table"_s);

    // A file with rows already there (the first three of the player's own
    // export), new rows, a new store and two faults.
    const QStringList exported =
        CsvExchange::RecordsCsv(shared.data, shared.Stores, shared.Machines).split(u"\r\n"_s);
    const QString csv = exported.mid(0, 4).join(u"\r\n"_s) +
                        u"\r\n"
                        "2026/12/01,火,10000,0,-10000,駅前ホール,ドラゴン伝説,,1,1\r\n"
                        "2026/12/02,水,8000,21000,13000,パーラー銀河,黄金の城,,2,3\r\n"
                        "2026/12/05,土,15000,32000,17000,グランドホール,スター７,初来店,9,4\r\n"
                        "2026/12/32,,5000,0,-5000,駅前ホール,スター７,,1,4\r\n"
                        "2026/12/06,日,五千,0,,新台館,黄金の城,,3,3\r\n"_s;
    QFile file(shared.folder.File(u"import.csv"_s)); // beside the players, never the working folder
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.toUtf8()) < 0) {
        ++failures;
        return;
    }
    file.close();
    platform.fileAnswer = QFileInfo(file).absoluteFilePath();
    platform.onModal = [](QDialog &dialog) {
        dialog.show();
        shoot(dialog, u"summary_import"_s);
        dialog.hide();
        return int(QDialog::Rejected);
    };
    mainForm.FCsvImport_Click();
    expectOpened(platform, u"import preview"_s);
}

void tourAbout(TourPlatform &platform, MainForm &mainForm)
{
    platform.onModal = [](QDialog &dialog) {
        dialog.show();
        shoot(dialog, u"about"_s);
        dialog.hide();
        return int(QDialog::Accepted);
    };
    mainForm.HAbout_Click();
    expectOpened(platform, u"version dialog"_s);
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    // Settings go to the temporary folder too, before Qt reads the variable;
    // only the desktop theme's own file comes along (qt6ct: a dark palette).
    const QString config = home.filePath(u"config"_s);
    const QString themeFile = u"/qt6ct/qt6ct.conf"_s;
    const QString personal =
        qEnvironmentVariable("XDG_CONFIG_HOME", QDir::homePath() + u"/.config"_s);
    if (QFile::exists(personal + themeFile) && QDir().mkpath(config + u"/qt6ct"_s))
        QFile::copy(personal + themeFile, config + themeFile);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));

    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(u"るでら３"_s);
    if (argc < 2) {
        QTextStream(stderr) << u"usage: screenshot_tour OUTPUT_FOLDER\n"_s;
        return 2;
    }
    outputFolder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    checks = argc > 2 && QByteArrayView(argv[2]) == "--checks";
    QDir().mkpath(outputFolder);
    DataFolder data;
    QString error;
    if (!PrepareDataFolder(home.filePath(u"data"_s), data, error))
        return 1;

    InitLedraResources();
    QApplication::setStyle(new AppStyle); // as the program runs
    QApplication::setFont(UiFont());
    QApplication::setWindowIcon(QIcon(u":/icons/app_icon.svg"_s));

    TourPlatform platform;
    {
        SharedData sample(platform, data);
        makeSamplePlayer(sample);
    }

    SharedData shared(platform, data);
    MainForm mainForm(shared);
    tourPlayerSelection(platform); // opened by the main window at its first showing
    QTimer::singleShot(0, [&] {
        mainForm.show();
        settle(800);
        expectOpened(platform, u"player selection"_s);
        shoot(mainForm, u"main_menu"_s);
        addPlayTimes(shared);
        addVisitDetails(shared);
        tourEntry(platform, mainForm);
        tourEditor(platform, mainForm);
        tourStatistics(platform, mainForm);
        tourSummary(platform, mainForm, shared);
        addBusyMonth(shared);
        tourCalendar(platform, mainForm);
        tourMonthlyChart(platform, mainForm);
        tourAbout(platform, mainForm);
        QApplication::exit(failures == 0 ? 0 : 1);
    });
    return app.exec();
}
