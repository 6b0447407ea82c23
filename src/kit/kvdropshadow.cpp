#include "kvdropshadow.h"

#include "kvscale.h"
#include "kvshadow.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

KVDropShadow::KVDropShadow(QWidget *owner, const QColor &color, double radius, const QPointF &offset,
                           std::function<QPainterPath()> shape)
    : KVOwnerFollower(owner)
    , m_color(color)
    , m_radius(radius)
    , m_offset(offset)
    , m_shape(std::move(shape))
{
    setAccessibleName(QString());
    sync();
}

void KVDropShadow::setOpacityFunction(std::function<double()> opacity)
{
    m_opacity = std::move(opacity);
    update();
}

void KVDropShadow::setRoundedRect(std::function<double()> cornerRadius)
{
    m_corner = std::move(cornerRadius);
    update();
}

void KVDropShadow::setCoveredByOwner(std::function<bool()> covered)
{
    m_covered = std::move(covered);
    update();
}

void KVDropShadow::setCapsule()
{
    m_capsule = true;
    update();
}

void KVDropShadow::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void KVDropShadow::setColorSource(std::function<QColor()> source)
{
    m_colorSource = std::move(source);
    update();
}

QMargins KVDropShadow::reach() const
{
    const QMarginsF m = KVShadow::reach(KVScale::pt(m_radius), m_offset * KVScale::factor());
    return QMargins(int(std::ceil(m.left())), int(std::ceil(m.top())), int(std::ceil(m.right())),
                    int(std::ceil(m.bottom())));
}

void KVDropShadow::paintEvent(QPaintEvent *)
{
    if (!m_owner || !m_shape)
        return;
    const double opacity = m_opacity ? m_opacity() : 1.0;
    if (opacity <= 0)
        return;
    QPainter p(this);
    p.setOpacity(opacity);
    const QMargins m = reach();
    p.translate(m.left(), m.top());
    const QColor color = m_colorSource ? m_colorSource() : m_color;
    if (m_corner) {
        // The owner paints over this in the same clip only as a sibling.
        const bool covered = m_covered && parentWidget() == m_owner->parentWidget() && m_covered();
        KVShadow::paintRoundedRect(p, QRectF(m_owner->rect()), m_corner(), color, KVScale::pt(m_radius),
                                   m_offset * KVScale::factor(), covered);
    } else if (m_capsule) {
        KVShadow::paintCapsule(p, QRectF(m_owner->rect()), color, KVScale::pt(m_radius), m_offset * KVScale::factor());
    } else
        KVShadow::paint(p, m_shape(), color, KVScale::pt(m_radius), m_offset * KVScale::factor());
}
