#include "ui/master_editors/master_editor.h"

#include "ui/widgets/picture.h"

#include "core/file/cp932.h"
#include "core/file/user_data_file.h"
#include "core/model/shared_data.h"
#include "core/platform.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"
#include "ui/app_font.h"
#include "ui/app_style.h"
#include "ui/readable_colors.h"
#include "ui/window_place.h"

#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {
// Digits of an ID typed into DId.
constexpr int kIdDigits = 3;

// A line is the ID, a comma and the name: the ID ends at the first comma, so
// IDs of any width and names holding a comma (both possible in a file) come
// back unchanged.
qint16 lineId(const QListWidgetItem *item)
{
    const QString text = item->text();
    return static_cast<qint16>(QStringView(text).left(text.indexOf(u',')).toInt());
}

QString lineName(const QListWidgetItem *item)
{
    const QString text = item->text();
    return text.mid(text.indexOf(u',') + 1);
}

// One line of the list: the ID with three digits, a comma and the name.
QString lineText(qint16 id, const QString &name)
{
    return FormatZeroPad(id, 3) + u',' + name;
}

// Characters a name cannot hold: the list separator, the quote the file
// cannot escape, and what code page 932 cannot carry.
qsizetype forbiddenCount(const QString &text)
{
    qsizetype n = 0;
    for (QChar ch : text)
        n += (ch == u',' || ch == u'"' || !IsCp932Encodable(QString(ch))) ? 1 : 0;
    return n;
}

// The part of after that an edit of before inserted or replaced.
QString insertedPart(const QString &before, const QString &after)
{
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    if (head > 0 && after[head - 1].isHighSurrogate())
        --head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    if (tail > 0 && after[after.size() - tail].isLowSurrogate())
        --tail;
    return after.mid(head, after.size() - head - tail);
}

// The first character a name cannot hold (the list separator, or what the
// file cannot carry); empty when none.
QString firstForbidden(const QString &text)
{
    const qsizetype comma = text.indexOf(u',');
    const QString bad = UserDataFile::FirstUncarried(comma < 0 ? text : text.left(comma));
    return !bad.isEmpty() || comma < 0 ? bad : u","_s;
}

// The refusal of a name, naming the character.
QString forbiddenMessage(const QString &character)
{
    return u"「"_s + character + u"」は名前に使えない文字です。"_s;
}

} // namespace

MasterEditor::MasterEditor(SharedData &shared, Kind kind, QWidget *parent)
    : QDialog(parent), shared_(shared), kind_(kind)
{
    buildControls();
    Form_Load();
    OK->setEnabled(!shared_.file.ReadOnly()); // a read-only player is never changed
}

const SMData &MasterEditor::listObject() const
{
    return kind_ == Kind::MiseAdd ? shared_.Stores : shared_.Machines;
}

