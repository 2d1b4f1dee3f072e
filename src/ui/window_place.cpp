#include "ui/window_place.h"

#include <QScreen>
#include <QWidget>

void CentreOnScreen(QWidget &window)
{
    const QWidget *owner = window.parentWidget() ? window.parentWidget()->window() : &window;
    const QScreen *screen = owner->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize outer = window.frameGeometry().size();
    window.move(area.x() + (area.width() - outer.width()) / 2,
                area.y() + (area.height() - outer.height()) / 2);
}
