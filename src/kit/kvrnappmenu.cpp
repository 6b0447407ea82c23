#include "kvrnappmenu.h"

#include "kvaboutwindow.h"
#include "kvrnkithost.h"
#include "kvrnthememenu.h"
#include "kvopen.h"

#include <QMenu>

void KVRNAppMenu::fill(QMenu *menu)
{
    menu->addAction(KVRNThemeMenu::escaped(QStringLiteral("About ") + KVRNKitHost::appName()), menu,
                    [] { KVRNAbout::show(); });
    menu->addAction(QStringLiteral("Brackenfold Website"), menu,
                    [menu] { KVOpen::open(KVRNKitHost::creditURL(), menu->parentWidget()); });
}
