#include "ui/widgets/tag_completer.h"

#include "core/model/visit_details.h"

#include <QLineEdit>
#include <QStringListModel>

namespace {
// Where the tag being typed begins: after the last separator.
qsizetype lastTagStart(const QString &text)
{
    qsizetype at = -1;
    for (QChar separator : {QChar(u'、'), QChar(u','), QChar(u'，')})
        at = std::max(at, text.lastIndexOf(separator));
    return at + 1;
}
} // namespace

TagCompleter::TagCompleter(QObject *parent) : QCompleter(parent), tags_(new QStringListModel(this))
{
    setModel(tags_);
    setCaseSensitivity(Qt::CaseInsensitive);
    setCompletionMode(QCompleter::PopupCompletion);
    setMaxVisibleItems(12);
}

void TagCompleter::setTags(const QStringList &tags)
{
    tags_->setStringList(tags);
}

QStringList TagCompleter::splitPath(const QString &path) const
{
    return {NormalTag(QStringView(path).sliced(lastTagStart(path)))};
}

QString TagCompleter::pathFromIndex(const QModelIndex &index) const
{
    // The tags before the one being typed stay as they are.
    const auto *edit = qobject_cast<const QLineEdit *>(widget());
    const QString text = edit ? edit->text() : QString();
    return text.first(lastTagStart(text)) + index.data().toString();
}
