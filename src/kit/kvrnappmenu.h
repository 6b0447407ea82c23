#pragma once

class QMenu;

// The kit's group at the top of the application menu: "About <app name>",
// which opens the About window, and "Brackenfold Website", which opens the
// maker's site in the browser.
namespace KVRNAppMenu {
void fill(QMenu *menu);
}
