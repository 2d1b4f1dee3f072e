#pragma once
// The calendar window: the results of a month day by day, the month's totals
// under it and the visits of the chosen day beside it. Reads the record table
// only, and follows its changes.

#include "core/statistics/calendar_sums.h"

#include <QDate>
#include <QDialog>

class CalendarGrid;
class DayListModel;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableView;
class YearBox;
struct SharedData;

class CalendarWindow : public QDialog {
    Q_OBJECT
public:
    explicit CalendarWindow(SharedData &shared, QWidget *parent = nullptr);

    // Default size in twips.
    static constexpr int kDefaultWidth = 17400;
    static constexpr int kDefaultHeight = 8400;

    // Shows a month and chooses a day of it (the last day when it is shorter).
    void ShowMonth(qint32 year, qint32 month, qint32 day);
    QDate CurrentDate() const { return current_; }
    const CalendarSums &Sums() const { return sums_; }

    void showPreviousMonth();
    void showNextMonth();
    void showThisMonth();
    // Arrows move the day, PageUp/PageDown the month, Home goes to today.
    void pageKey(int key);

    CalendarGrid *monthPage = nullptr;
    QPushButton *prevButton = nullptr;
    QPushButton *nextButton = nullptr;
    QPushButton *thisMonthButton = nullptr;
    QPushButton *closeButton = nullptr;
    YearBox *yearBox = nullptr;
    QComboBox *monthBox = nullptr;
    // The month's totals.
    QLabel *monthTitle = nullptr;
    QLabel *monthRecord = nullptr; // "21戦 (16勝 5敗 0分)"
    QLabel *monthBalance = nullptr;
    QLabel *monthHourly = nullptr;
    QLabel *monthPayoutRatio = nullptr;
    QLabel *monthWinRate = nullptr;
    QLabel *monthPlayTime = nullptr;
    // The chosen day.
    QLabel *dayTitle = nullptr;
    QLabel *daySummary = nullptr;
    QTableView *dayList = nullptr;
    DayListModel *dayModel = nullptr;
    QLabel *undatedNote = nullptr;

private:
    void createControls();
    void connectControls();
    void dataChanged();
    void yearRefused();
    void moveTo(const QDate &date);
    void showMonthPage();
    void showMonthTotals();
    void showDay();
    void showDetailColumns(bool rates, bool tags);
    void fitDayColumns();

    SharedData &shared_;
    QHBoxLayout *middle_ = nullptr; // the month page beside the day
    CalendarSums sums_;
    QDate today_;
    QDate current_;
};
