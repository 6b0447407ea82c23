#pragma once

#include <QWidget>
#include <functional>

// Keeps a drawn widget in step with the interface zoom: when the scale factor
// changes, runs `refresh` (margins, fixed sizes, fonts), then asks the layout
// for the new size and repaints.
namespace KVScaleWatch {
void follow(QWidget *widget, std::function<void()> refresh = {});
}
