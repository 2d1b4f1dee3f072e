#pragma once
// The calendar window: the results of a month day by day, the month's totals
// under it and the visits of the chosen day beside it. Reads the record table
// only.

#include "core/statistics/calendar_sums.h"

#include <QDate>
#include <QDialog>

class CalendarGrid;
class DataGrid;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
struct SharedData;

class CalendarWindow : public QDialog {
    Q_OBJECT
public:
    explicit CalendarWindow(SharedData &shared, QWidget *parent = nullptr);

    // Default size in twips.
    static constexpr int kDefaultWidth = 15600;
    static constexpr int kDefaultHeight = 8400;

    // Shows a month and chooses a day of it (the last day when it is shorter).
    void ShowMonth(qint32 year, qint32 month, qint32 day);
    QDate CurrentDate() const { return current_; }
    const CalendarSums &Sums() const { return sums_; }

    void SPrev_Click();
    void SNext_Click();
    void SKongetsu_Click();
    void JYear_Change();
    void JMonth_Change();
    void Days_Click(qint32 day);
    // Arrows move the day, PageUp/PageDown the month, Home goes to today.
    void Days_KeyDown(int KeyCode);
    void TEnd_Click();

    CalendarGrid *Days = nullptr;
    QPushButton *SPrev = nullptr;
    QPushButton *SNext = nullptr;
    QPushButton *SKongetsu = nullptr;
    QPushButton *TEnd = nullptr;
    QSpinBox *JYear = nullptr;
    QComboBox *JMonth = nullptr;
    // The month's totals.
    QLabel *HMonth = nullptr;
    QLabel *HSeiseki = nullptr;
    QLabel *HShuushi = nullptr;
    QLabel *HKaishuuRitsu = nullptr;
    QLabel *HShouritsu = nullptr;
    // The chosen day.
    QLabel *HDay = nullptr;
    QLabel *HDaySum = nullptr;
    DataGrid *DayList = nullptr;
    QLabel *HUndated = nullptr;

private:
    void createControls();
    void connectControls();
    void moveTo(const QDate &date);
    void showMonthTotals();
    void showDay();

    SharedData &shared_;
    CalendarSums sums_;
    QDate today_;
    QDate current_;
};
