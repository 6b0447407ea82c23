#include "tonecolor.h"

#include "look/fvpalette.h"

namespace ToneColor {

QColor color(Tone tone)
{
    switch (tone) {
    case Tone::Accent:
        return FVPalette::current().accent;
    case Tone::Green:
        return FVPalette::green();
    case Tone::Amber:
        return FVPalette::amber();
    case Tone::Red:
        return FVPalette::red();
    case Tone::Grey:
        return QColor::fromRgbF(0.4f, 0.4f, 0.4f, 1.0f);
    }
    return {};
}

} // namespace ToneColor
