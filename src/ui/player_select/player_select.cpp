#include "ui/player_select/player_select.h"

#include "core/file/data_folder.h"
#include "core/file/player_name.h"
#include "core/file/save_sequence.h"
#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/util/tool.h"
#include "ui/app_font.h"
#include "ui/sync_copies/copy_offers.h"
#include "ui/twips.h"
#include "ui/widgets/picture_button.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString kNewTitle = u"新規ユーザ入力"_s;

QString lineEnd()
{
    return QString::fromUtf16(UserDataFile::kLineEnd);
}
} // namespace

QString RememberedPlayer(Platform &platform)
{
    const QString name = platform.GetSetting(u"ledra3"_s, u"Start"_s, u"UserName"_s);
    return IsUsablePlayerName(name) ? name : QString();
}

bool RememberPlayer(Platform &platform, const QString &name)
{
    return platform.SaveSetting(u"ledra3"_s, u"Start"_s, u"UserName"_s, name);
}

bool OpenPlayerAndTell(SharedData &shared, const QString &name)
{
    PlayerOpening opening = OpenPlayer(shared, name);
    if (opening.takeOverQuestion) {
        if (shared.platform.Show(*opening.takeOverQuestion) != MsgResult::Yes)
            return false;
        opening = OpenPlayer(shared, name, true);
    }
    for (const MessageBoxText &m : opening.messages)
        shared.platform.Show(m);
    if (opening.opened)
        OfferConflictCopies(shared, OfferMoment::Opening);
    return opening.opened;
}

