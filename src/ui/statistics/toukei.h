#pragma once
// The statistics window.

#include <QDialog>

struct SharedData;

class Toukei : public QDialog {
    Q_OBJECT
public:
    explicit Toukei(SharedData &shared, QWidget *parent = nullptr);

private:
    SharedData &shared_;
};
