#pragma once
// What a table model of the core says about the colour of a cell's text. The
// core knows no colours (QtCore only): the window that shows the table maps
// the tone to its colours.

#include <Qt>

enum class CellTone { Plain, Loss, Saturday, Sunday };

// Roles of the result tables beyond Qt's own: the value a column sorts by (a
// number, or the text of a name) and the CellTone of the text (as int).
inline constexpr int kValueRole = Qt::UserRole;
inline constexpr int kToneRole = Qt::UserRole + 1;
