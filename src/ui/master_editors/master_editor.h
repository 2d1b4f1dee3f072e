#pragma once
// The store editor (MiseAdd) and the machine editor (DaiAdd): one dialog in two
// configurations.

#include <QDialog>

struct SharedData;

class MasterEditor : public QDialog {
    Q_OBJECT
public:
    enum class Kind { MiseAdd, DaiAdd };
    MasterEditor(SharedData &shared, Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return kind_; }

private:
    SharedData &shared_;
    Kind kind_;
};
