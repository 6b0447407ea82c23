#include "kvrnhelpmenu.h"

#include "kvrnhelp.h"
#include "kvrnkithost.h"
#include "kvrnthememenu.h"
#include "kvopen.h"

#include <QKeySequence>
#include <QMenu>

namespace {

const char *const topicProperty = "kvrnHelpTopic";

// Puts the topic items right before `anchor` (the separator ending the group).
void refreshTopics(QMenu *menu, QAction *anchor)
{
    for (QAction *a : menu->actions()) {
        if (a->property(topicProperty).isValid()) {
            menu->removeAction(a);
            a->deleteLater();
        }
    }
    for (const KVRNHelpTopic &topic : KVRNHelp::allTopics()) {
        auto *item = new QAction(KVRNThemeMenu::escaped(topic.title), menu);
        item->setProperty(topicProperty, topic.id);
        const QString id = topic.id;
        QObject::connect(item, &QAction::triggered, menu, [id] { KVRNHelp::show(id); });
        menu->insertAction(anchor, item);
    }
}

} // namespace

void KVRNHelpMenu::fill(QMenu *menu)
{
    QAction *help = menu->addAction(KVRNThemeMenu::escaped(KVRNKitHost::appName() + QStringLiteral(" Help")), menu,
                                    [] { KVRNHelp::show(std::nullopt); });
    help->setShortcut(QKeySequence(QStringLiteral("Ctrl+?")));
    menu->addSeparator();
    QAction *end = menu->addSeparator();
    menu->addAction(QStringLiteral("Brackenfold Website"), menu,
                    [menu] { KVOpen::open(KVRNKitHost::creditURL(), menu->parentWidget()); });
    refreshTopics(menu, end);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, end] { refreshTopics(menu, end); });
}

QStringList KVRNHelpMenu::topicIDs(const QMenu *menu)
{
    QStringList ids;
    for (const QAction *a : menu->actions()) {
        const QVariant id = a->property(topicProperty);
        if (id.isValid())
            ids.append(id.toString());
    }
    return ids;
}
