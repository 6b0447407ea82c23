#pragma once

#include <QFont>

// The rounded face (Quicksand) at a size in points, scaled by the interface
// zoom. Quicksand ships Light, Regular, Medium and Bold as separate faces:
// thin to light weights take Light, medium takes Medium, semibold and heavier
// take Bold. Glyphs it lacks come from DejaVu Sans.
namespace KVFont {

QFont rounded(double points, QFont::Weight weight = QFont::Normal);

// The family and weight chosen for a requested weight.
struct Face
{
    QString family;
    QFont::Weight weight;
};
Face face(QFont::Weight weight);

// Sets a font's size so that it draws `pixels` device-independent pixels high.
void setPixelSizeF(QFont &font, double pixels);

} // namespace KVFont

namespace KVFont {
// The size of a font in device-independent pixels, whichever way it was set.
double pixelSizeOf(const QFont &font);
}
