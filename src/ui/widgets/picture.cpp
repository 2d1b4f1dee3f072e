#include "ui/widgets/picture.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

using namespace Qt::StringLiterals;

QImage DrawSvg(const QString &file, const QSize &deviceSize)
{
    QImage image(deviceSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer svg(file);
    if (svg.isValid()) {
        QPainter painter(&image);
        svg.render(&painter);
    }
    return image;
}

QString BakedPictureName(const QString &resource, const QSize &deviceSize)
{
    return u"%1-%2x%3.argb32"_s.arg(QFileInfo(resource).completeBaseName())
        .arg(deviceSize.width())
        .arg(deviceSize.height());
}

QByteArray BakedPixels(const QImage &image)
{
    // 32-bit pixels: rows are never padded.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return QByteArray(reinterpret_cast<const char *>(argb.constBits()), argb.sizeInBytes());
}

QImage LoadBakedPicture(const QString &resource, const QSize &deviceSize)
{
    QFile file(u":/baked/"_s + BakedPictureName(resource, deviceSize));
    if (deviceSize.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray pixels = file.readAll();
    const qsizetype rowBytes = qsizetype(deviceSize.width()) * 4;
    if (pixels.size() != rowBytes * deviceSize.height())
        return {};
    return QImage(reinterpret_cast<const uchar *>(pixels.constData()), deviceSize.width(),
                  deviceSize.height(), rowBytes, QImage::Format_ARGB32_Premultiplied)
        .copy();
}

QPixmap RenderPicture(const QString &resource, const QSize &size, qreal devicePixelRatio,
                      bool disabled)
{
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize deviceSize(int(std::ceil(size.width() * dpr)), int(std::ceil(size.height() * dpr)));
    QImage image = LoadBakedPicture(resource, deviceSize);
    if (image.isNull())
        image = DrawSvg(resource, deviceSize);
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
