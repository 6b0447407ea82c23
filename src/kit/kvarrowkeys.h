#pragma once

class QWidget;

// Arrow keys on a focused button inside a confined area move the focus to the
// area's previous (Up, Left) or next (Down, Right) Tab stop and stop at its
// ends, where a plain button would pass the focus on along the window's whole
// Tab chain (out of the area, into the sidebar).
namespace KVArrowKeys {

// Installs the application-wide filter once; later calls do nothing.
void install();

// Keeps the arrow keys of the buttons inside `area` within it.
void confine(QWidget *area);

// The Tab stop inside `area` before or after `from` (itself inside it), or
// null at the area's end.
QWidget *step(QWidget *area, QWidget *from, bool forward);

} // namespace KVArrowKeys
