#include "ui/widgets/tag_completer.h"

#include "core/model/visit_details.h"

#include <QLineEdit>
#include <QStandardItemModel>

namespace {
// Where the tag being typed begins: after the last separator.
qsizetype lastTagStart(const QString &text)
{
    qsizetype at = -1;
    for (QChar separator : {QChar(u'、'), QChar(u','), QChar(u'，')})
        at = std::max(at, text.lastIndexOf(separator));
    return at + 1;
}

// A tag as it is matched: its normal form with hiragana as katakana, so that
// "いべ", committed before it is converted, finds "イベント".
QString matchForm(QStringView tag)
{
    QString form = NormalTag(tag);
    for (QChar &c : form)
        if (c >= u'\u3041' && c <= u'\u3096')
            c = QChar(c.unicode() + 0x60);
    return form;
}

constexpr int kMatchRole = Qt::UserRole;
} // namespace

TagCompleter::TagCompleter(QObject *parent)
    : QCompleter(parent), tags_(new QStandardItemModel(this))
{
    setModel(tags_);
    setCompletionRole(kMatchRole);
    setCaseSensitivity(Qt::CaseInsensitive);
    setCompletionMode(QCompleter::PopupCompletion);
    setMaxVisibleItems(12);
}

void TagCompleter::setTags(const QStringList &tags)
{
    tags_->clear();
    for (const QString &tag : tags) {
        auto *item = new QStandardItem(tag);
        item->setData(matchForm(tag), kMatchRole);
        tags_->appendRow(item);
    }
}

QStringList TagCompleter::splitPath(const QString &path) const
{
    return {matchForm(QStringView(path).sliced(lastTagStart(path)))};
}

QString TagCompleter::pathFromIndex(const QModelIndex &index) const
{
    // The tags before the one being typed stay as they are.
    const auto *edit = qobject_cast<const QLineEdit *>(widget());
    const QString text = edit ? edit->text() : QString();
    return text.first(lastTagStart(text)) + index.data().toString();
}
