#include "kvrnroot.h"

#include "kvkittheme.h"
#include "kvrnthemes.h"
#include "platform/prefs.h"

#include <QWidget>

namespace {

void paintRoot(QWidget *root)
{
    const KVKitTheme theme = KVKitTheme::current();
    QPalette pal = theme.widgetPalette(theme.accent);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(g, QPalette::Window, theme.bg);
    root->setPalette(pal);
    root->setAutoFillBackground(true);
    root->update();
}

} // namespace

void KVRNRoot::apply(QWidget *root)
{
    paintRoot(root);
    QObject::connect(&Prefs::shared(), &Prefs::changed, root, [root](const QString &key) {
        if (key == KVRNThemes::key())
            paintRoot(root);
    });
}
