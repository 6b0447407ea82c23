#include "fvthemeroot.h"

#include "fvbackground.h"
#include "fvpalette.h"

#include <utility>

FVThemeRoot::FVThemeRoot(Builder build, QWidget *parent)
    : KVRNThemeRoot(std::move(build), &FVBackground::paint, [] { return FVPalette::current().accent; }, parent)
{
}

FVThemeRoot::FVThemeRoot(RootBuilder build, QWidget *parent)
    : KVRNThemeRoot(std::move(build), &FVBackground::paint, [] { return FVPalette::current().accent; }, parent)
{
}

void FVThemeRoot::showEvent(QShowEvent *event)
{
    KVRNThemeRoot::showEvent(event);
    // The first frame's backdrop is drawn on a worker while the window gets
    // ready to paint.
    if (!std::exchange(m_shown, true))
        FVBackground::prepare(size(), devicePixelRatioF());
}
