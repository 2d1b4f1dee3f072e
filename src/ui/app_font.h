#pragma once

#include <QFont>

// The user-interface font: the proportional gothic that stands in for
// "ＭＳ Ｐゴシック", at the given point size.
QFont UiFont(double pointSize = 9.0);
