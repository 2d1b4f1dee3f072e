#pragma once
// The calendar's year box: a spin box "2026年" that also takes the year as an
// input method types it ("２０２３"). A text that is no year is refused when
// it is committed (Enter, leaving the box): the box shows its year again and
// refused() tells the window, which says so.

#include <QSpinBox>
#include <optional>

class YearBox : public QSpinBox {
    Q_OBJECT
public:
    explicit YearBox(QWidget *parent = nullptr);

signals:
    // Emitted once the refused text is gone from the box.
    void refused(const QString &text);

protected:
    QValidator::State validate(QString &text, int &pos) const override;
    int valueFromText(const QString &text) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The year in a text as shown or typed, without the suffix.
    std::optional<int> yearOf(const QString &text) const;
    // Runs a commit (Enter, focus out) and reports a text it refused.
    template <typename Commit> void committing(Commit &&commit);
};
