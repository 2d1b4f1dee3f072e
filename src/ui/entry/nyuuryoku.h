#pragma once
// The results entry window.

#include <QDialog>

struct SharedData;

class Nyuuryoku : public QDialog {
    Q_OBJECT
public:
    explicit Nyuuryoku(SharedData &shared, QWidget *parent = nullptr);

private:
    SharedData &shared_;
};
