#pragma once
// Drawing commands as one line each, rank rows in one call, and readable texts
// in failure messages: shared by the statistics tests.

#include "ui/statistics/ranking.h"
#include "ui/widgets/drawing_area.h"

#include <QStringBuilder>
#include <QStringList>
#include <cmath>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline RankRow row(qint32 f1, qint32 f2, qint32 f3, qint32 f4, qint32 f5)
{
    RankRow r;
    r.f = {f1, f2, f3, f4, f5};
    return r;
}

// One line per drawing command, e.g. "T 900,500 24 #008000 成　績".
inline QString describe(const DrawCommand &c)
{
    using namespace Qt::StringLiterals;
    const auto num = [](double v) { return QString::number(std::round(v * 100) / 100); };
    switch (c.kind) {
    case DrawCommand::Kind::Text:
        return u"T "_s % num(c.x1) % u',' % num(c.y1) % u' ' % QString::number(c.fontSize) % u' ' %
               c.color.name() % u' ' % c.text;
    case DrawCommand::Kind::Line:
        return u"L "_s % num(c.x1) % u',' % num(c.y1) % u'-' % num(c.x2) % u',' % num(c.y2) %
               (c.dotted ? u" dotted "_s : u" solid "_s) % QString::number(c.lineWidth) % u' ' %
               c.color.name();
    case DrawCommand::Kind::Circle:
        return u"C "_s % num(c.x1) % u',' % num(c.y1) % u" r"_s % num(c.radius) %
               (c.dotted ? u" dotted "_s : u" solid "_s) % c.color.name();
    }
    return {};
}

inline QStringList drawn(const DrawingArea &area)
{
    QStringList lines;
    for (const DrawCommand &c : area.Commands())
        lines << describe(c);
    return lines;
}
