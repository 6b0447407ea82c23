#include "kvrnthememenu.h"

#include "kvrnthemes.h"
#include "platform/prefs.h"

#include <QActionGroup>
#include <QMenu>

QString KVRNThemeMenu::escaped(const QString &text)
{
    QString t = text;
    return t.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QMenu *KVRNThemeMenu::make(QWidget *parent)
{
    auto *menu = new QMenu(QStringLiteral("Theme"), parent);
    fill(menu);
    return menu;
}

void KVRNThemeMenu::fill(QMenu *menu)
{
    // The binding's default is the default id of the moment the menu is made.
    const QString fallback = KVRNThemes::defaultID();
    auto bound = [fallback] {
        const QVariant v = Prefs::shared().value(KVRNThemes::key());
        return v.isValid() && v.typeId() == QMetaType::QString ? v.toString() : fallback;
    };

    auto *group = new QActionGroup(menu);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const KVRNTheme &theme : KVRNThemes::all()) {
        QAction *action = menu->addAction(escaped(theme.name));
        action->setCheckable(true);
        action->setData(theme.id);
        group->addAction(action);
        const QString id = theme.id;
        QObject::connect(action, &QAction::triggered, menu, [id] { KVRNThemes::setCurrentID(id); });
    }

    auto sync = [group, bound] {
        const QString id = bound();
        for (QAction *a : group->actions())
            a->setChecked(a->data().toString() == id);
    };
    sync();
    QObject::connect(&Prefs::shared(), &Prefs::changed, group, [sync](const QString &key) {
        if (key == KVRNThemes::key())
            sync();
    });
}
