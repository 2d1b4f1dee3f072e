#pragma once
// A picture that acts as a button: it reports mouse down, mouse up, click and
// double-click, and can show a single-line border (the pressed look).

#include <QLabel>

class PictureButton : public QLabel {
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent = nullptr);

    // Shows an SVG or bitmap resource at the given size in pixels.
    void setPicture(const QString &resource, const QSize &size);
    void setBorder(bool on);
    bool hasBorder() const { return border_; }

signals:
    void mouseDown(Qt::MouseButton button);
    void mouseUp(Qt::MouseButton button);
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updatePixmap();

    QString resource_;
    QSize pictureSize_;
    bool border_ = false;
};

// A label that reports clicks, double-clicks and mouse releases.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString &text = QString(), QWidget *parent = nullptr);

signals:
    void clicked();
    void doubleClicked();
    void mouseUp(Qt::MouseButton button, const QPoint &globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool pressed_ = false;
};
