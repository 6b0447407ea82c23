#include "kvrnappmenu.h"

#include "kvaboutwindow.h"
#include "kvrnkithost.h"
#include "kvrnthememenu.h"
#include "platform/opener.h"

#include <QMenu>

void KVRNAppMenu::fill(QMenu *menu)
{
    menu->addAction(KVRNThemeMenu::escaped(QStringLiteral("About ") + KVRNKitHost::appName()), menu,
                    [] { KVRNAbout::show(); });
    menu->addAction(QStringLiteral("Brackenfold Website"), menu, [] { Opener::open(KVRNKitHost::creditURL()); });
}
