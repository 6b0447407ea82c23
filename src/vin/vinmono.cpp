#include "vinmono.h"

#include "kit/kvfont.h"
#include "kit/kvscale.h"

QFont VINMono::font(double points, QFont::Weight weight)
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setWeight(weight);
    KVFont::setPixelSizeF(font, KVScale::pt(points));
    return font;
}
