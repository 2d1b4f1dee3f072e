#pragma once
// The store editor (MiseAdd) and the machine editor (DaiAdd): one dialog in two
// configurations. The dialog edits a working copy, the lines of SList; OK
// writes it into the list object and marks the player's data as modified.

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class SMData;
struct SharedData;

class MasterEditor : public QDialog {
    Q_OBJECT
public:
    enum class Kind { MiseAdd, DaiAdd };
    MasterEditor(SharedData &shared, Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return kind_; }

    // Names hold at most this many bytes of the data file's code page.
    static constexpr qsizetype kNameBytes = 16;

public slots:
    void DAdd_Click();
    void DDel_Click();
    void SList_Click();
    void OK_Click();
    void Cancel_Click();
    // Typing into DName: refuses what the data file could not carry.
    void DName_Change(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void Form_Load();
    void InputCheck(qint16 Id, const QString &Name, bool &Ok) const;
    void IdCheck(qint16 Id, bool &Ok);
    // Inserts a line at its place in ID order and returns its row.
    int addLine(qint16 id, const QString &name);
    const SMData &listObject() const;

    SharedData &shared_;
    Kind kind_;
    QString acceptedName_; // DName's text before the edit being checked

    QListWidget *SList = nullptr;
    QLineEdit *DId = nullptr;
    QLineEdit *DName = nullptr;
    QPushButton *DAdd = nullptr;
    QPushButton *DDel = nullptr;
    QPushButton *OK = nullptr;
    QPushButton *Cancel = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Yajirushi = nullptr;
    QLabel *Icon = nullptr;
};
