#pragma once

#include <QFont>

// A monospaced face at a size in points, scaled by the interface zoom.
namespace VINMono {
QFont font(double points, QFont::Weight weight = QFont::Normal);
}
