#pragma once
// The version information dialog.

#include <QDialog>

class QLabel;
class QPushButton;

class About : public QDialog {
    Q_OBJECT
public:
    explicit About(QWidget *parent = nullptr);

    // "Version " + major + "." + minor and revision written together.
    static QString VersionText();

    QLabel *lblVersion;
    QPushButton *OK;
};