void MasterEditor::buildControls()
{
    const bool mise = kind_ == Kind::MiseAdd;
    const QString caption = mise ? u"店データ追加"_s : u"台データ追加"_s;
    setWindowTitle(caption);
    setObjectName(mise ? u"MiseAdd"_s : u"DaiAdd"_s);
    setFont(UiFont());

    Icon = new QLabel(this);
    Icon->setObjectName(mise ? u"MMiseAdd"_s : u"MDaiAdd"_s);
    Icon->setPixmap(RenderPicture(mise ? u":/pictures/mise_add.svg"_s : u":/pictures/dai_add.svg"_s,
                                  QSize(48, 48), devicePixelRatioF()));
    Label4 = new QLabel(caption, this);
    Label4->setObjectName(u"Label4"_s);
    Label4->setFont(UiFont(16));

    Label1 = new QLabel(u"ID"_s, this);
    Label1->setObjectName(u"Label1"_s);
    DId = new QLineEdit(this);
    DId->setObjectName(u"DId"_s);
    DId->setMaxLength(kIdDigits);
    Label2 = new QLabel(mise ? u"店名 (16Bytesまで)"_s : u"台名(16Bytesまで)"_s, this);
    Label2->setObjectName(u"Label2"_s);
    DName = new QLineEdit(this);
    DName->setObjectName(u"DName"_s);
    DAdd = new QPushButton(u"追加"_s, this);
    DAdd->setObjectName(u"DAdd"_s);
    Label5 = new QLabel(u"※追加しないと登録されません"_s, this);
    Label5->setObjectName(u"Label5"_s);
    SetTextColor(Label5, QColor(0xb0, 0, 0));

    Yajirushi = new QLabel(this);
    Yajirushi->setObjectName(u"Yajirushi"_s);
    Yajirushi->setPixmap(
        RenderPicture(u":/pictures/arrow.svg"_s, QSize(32, 32), devicePixelRatioF()));

    Label3 = new QLabel(u"ID , 店名"_s, this);
    Label3->setObjectName(u"Label3"_s);
    SList = new QListWidget(this);
    SList->setObjectName(u"SList"_s);
    SList->setSelectionMode(QAbstractItemView::SingleSelection);
    SList->setUniformItemSizes(true); // a long list lays out at once
    DDel = new QPushButton(u"削除"_s, this);
    DDel->setObjectName(u"DDel"_s);

    OK = new QPushButton(u"OK"_s, this);
    OK->setObjectName(u"OK"_s);
    Cancel = new QPushButton(u"ｷｬﾝｾﾙ"_s, this);
    Cancel->setObjectName(u"Cancel"_s);

    // Enter in a text box must neither store nor drop the edits: no button
    // is the default.
    for (QPushButton *b : {DAdd, DDel, OK, Cancel})
        b->setAutoDefault(false);

    // Widths from the font and the style's frames, so that the longest name
    // fits whatever the font and style. An ID from a file may have five
    // digits (IDs are 16-bit).
    const QFontMetrics fm(font());
    const QString wide = u"ＷＷＷＷＷＷＷＷ"_s, narrow = u"W"_s.repeated(16);
    const int nameWidth = std::max(fm.horizontalAdvance(wide), fm.horizontalAdvance(narrow));
    DName->setFixedWidth(std::max(
        {nameWidth + 12, TextFitSize(*DName, wide).width(), TextFitSize(*DName, narrow).width()}));
    DId->setFixedWidth(
        std::max(fm.horizontalAdvance(u"0000"_s) + 12, TextFitSize(*DId, u"00000"_s).width()));
    SList->setFixedSize(fm.horizontalAdvance(u"000,"_s) + nameWidth + 40, 14 * fm.height());

    auto *head = new QHBoxLayout;
    head->addWidget(Icon);
    head->addSpacing(8);
    head->addWidget(Label4);
    head->addStretch();

    auto *idRow = new QHBoxLayout;
    idRow->addWidget(Label1);
    idRow->addWidget(DId);
    idRow->addStretch();

    auto *entry = new QVBoxLayout;
    entry->addStretch();
    entry->addLayout(idRow);
    entry->addSpacing(6);
    entry->addWidget(Label2);
    entry->addWidget(DName);
    entry->addSpacing(6);
    entry->addWidget(DAdd, 0, Qt::AlignLeft);
    entry->addWidget(Label5);
    entry->addStretch();

    auto *list = new QVBoxLayout;
    list->addWidget(Label3);
    list->addWidget(SList);
    list->addWidget(DDel, 0, Qt::AlignRight);

    auto *body = new QHBoxLayout;
    body->addLayout(entry);
    body->addSpacing(6);
    body->addWidget(Yajirushi, 0, Qt::AlignVCenter);
    body->addSpacing(6);
    body->addLayout(list);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addWidget(Cancel);

    auto *root = new QVBoxLayout(this);
    root->addLayout(head);
    root->addLayout(body);
    root->addWidget(line);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize); // the dialog keeps its size

    connect(DAdd, &QPushButton::clicked, this, &MasterEditor::DAdd_Click);
    connect(DDel, &QPushButton::clicked, this, &MasterEditor::DDel_Click);
    connect(OK, &QPushButton::clicked, this, &MasterEditor::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &MasterEditor::Cancel_Click);
    // A click, also on the line already chosen, and moves with the keys.
    connect(SList, &QListWidget::itemClicked, this, &MasterEditor::SList_Click);
    connect(SList, &QListWidget::currentRowChanged, this, &MasterEditor::SList_Click);
    // textEdited (the person's edits) comes before textChanged (every change),
    // so the check sees the text as it was before the edit.
    connect(DName, &QLineEdit::textEdited, this, &MasterEditor::DName_Change);
    connect(DName, &QLineEdit::textChanged, this, [this] { acceptedName_ = DName->text(); });
}

void MasterEditor::Form_Load()
{
    QList<qint16> ids{0};
    QList<QString> names{QString()};
    listObject().ReadData(ids, names);

    // In ID order, sorted once; equal IDs keep the file's order.
    QList<qsizetype> order(ids.size() - 1);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return ids[a] < ids[b]; });
    QStringList lines;
    lines.reserve(order.size());
    for (qsizetype i : order)
        lines.append(lineText(ids[i], names[i]));
    const QSignalBlocker block(SList);
    SList->clear();
    SList->addItems(lines);
    SList->setCurrentRow(-1);
}

void MasterEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

