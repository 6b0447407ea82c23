#include "kvfocusring.h"

#include "kvkittheme.h"
#include "kvscale.h"
#include "kvshape.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QFocusEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kLine = 2;
constexpr double kGap = 2;

QPainterPath outline(const QRectF &r, double radius)
{
    if (radius < 0)
        return KVShape::capsule(r);
    return KVShape::roundedRect(r, std::min(radius, std::min(r.width(), r.height()) / 2));
}
} // namespace

KVFocusRing *KVFocusRing::attach(QWidget *owner, double radius, std::function<QRectF()> area)
{
    return new KVFocusRing(owner, radius, std::move(area));
}

// Waits on the owner for its first focus, then makes the ring and hands it
// that event.
class KVFocusRing::Pending final : public QObject
{
public:
    Pending(QWidget *owner, double radius)
        : QObject(owner)
        , m_radius(radius)
    {
        owner->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn && !m_done) {
            m_done = true;
            auto *owner = static_cast<QWidget *>(watched);
            owner->removeEventFilter(this);
            auto *ring = new KVFocusRing(owner, m_radius, {});
            ring->ownerEvent(event);
            deleteLater();
        }
        return false;
    }

private:
    double m_radius;
    bool m_done = false;
};

void KVFocusRing::attachOnFocus(QWidget *owner, double radius)
{
    new Pending(owner, radius);
}

KVFocusRing::KVFocusRing(QWidget *owner, double radius, std::function<QRectF()> area)
    : KVOwnerFollower(owner)
    , m_radius(radius)
    , m_area(std::move(area))
{
    sync();
}

QColor KVFocusRing::color()
{
    const KVKitTheme theme = KVKitTheme::current();
    return theme.focus.isValid() ? theme.focus : theme.accent;
}

double KVFocusRing::lineWidth()
{
    return KVScale::pt(kLine);
}

void KVFocusRing::paint(QPainter &p, const QRectF &r, double radius)
{
    const double w = lineWidth();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color(), w));
    p.setBrush(Qt::NoBrush);
    const QRectF outer = r.adjusted(w / 2, w / 2, -w / 2, -w / 2);
    const double rounded = radius < 0 ? radius : KVScale::pt(radius);
    p.drawPath(outline(outer, rounded));
    // A second line inside, in the colour of text on the accent, keeps the
    // ring visible on an accent fill.
    const double thin = w;
    const QColor onAccent = KVKitTheme::current().onAccent;
    p.setPen(QPen(onAccent.isValid() ? onAccent : QColor(Qt::white), thin));
    const double in = w + thin / 2;
    p.drawPath(outline(r.adjusted(in, in, -in, -in), rounded < 0 ? rounded : std::max(0.0, rounded - w)));
    p.restore();
}

int KVFocusRing::span() const
{
    return int(std::ceil(KVScale::pt(kLine + kGap)));
}

QMargins KVFocusRing::reach() const
{
    const int r = span();
    return QMargins(r, r, r, r);
}

QRectF KVFocusRing::ownerArea() const
{
    const QRectF whole(QPointF(0, 0), QSizeF(m_owner->size()));
    return m_area ? m_area() : whole;
}

void KVFocusRing::ownerEvent(QEvent *event)
{
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
        return;
    // Focus that leaves for another window or a popup and comes back keeps
    // the ring as it was (a clicked control stays without one).
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    const bool away = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    if (event->type() == QEvent::FocusIn) {
        // A click gives the focus too; only the keyboard's shows.
        m_lit = away ? m_resume : reason != Qt::MouseFocusReason;
        if (m_lit)
            setHost(roomyAncestor());
    } else {
        m_resume = away ? m_lit : true;
        m_lit = false;
    }
    sync();
}

QWidget *KVFocusRing::roomyAncestor() const
{
    // The nearest ancestor the whole ring fits in, never past the content of
    // a scroll view (the ring must scroll with its control).
    QWidget *parent = m_owner ? m_owner->parentWidget() : nullptr;
    for (QWidget *a = parent; a; a = a->parentWidget()) {
        const QRect ring(m_owner->mapTo(a, QPoint(0, 0)), m_owner->size());
        QWidget *up = a->isWindow() ? nullptr : a->parentWidget();
        const auto *area = up ? qobject_cast<QAbstractScrollArea *>(up->parentWidget()) : nullptr;
        const bool last = !up || (area && area->viewport() == up);
        if (a->rect().contains(ring.marginsAdded(reach())) || last)
            return a == parent ? nullptr : a;
    }
    return nullptr;
}

void KVFocusRing::paintEvent(QPaintEvent *)
{
    if (!m_owner || !m_lit)
        return;
    QPainter p(this);
    const double gap = KVScale::pt(kGap);
    const double line = lineWidth();
    const QRectF area = ownerArea().translated(span(), span());
    const QRectF ring = area.adjusted(-gap - line, -gap - line, gap + line, gap + line);
    // The radius grows with the gap, so the ring runs parallel to the outline.
    const double radius = m_radius < 0 ? capsule : KVScale::pt(m_radius) + gap + line;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color(), line));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline(ring.adjusted(line / 2, line / 2, -line / 2, -line / 2), radius));
}
