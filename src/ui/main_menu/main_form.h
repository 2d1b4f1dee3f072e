#pragma once
// The main menu window.

#include <QMainWindow>

struct SharedData;

class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(SharedData &shared, QWidget *parent = nullptr);

private:
    SharedData &shared_;
};
