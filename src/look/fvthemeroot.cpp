#include "fvthemeroot.h"

#include "fvbackground.h"
#include "fvpalette.h"

FVThemeRoot::FVThemeRoot(Builder build, QWidget *parent)
    : KVRNThemeRoot(std::move(build), &FVBackground::paint, [] { return FVPalette::current().accent; }, parent)
{
}
