#include "fvfont.h"

#include "kit/kvfont.h"

QFont FVFont::font(double points, QFont::Weight weight)
{
    return KVFont::rounded(points, weight);
}
