#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// Renders one of the program's SVG pictures at a size in device-independent
// pixels, sharp at the given device pixel ratio; greyed out when disabled.
// Drawn directly rather than through QIcon, which would load the SVG icon
// plugin at start-up. A picture baked at build time for exactly that size
// (see tools/bake_pictures.cpp) is read instead of drawn: drawing SVG costs
// several milliseconds, which matters for the main window at start-up.
QPixmap RenderPicture(const QString &resource, const QSize &size, qreal devicePixelRatio = 1.0,
                      bool disabled = false);

// The SVG file or resource drawn at a size in device pixels (transparent and
// empty when it cannot be read).
QImage DrawSvg(const QString &file, const QSize &deviceSize);

// A baked picture is the image's premultiplied ARGB32 pixels, row after row,
// as this machine stores them (the build makes them for itself); the Qt
// resource compiler compresses them. Raw pixels rather than PNG: reading a
// PNG first looks through every image format plugin.

// File name of the baked picture at a size in device pixels, e.g.
// "save-96x96.argb32" for ":/pictures/save.svg" at 96 × 96.
QString BakedPictureName(const QString &resource, const QSize &deviceSize);

// The pixels of a baked picture.
QByteArray BakedPixels(const QImage &image);

// The baked picture of a picture at a size in device pixels, or a null image.
QImage LoadBakedPicture(const QString &resource, const QSize &deviceSize);
