#pragma once

#include <QStringList>

class QMenu;

// The kit's Help group: "<app name> Help" (Ctrl+?) opening help on no
// particular topic, a separator, one item per topic of KVRNHelp::allTopics()
// opening help on that topic, a separator and "Brackenfold Website". The
// topic items are made afresh each time the menu is about to show.
namespace KVRNHelpMenu {

void fill(QMenu *menu);

// The topic ids of the items the menu holds now, in order.
QStringList topicIDs(const QMenu *menu);

} // namespace KVRNHelpMenu
