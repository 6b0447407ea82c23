#pragma once

#include <QFont>

class QWidget;

// The kit's monospaced face (DejaVu Sans Mono) at a size in points, scaled by
// the interface zoom; bold for semibold and heavier weights.
namespace KVMono {

QFont font(double points, QFont::Weight weight = QFont::Normal);

// Gives the widget the monospaced font at that size, kept in step with the zoom.
void apply(QWidget *widget, double points, QFont::Weight weight = QFont::Normal);

} // namespace KVMono
