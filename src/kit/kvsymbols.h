#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

// The symbols the interface draws, by name, mapped to glyphs of the Material
// Icons font. A symbol drawn beside text of size s is about s across.
namespace KVSymbols {

// The glyph of a symbol name; an empty text for an unknown name.
QString glyph(const QString &name);
// Whether the name is in the table.
bool known(const QString &name);
// Every name of the table.
QStringList names();

// The icon font for symbols beside text of `points` (scaled by the zoom).
QFont font(double points);
// The square a symbol takes beside text of `points`, in device-independent pixels.
double extent(double points);

// Draws the symbol centred in `box`.
void draw(QPainter &painter, const QString &name, const QRectF &box, double points, const QColor &color);

} // namespace KVSymbols
