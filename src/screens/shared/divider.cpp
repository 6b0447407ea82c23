#include "divider.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"

#include <QPainter>

Divider::Divider(QWidget *parent)
    : Divider(0.25, parent)
{
}

Divider::Divider(double opacity, QWidget *parent)
    : QWidget(parent), m_opacity(opacity)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    KVScaleWatch::follow(this);
}

QSize Divider::sizeHint() const
{
    return QSize(1, std::max(1, KVScale::ipt(1)));
}

void Divider::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QColor c = palette().color(QPalette::WindowText);
    c.setAlphaF(float(m_opacity));
    p.fillRect(QRectF(0, 0, width(), std::max(1.0, KVScale::pt(1))), c);
}