PSelect::PSelect(SharedData &shared, QWidget *parent, std::function<void()> playerOpened)
    : QDialog(parent), shared_(shared), playerOpened_(std::move(playerOpened))
{
    setWindowTitle(u"プレイヤー選択"_s);
    setFont(UiFont(10));

    Label1 = new QLabel(u"プレーヤの選択"_s, this);
    Label1->setFont(UiFont(14));
    NameTitleImage = new PictureButton(this);
    NameTitleImage->setPicture(u":/pictures/player_title.svg"_s, QSize(48, 48));
    NameTitleImage->setCursor(Qt::ArrowCursor);
    PList = new QListWidget(this);
    PList->setSelectionMode(QAbstractItemView::SingleSelection);
    PList->setFixedSize(TwipsSize(3300, 2700));
    KidouCheck = new QCheckBox(u"このユーザで自動起動する"_s, this);
    PSentaku = new QPushButton(u"選択"_s, this);
    PNew = new QPushButton(u"新規"_s, this);
    PDel = new QPushButton(u"削除"_s, this);
    PCancel = new QPushButton(u"ｷｬﾝｾﾙ"_s, this);
    PSentaku->setDefault(true);

    auto *heading = new QHBoxLayout;
    heading->addWidget(NameTitleImage);
    heading->addWidget(Label1);
    heading->addStretch();
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {PSentaku, PNew, PDel}) {
        b->setMinimumWidth(Twips(1300));
        buttons->addWidget(b);
    }
    buttons->addStretch();
    PCancel->setMinimumWidth(Twips(1300));
    buttons->addWidget(PCancel);
    auto *grid = new QGridLayout(this);
    grid->addLayout(heading, 0, 0, 1, 2);
    grid->addWidget(PList, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(KidouCheck, 2, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(PSentaku, &QPushButton::clicked, this, &PSelect::PSentaku_Click);
    connect(PList, &QListWidget::itemDoubleClicked, this, &PSelect::PList_DblClick);
    connect(PNew, &QPushButton::clicked, this, &PSelect::PNew_Click);
    connect(PDel, &QPushButton::clicked, this, &PSelect::PDel_Click);
    connect(PCancel, &QPushButton::clicked, this, &PSelect::PCancel_Click);

    Form_Load();
}

void PSelect::Form_Load()
{
    if (QWidget *main = parentWidget())
        move(main->frameGeometry().topLeft() + QPoint(Twips(1000), Twips(1000)));
    KidouCheck->setChecked(!RememberedPlayer(shared_.platform).isEmpty());
    ListDisp();
}

QString PSelect::DelKakuchou(const QString &FileName)
{
    return FileName.section(u'.', 0, 0);
}

bool PSelect::MakeFile(const QString &FileName)
{
    if (FileCheck(FileName))
        return true;
    QByteArray bytes;
    return UserDataFile::EncodeSection(UserDataFile::NewPlayerFileText(), bytes) &&
           ReplaceFileContents(FileName, bytes);
}

void PSelect::ListDisp()
{
    PList->clear();
    // The file system lists in no useful order; players are shown by name.
    QStringList names;
    for (const QString &file : shared_.folder.PlayerFileNames())
        names.append(DelKakuchou(file));
    names.sort();
    names.removeDuplicates();
    PList->addItems(names);
    tellUnreadableFolder();
}

void PSelect::tellUnreadableFolder()
{
    // An empty list would look as if every player were gone.
    if (const QString text = UnreadableFolderText(shared_.folder.Path()); !text.isEmpty())
        shared_.platform.MsgBox(text + lineEnd() + u"プレーヤーの一覧を表示できません。"_s,
                                MsgButtons::Ok, MsgIcon::Exclamation);
}

QString PSelect::selectedName() const
{
    const QList<QListWidgetItem *> items = PList->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

void PSelect::PSentaku_Click()
{
    UserSelect();
}

void PSelect::PList_DblClick()
{
    UserSelect();
}

void PSelect::PNew_Click()
{
    Platform &ui = shared_.platform;
    const QString name = ui.InputBox(u"新規ユーザ名を入力して下さい。"_s, kNewTitle);
    if (name.isEmpty()) {
        ListDisp();
        return;
    }
    // The name becomes a file name, and the list cuts names at their first ".".
    // The backslash is listed as "＼" (U+FF3C): the Japanese font draws U+005C
    // as "¥", and "¥" (the yen key) is a usable name.
    if (!IsUsablePlayerName(name)) {
        ui.MsgBox(u"このユーザ名は使えません。"_s + lineEnd() +
                      u"空白だけの名前や、次の文字を含む名前は使えません： . / ＼ : * ? \" < > |"_s,
                  MsgButtons::Ok, MsgIcon::None, kNewTitle);
        return;
    }
    const QString pcd = shared_.folder.PlayerFile(name);
    if (FileCheck(pcd)) {
        ui.MsgBox(u"そのユーザは既に存在しています"_s, MsgButtons::Ok, MsgIcon::None, kNewTitle);
        return;
    }
    if (!MakeFile(pcd)) {
        ui.MsgBox(u"ユーザのファイルを作成できませんでした"_s, MsgButtons::Ok, MsgIcon::None,
                  kNewTitle);
        return;
    }
    ListDisp();
}

void PSelect::PDel_Click()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    Platform &ui = shared_.platform;
    // The open player's data live in memory; without its file the next save
    // would have nothing to back up, so it cannot be deleted.
    if (name == shared_.states.UserName) {
        ui.MsgBox(u"'"_s + name + u"' は使用中のため削除できません。"_s + lineEnd() +
                  u"別のプレーヤーを選択してから削除して下さい。"_s);
        return;
    }
    // Another running copy that has the player open would write it back: it
    // is refused before the question, and kept off while the person decides.
    const auto confirm = [&] {
        const QString text = u"'"_s + name + u"' を削除します。"_s + lineEnd() +
                             u"このデータは失われます。よろしいですか？"_s;
        return ui.MsgBox(text, MsgButtons::OkCancel, MsgIcon::Exclamation, u"確認"_s) ==
               MsgResult::Ok;
    };
    QString message;
    switch (DeletePlayerFile(shared_.folder, name, confirm, message)) {
    case Deletion::Deleted: break;
    case Deletion::Cancelled: return;
    case Deletion::Refused:
    case Deletion::Failed: ui.MsgBox(message); break;
    }
    ListDisp();
}

void PSelect::PCancel_Click()
{
    reject();
}

void PSelect::UserSelect()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    // A player another running copy has open is refused; the dialog stays.
    if (!OpenPlayerAndTell(shared_, name))
        return;
    if (!RememberPlayer(shared_.platform, KidouCheck->isChecked() ? name : QString()) &&
        !shared_.toldSettingsFailure) {
        shared_.toldSettingsFailure = true;
        shared_.platform.MsgBox(u"自動起動の設定を保存できませんでした。"_s + lineEnd() +
                                u"設定ファイルに書き込めるか確かめて下さい。"_s);
    }
    if (playerOpened_)
        playerOpened_();
    accept();
}
