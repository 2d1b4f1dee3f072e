#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// Renders one of the program's SVG pictures at a size in device-independent
// pixels, sharp at the given device pixel ratio; greyed out when disabled.
// Drawn directly rather than through QIcon, which would load the SVG icon
// plugin at start-up.
QPixmap RenderPicture(const QString &resource, const QSize &size, qreal devicePixelRatio = 1.0,
                      bool disabled = false);
