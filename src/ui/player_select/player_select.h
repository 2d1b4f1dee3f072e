#pragma once
// The player selection dialog: lists the players (the "*.pcd" files of the
// data folder), creates and deletes players and opens the chosen one.

#include <QDialog>
#include <functional>

class PictureButton;
class Platform;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
struct SharedData;

// The player opened automatically at start ("" for none), kept in the settings
// store as ledra3 / Start / UserName. A stored name that breaks the player-name
// rule (such as "../x") counts as none. RememberPlayer is false when the store
// could not be written.
QString RememberedPlayer(Platform &platform);
bool RememberPlayer(Platform &platform, const QString &name);

// Opens a player (OpenPlayer) and shows its messages; a lock from another
// computer is taken over when the person answers Yes. Then offers the sync
// programs' conflict copies of its files (copy_offers.h). False when the
// player could not be opened: another running copy of the program has it.
bool OpenPlayerAndTell(SharedData &shared, const QString &name);

class PSelect : public QDialog {
    Q_OBJECT
public:
    // playerOpened runs after a player has been opened, so that the main window
    // can show the player's sound and draw-threshold settings in its menus.
    explicit PSelect(SharedData &shared, QWidget *parent = nullptr,
                     std::function<void()> playerOpened = {});

    // The characters of FileName before its first ".".
    static QString DelKakuchou(const QString &FileName);
    // Writes the new-player file (a full path) unless a file of that name
    // exists; false when the file could not be written.
    static bool MakeFile(const QString &FileName);

    void ListDisp();
    void PSentaku_Click();
    void PList_DblClick();
    void PNew_Click();
    void PDel_Click();
    void PCancel_Click();

    QLabel *Label1;
    PictureButton *NameTitleImage;
    QListWidget *PList;
    QCheckBox *KidouCheck;
    QPushButton *PSentaku;
    QPushButton *PNew;
    QPushButton *PDel;
    QPushButton *PCancel;

private:
    void Form_Load();
    void UserSelect();
    QString selectedName() const;
    void tellUnreadableFolder();

    SharedData &shared_;
    std::function<void()> playerOpened_;
};
