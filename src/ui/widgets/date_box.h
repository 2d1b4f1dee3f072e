#pragma once
// A date box ("yyyy/MM/dd") that takes a date typed the way it shows it:
// "2024/02/29" gives 2024/02/29. The box moves on to the next section by
// itself when a section is full (after four year digits, after "12"); a "/"
// typed right after that lands on that same section instead of skipping one.
// "-" and "." count as "/", and what an input method commits counts as the
// ASCII keys: full-width digits and "／", and "・", "ー", "。", which it types
// for "/", "-" and "." in kana mode ("２０２４・０２・２９"). Typed over a
// selection of more than one section (Ctrl+A), the date replaces it.

#include <QDateEdit>

class DateBox : public QDateEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void typeCommitted(QInputMethodEvent *event);
    void selectFullSection();

    // The last key filled a section and the box moved on by itself.
    bool movedOn_ = false;
};
