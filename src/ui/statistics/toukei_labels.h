#pragma once
// Two small labels of the statistics window.

#include <QLabel>
#include <QString>

// A label that the person steps with the mouse: it reports which button was
// pressed on it.
class SpinLabel : public QLabel {
    Q_OBJECT
public:
    explicit SpinLabel(QWidget *parent = nullptr);

signals:
    void mouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

// A label whose caption is a computed text with yen backslashes: it shows them
// as "¥" while Caption() keeps the text as computed (the screens read it).
class YenLabel : public QLabel {
    Q_OBJECT
public:
    explicit YenLabel(QWidget *parent = nullptr);

    const QString &Caption() const { return caption_; }
    void SetCaption(const QString &caption);

private:
    QString caption_;
};
