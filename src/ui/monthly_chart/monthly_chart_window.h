#pragma once
// The monthly chart window: the balance of every month of a year, or of all
// years, with the running total; saved as a PNG picture or printed, each as a
// page with the player, the period and the totals above the chart. Reads the
// record table only, and follows its changes.

#include "core/file/save_sequence.h"
#include "core/statistics/calendar_sums.h"

#include <QDialog>
#include <QImage>

class MonthlyChart;
class QComboBox;
class QLabel;
class QPushButton;
struct SharedData;

class MonthlyChartWindow : public QDialog {
    Q_OBJECT
public:
    explicit MonthlyChartWindow(SharedData &shared, QWidget *parent = nullptr);

    // Default size in twips.
    static constexpr int kDefaultWidth = 12600;
    static constexpr int kDefaultHeight = 8100;

    // The months of a year; 0 for every month from the first visit to the last.
    void ShowYear(qint32 year);
    qint32 ShownYear() const { return year_; }
    // The page as the picture saves it: the header over the chart as shown, at
    // the screen's pixel density.
    QImage Picture() const;
    void savePicture();
    void print();

    // Where the print module is; empty: next to the program or where it is
    // installed (see print_page.h).
    QString PrintModule;
    // How the picture and a PDF are written (tests make it fail).
    SaveWriteFn writeFile;

    QComboBox *periodBox = nullptr;
    MonthlyChart *chart = nullptr;
    QLabel *totalsLine = nullptr;
    QLabel *undatedNote = nullptr;
    QPushButton *saveButton = nullptr;
    QPushButton *printButton = nullptr;
    QPushButton *closeButton = nullptr;

private:
    void createControls();
    void dataChanged();
    void writeOut(const QString &path, const QByteArray &bytes, const QString &failure);

    SharedData &shared_;
    CalendarSums sums_;
    qint32 year_ = -1;
};
