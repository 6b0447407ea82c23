#pragma once

#include <QFont>

// The font of the application's screens: the rounded face at a size in
// points (scaled by the interface zoom) and a weight (regular by default).
namespace FVFont {
QFont font(double points, QFont::Weight weight = QFont::Normal);
}
