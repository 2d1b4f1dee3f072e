#pragma once
// Drawing commands as one line each: shared by the statistics window tests.

#include "support/rank_rows.h"
#include "ui/widgets/drawing_area.h"

#include <QStringBuilder>
#include <QStringList>
#include <cmath>
#include <ostream>

// One line per drawing command, e.g. "T 900,500 24 #008000 成　績"; a label
// ends with the point of its box at its position ("[right vcenter]").
inline QString describe(const DrawCommand &c)
{
    using namespace Qt::StringLiterals;
    const auto num = [](double v) { return QString::number(std::round(v * 100) / 100); };
    const auto place = [&c] {
        const QString h = c.align & Qt::AlignRight     ? u"right"_s
                          : c.align & Qt::AlignHCenter ? u"centre"_s
                                                       : u"left"_s;
        const QString v = c.align & Qt::AlignBottom    ? u"bottom"_s
                          : c.align & Qt::AlignVCenter ? u"vcentre"_s
                                                       : u"top"_s;
        return c.label ? u" ["_s % h % u' ' % v % u']' : QString();
    };
    switch (c.kind) {
    case DrawCommand::Kind::Text:
        return u"T "_s % num(c.x1) % u',' % num(c.y1) % u' ' % QString::number(c.fontSize) % u' ' %
               c.color.name() % u' ' % c.text % place();
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
