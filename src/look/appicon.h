#pragma once

#include <QIcon>
#include <QImage>

// The application's icon: the gauge mark on a plate in the default theme's
// panel colours, so it reads on light and dark launchers alike. The same
// drawing serves the window icon and the icon files the build installs.
namespace AppIcon {

// The sizes the desktop's icon theme takes, in pixels.
QList<int> sizes();

// The icon as a square image of px × px pixels with a transparent corner area.
QImage image(int px);

// Every size of sizes(), for the window icon.
QIcon icon();

} // namespace AppIcon
