#pragma once

#include <QRect>

class QScrollArea;
class QWidget;

// The one scroll-area set-up of the kit and the screens: vertical scrolling
// only, no frame, no fill (the backdrop behind shows through) and no Tab stop
// of its own (the controls inside take the focus, and the area follows it).
namespace KVScrollArea {

QScrollArea *plain(QWidget *parent = nullptr);

// `content` at the top with its ideal height and free space below, on a
// holder without fill.
QWidget *topHolder(QWidget *content);

// A plain area around topHolder(content).
QScrollArea *around(QWidget *content);

// From now on, a control that takes the keyboard focus (Tab, Shift+Tab, an
// arrow key, a shortcut; not a click) is scrolled into view in every scroll
// area around it, its focus ring included. Once per process; later calls do
// nothing.
void followFocus();

// Scrolls every scroll area around `w` so that `w` (or `part` of it, in its
// own coordinates) shows, with `margin` pixels around it where there is room.
void reveal(QWidget *w, int margin, const QRect &part = QRect());
// Whether every scroll area around `w` shows the whole of its height now.
bool showsWholeHeight(const QWidget *w);

} // namespace KVScrollArea
