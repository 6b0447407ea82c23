#include "kvmenustyle.h"

#include "kvbands.h"
#include "kvlazyicon.h"
#include "kvscale.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionMenuItem>

QColor KVMenuStyle::separatorColor(const QPalette &palette)
{
    QColor c = palette.color(QPalette::Active, QPalette::WindowText);
    c.setAlphaF(0.28f);
    return c;
}

QIcon KVMenuStyle::standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const
{
    // Every menu bar asks for its overflow arrow when it is made, which reads
    // and decodes an image; the arrow shows only on a very narrow window.
    // The option cannot be kept for later, so only calls without one wait.
    if (!option && (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)) {
        const QPointer<const QWidget> from(widget);
        const QPointer<const KVMenuStyle> self(this);
        return KVLazyIcon::icon([self, icon, from] {
            if (self)
                return self->QProxyStyle::standardIcon(icon, nullptr, from.data());
            return QApplication::style()->standardIcon(icon, nullptr, from.data());
        });
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

void KVMenuStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    // The menu bar's current title while the bar has the keyboard (no menu
    // open) is lit as when its menu is open, so the focus shows.
    if (element == CE_MenuBarItem && item && (item->state & State_Selected) && !(item->state & State_Sunken) && widget
        && widget->hasFocus()) {
        QStyleOptionMenuItem lit = *item;
        lit.state |= State_Sunken;
        QProxyStyle::drawControl(element, &lit, painter, widget);
        return;
    }
    if (element != CE_MenuItem || !item || item->menuItemType != QStyleOptionMenuItem::Separator
        || !item->text.isEmpty()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect r = item->rect;
    const int margin = KVScale::ipt(6);
    painter->save();
    painter->setPen(QPen(separatorColor(item->palette), 1));
    const int y = r.center().y();
    painter->drawLine(r.left() + margin, y, r.right() - margin, y);
    painter->restore();
}

void KVMenuStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                     const QWidget *widget) const
{
    if (control != CC_ScrollBar || !option || !painter) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    KVBands::render(*painter, option->rect,
                    [&](QPainter &p) { QProxyStyle::drawComplexControl(control, option, &p, widget); });
}
