// Bakes SVG pictures at fixed sizes, for the build: the program reads these
// instead of drawing the SVG when it needs a picture at such a size.
//   bake_pictures OUTDIR FILE.svg:WxH ...
// writes OUTDIR/<name>-<W>x<H>.argb32 for each (sizes in device pixels; the
// format is described in src/ui/widgets/picture.h).

#include "ui/widgets/picture.h"

#include <QDir>
#include <QFile>
#include <QSize>
#include <QString>
#include <cstdio>

namespace {
bool parseSize(const QString &text, QSize &size)
{
    const qsizetype x = text.indexOf(u'x');
    bool okW = false, okH = false;
    size = QSize(text.left(x).toInt(&okW), text.mid(x + 1).toInt(&okH));
    return x > 0 && okW && okH && size.width() > 0 && size.height() > 0 && size.width() <= 4096 &&
           size.height() <= 4096;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bake_pictures OUTDIR FILE.svg:WxH ...\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "bake_pictures: cannot make %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const qsizetype colon = arg.lastIndexOf(u':');
        const QString svg = arg.left(colon);
        QSize size;
        if (colon <= 0 || !parseSize(arg.mid(colon + 1), size)) {
            std::fprintf(stderr, "bake_pictures: expected FILE.svg:WxH, got %s\n", argv[i]);
            return 2;
        }
        if (!QFile::exists(svg)) {
            std::fprintf(stderr, "bake_pictures: no such file %s\n", qPrintable(svg));
            return 1;
        }
        const QString out = outDir + u'/' + BakedPictureName(svg, size);
        QFile file(out);
        const QByteArray pixels = BakedPixels(DrawSvg(svg, size));
        if (!file.open(QIODevice::WriteOnly) || file.write(pixels) != pixels.size() ||
            !file.flush()) {
            std::fprintf(stderr, "bake_pictures: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
