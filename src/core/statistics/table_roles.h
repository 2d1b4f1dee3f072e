#pragma once
// The roles of the program's table models beyond Qt's own: the value behind a
// cell's text, for sorting and copying, and the tone of an amount, which the
// window turns into a colour (the core knows no colours).

#include <Qt>

enum TableRole {
    ValueRole = Qt::UserRole, // qint64 for counts and amounts, QString for names
    ToneRole,                 // int(Tone); only cells that are coloured have one
};

enum class Tone { Plain, Win, Loss };
