#pragma once
// The monthly chart window: the balance of every month of a year, or of all
// years, with the running total; saved as a PNG picture or printed. Reads the
// record table only.

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
    // The chart as it is shown, at the screen's pixel density.
    QImage Picture() const;
    // Where the print module is; empty: next to the program or where it is
    // installed (see print_page.h).
    QString PrintModule;

    void JKikan_Change();
    void SSave_Click();
    void SPrint_Click();
    void TEnd_Click();

    QComboBox *JKikan = nullptr;
    MonthlyChart *Chart = nullptr;
    QLabel *HTotal = nullptr;
    QLabel *HUndated = nullptr;
    QPushButton *SSave = nullptr;
    QPushButton *SPrint = nullptr;
    QPushButton *TEnd = nullptr;

private:
    void createControls();
    QString periodText() const;

    SharedData &shared_;
    CalendarSums sums_;
    qint32 year_ = 0;
};
