#pragma once

#include "tone.h"

#include <QColor>

// The colour of a tone in the current theme: the accent, the fixed green,
// amber and red of the palette, or the neutral grey (white level 0.4).
namespace ToneColor {
QColor color(Tone tone);
}
