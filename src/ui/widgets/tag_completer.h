#pragma once
// Completion of tags typed into a line edit, several separated by 「、」 or
// ",": only the tag being typed (after the last separator) is completed, and
// a chosen tag replaces just that one. Matching is on the tags' normal form,
// and hiragana match katakana: "ｲﾍﾞ" and "いべ" find "イベント".

#include <QCompleter>
#include <QStringList>

class QStandardItemModel;

class TagCompleter : public QCompleter {
    Q_OBJECT
public:
    explicit TagCompleter(QObject *parent = nullptr);
    // The tags offered, in the order the list shows them.
    void setTags(const QStringList &tags);

    QStringList splitPath(const QString &path) const override;
    QString pathFromIndex(const QModelIndex &index) const override;

private:
    QStandardItemModel *tags_;
};
