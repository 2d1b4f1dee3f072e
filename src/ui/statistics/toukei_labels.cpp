#include "ui/statistics/toukei_labels.h"

#include "core/util/numbers.h"

#include <QMouseEvent>

SpinLabel::SpinLabel(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setCursor(Qt::PointingHandCursor);
}

void SpinLabel::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button());
    event->accept();
}

YenLabel::YenLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void YenLabel::SetCaption(const QString &caption)
{
    caption_ = caption;
    setText(YenForDisplay(caption));
}
