#include "listrowlook.h"

#include "kit/kvrnthemes.h"
#include "kit/kvscale.h"
#include "kit/kvshape.h"

#include <QPainter>

void ListRowLook::paintBackground(QPainter &p, const QRectF &r, bool selected, bool hovered)
{
    using namespace KVShape;
    const double rad = KVScale::pt(radius);
    if (selected) {
        p.fillPath(roundedRect(r, rad), vertical(r, KVRNThemes::current().accentFill(0.95, 0.55)));
        strokeRoundedRectInside(p, r, rad, KVScale::pt(1), QBrush(white(1, 0.5)));
    } else if (hovered) {
        p.fillPath(roundedRect(r, rad), white(1, 0.06));
    }
}

void ListRowLook::paintFocusRing(QPainter &p, const QRectF &r, bool selected)
{
    using namespace KVShape;
    const KVRNTheme theme = KVRNThemes::current();
    const QColor ring = selected ? theme.onAccent().color() : theme.focusRing().color();
    strokeRoundedRectInside(p, r, KVScale::pt(radius), KVScale::pt(2), QBrush(ring));
}

QColor ListRowLook::foreground(bool selected)
{
    return selected ? KVRNThemes::current().onAccent().color() : KVRNThemes::current().text.color();
}
