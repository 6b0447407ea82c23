#include "garagelineedit.h"

#include "kit/kvshape.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"

namespace {

KVPlateField::Style garageStyle()
{
    KVPlateField::Style s;
    s.font = [] { return FVFont::font(13); };
    s.marginX = 8;
    s.marginY = 4;
    s.radius = 7;
    s.rim = KVPlateField::Rim::Inside;
    s.colors = [] {
        const FVPalette pal = FVPalette::current();
        return KVPlateField::Colors{pal.text, KVShape::faded(pal.text, 0.45), QColor::fromRgbF(0, 0, 0, 0.3f),
                                    KVShape::white(1, 0.22), pal.accent};
    };
    return s;
}

} // namespace

GarageLineEdit::GarageLineEdit(const QString &placeholder, QWidget *parent)
    : KVPlateField(garageStyle(), placeholder, placeholder, parent)
{
}

void GarageLineEdit::setPlain(const QString &t)
{
    if (t != text())
        setText(t);
}
