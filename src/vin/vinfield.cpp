#include "vinfield.h"

#include "kit/kvmono.h"
#include "look/fvpalette.h"

namespace {

KVPlateField::Style vinStyle()
{
    KVPlateField::Style s;
    s.font = [] { return KVMono::font(26, QFont::Black); };
    s.marginX = 16;
    s.marginY = 10;
    s.radius = 14;
    s.rim = KVPlateField::Rim::Centred;
    s.colors = [] {
        return KVPlateField::Colors{Qt::white, QColor::fromRgbF(1, 1, 1, 0.4f), QColor::fromRgbF(0, 0, 0, 0.45f),
                                    QColor::fromRgbF(1, 1, 1, 0.3f), FVPalette::current().accent};
    };
    return s;
}

} // namespace

VINField::VINField(QWidget *parent)
    : KVPlateField(vinStyle(), placeholder(), QStringLiteral("Vehicle Identification Number"), parent)
{
    setObjectName(QStringLiteral("vinField"));
}

QString VINField::placeholder()
{
    return QStringLiteral("17 characters, e.g. 1HGCM82633A004352");
}
