#pragma once

#include <QString>

class QMenu;
class QWidget;

// The "Theme" menu: one checkable item per theme of the catalogue (built-in
// themes first, then registered ones), the stored theme checked. Choosing an
// item stores its id under "kvrn.theme". The menu follows the stored id when
// anything else changes it; an id that names no theme checks no item.
namespace KVRNThemeMenu {

// A new menu titled "Theme".
QMenu *make(QWidget *parent = nullptr);
// Adds the theme items to an existing menu.
void fill(QMenu *menu);

// Menu and action texts show "&" literally.
QString escaped(const QString &text);

} // namespace KVRNThemeMenu
