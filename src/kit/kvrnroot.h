#pragma once

class QWidget;

// The root treatment of a kit window whose content has no theme root: the
// theme's background colour behind everything and the dark widget palette of
// the current theme, applied again whenever the stored theme id changes. The
// content itself is kept (unlike a theme root, nothing is rebuilt).
namespace KVRNRoot {

void apply(QWidget *root);

} // namespace KVRNRoot
