#pragma once

#include <QAccessible>

class QWidget;

// What a drawn widget tells assistive technology beyond Qt's defaults: a
// role (heading, link, list, list item, image...) and the selected, checked
// and expanded states, kept as properties of the widget and read by an
// interface the kit's factory gives every widget marked here. Its name is
// the accessible name, else a label's or button's text; a button, or a
// widget with an invokable activate(), gets a press action doing what a
// click does. State changes are announced while accessibility is active.
// A plain container with a focus proxy gets the interface too, so the focus
// is reported by the proxy alone.
namespace KVAccessible {

void setRole(QWidget *widget, QAccessible::Role role);
inline void setHeading(QWidget *widget) { setRole(widget, QAccessible::Heading); }
// Also marks the widget selectable / checkable / expandable.
void setSelected(QWidget *widget, bool selected);
void setChecked(QWidget *widget, bool checked);
void setExpanded(QWidget *widget, bool expanded);

// The plain text a label or button shows, for the name when none is set.
QString shownText(const QWidget *widget);

} // namespace KVAccessible
