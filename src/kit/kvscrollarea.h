#pragma once

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

} // namespace KVScrollArea
