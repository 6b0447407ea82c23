#pragma once

class QMenu;

// The zoom items of the View menu: "Zoom In" (Ctrl++), "Zoom Out" (Ctrl+-),
// "Actual Size (100%)" (Ctrl+0), the "Zoom Level" submenu with one item per
// level (85% to 200%), then a separator. The items write "kvrn.zoom" through
// KVZoom; none is ever disabled or checked.
namespace KVZoomMenu {
void fill(QMenu *menu);
}
