#include "ui/widgets/picture_button.h"

#include "ui/widgets/picture.h"

#include <QEvent>
#include <QMouseEvent>

PictureButton::PictureButton(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::NoFrame);
    setLineWidth(1);
    setCursor(Qt::PointingHandCursor);
}

void PictureButton::setPicture(const QString &resource, const QSize &size)
{
    resource_ = resource;
    pictureSize_ = size;
    updatePixmap();
}

void PictureButton::updatePixmap()
{
    if (resource_.isEmpty())
        return;
    setPixmap(RenderPicture(resource_, pictureSize_, devicePixelRatioF(), !isEnabled()));
}

void PictureButton::setBorder(bool on)
{
    border_ = on;
    setFrameShape(on ? QFrame::Box : QFrame::NoFrame);
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button());
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event->button());
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void PictureButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void PictureButton::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        updatePixmap();
}

ClickLabel::ClickLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event->button(), event->globalPosition().toPoint());
    if (pressed_ && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
    pressed_ = false;
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