int MasterEditor::addLine(qint16 id, const QString &name)
{
    // After every line with the same or a lower ID (the lines are in ID order).
    int low = 0, high = SList->count();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (lineId(SList->item(mid)) <= id)
            low = mid + 1;
        else
            high = mid;
    }
    SList->insertItem(low, lineText(id, name));
    return low;
}

void MasterEditor::SList_Click()
{
    const QListWidgetItem *item = SList->currentItem();
    if (!item)
        return;
    const QString id = FormatZeroPad(lineId(item), 3);
    // Typed IDs have three digits; one read from a file may have more.
    DId->setMaxLength(std::max(kIdDigits, int(id.size())));
    DId->setText(id);
    DName->setText(lineName(item));
}

void MasterEditor::DName_Change(const QString &text)
{
    const QString mapped = MapToCp932Forms(text);
    const QString before = MapToCp932Forms(acceptedName_);
    const bool moreForbidden = forbiddenCount(mapped) > forbiddenCount(before);
    const bool tooLong =
        Cp932Length(mapped) > kNameBytes && Cp932Length(mapped) > Cp932Length(before);
    if (!moreForbidden && !tooLong)
        return;

    // Put the text back as it was, the cursor where the refused input began.
    const int cursor =
        DName->cursorPosition() - static_cast<int>(text.size() - acceptedName_.size());
    DName->setText(acceptedName_);
    DName->setCursorPosition(std::clamp(cursor, 0, static_cast<int>(acceptedName_.size())));

    const QString bad =
        moreForbidden ? firstForbidden(insertedPart(acceptedName_, text)) : QString();
    if (!bad.isEmpty()) {
        shared_.platform.MsgBox(forbiddenMessage(bad), MsgButtons::Ok, MsgIcon::Exclamation);
    } else {
        SoundPlay(shared_.platform, shared_.states, 3);
    }
}

void MasterEditor::InputCheck(qint16 Id, const QString &Name, bool &Ok) const
{
    if (!firstForbidden(Name).isEmpty() || Cp932Length(Name) > kNameBytes) {
        Ok = false;
        return;
    }
    Ok = Id > 0;
}

void MasterEditor::IdCheck(qint16 Id, bool &Ok)
{
    for (int i = 0; i < SList->count(); ++i) {
        if (lineId(SList->item(i)) != Id)
            continue;
        const MsgResult answer = shared_.platform.MsgBox(
            u"ID "_s + QString::number(Id) + u"を更新します。よろしいですか？"_s,
            MsgButtons::OkCancel, MsgIcon::Question, u"変更確認"_s);
        if (answer == MsgResult::Ok) {
            const QSignalBlocker block(SList);
            delete SList->takeItem(i);
            Ok = true;
        } else {
            Ok = false;
        }
        return;
    }
    Ok = true;
}

void MasterEditor::DAdd_Click()
{
    if (DId->text().trimmed().isEmpty())
        return;
    // Full-width digits, as an input method gives them, count as digits.
    const std::optional<double> value = ReadTypedNumber(DId->text());
    qint16 Id = 0;
    if (!value || !ToInt16(*value, Id))
        return; // not a number: nothing is added
    const QString Name = MapToCp932Forms(DName->text());

    bool Ok = false;
    InputCheck(Id, Name, Ok);
    if (!Ok) {
        // A name the file could not hold is refused with the reason; the rest silently.
        if (const QString bad = firstForbidden(Name); !bad.isEmpty())
            shared_.platform.MsgBox(forbiddenMessage(bad), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    IdCheck(Id, Ok);
    if (!Ok)
        return;

    const QSignalBlocker block(SList);
    const int row = addLine(Id, Name);
    SList->setCurrentRow(row); // show where the entry went
    SList->scrollToItem(SList->item(row));
}

void MasterEditor::DDel_Click()
{
    QListWidgetItem *item = SList->currentItem();
    if (!item || !item->isSelected())
        return;
    const MsgResult answer =
        shared_.platform.MsgBox(u"' "_s + item->text() + u" ' を削除します。よろしいですか？"_s,
                                MsgButtons::OkCancel, MsgIcon::Exclamation, u"確認"_s);
    if (answer != MsgResult::Ok)
        return;
    const QSignalBlocker block(SList);
    delete SList->takeItem(SList->row(item));
    SList->setCurrentRow(-1);
}

void MasterEditor::OK_Click()
{
    QList<MasterEntry> entries;
    for (int i = 0; i < SList->count(); ++i)
        entries.append(MasterEntry{lineId(SList->item(i)), lineName(SList->item(i))});
    DataChange change;
    (&listObject() == &shared_.Stores ? change.stores : change.machines) = std::move(entries);
    ChangePlayerData(shared_, change);
    accept();
}

void MasterEditor::Cancel_Click()
{
    reject();
}
