#include "ui/widgets/picture.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

QPixmap RenderPicture(const QString &resource, const QSize &size, qreal devicePixelRatio,
                      bool disabled)
{
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage image(QSize(int(std::ceil(size.width() * dpr)), int(std::ceil(size.height() * dpr))),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer svg(resource);
    if (svg.isValid()) {
        QPainter painter(&image);
        svg.render(&painter);
    }
    if (disabled) {
        // Grey, half transparent: the look of a control that cannot be used.
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = qUnpremultiply(line[x]);
                const int grey = (qGray(p) + 255) / 2;
                line[x] = qPremultiply(qRgba(grey, grey, grey, qAlpha(p) / 2));
            }
        }
    }
    image.setDevicePixelRatio(dpr);
    return QPixmap::fromImage(std::move(image));
}
