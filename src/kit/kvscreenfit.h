#pragma once

#include <QSize>

class QWidget;

// Window sizes and places on the primary screen.
namespace KVScreenFit {

// `size` within nine tenths of the screen's free area (a large zoom can ask
// for more than a small screen holds); unchanged without a screen.
QSize within(const QSize &size);

// Moves the window so that its frame is centred on the screen's free area.
void centre(QWidget *window);

} // namespace KVScreenFit
