#include "leveldot.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"

#include <QPainter>

LevelDot::LevelDot(const QColor &color, QWidget *parent)
    : QWidget(parent)
    , m_color(color)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    KVScaleWatch::follow(this);
}

QSize LevelDot::sizeHint() const
{
    const int side = KVScale::ipt(9);
    return QSize(side, side);
}

void LevelDot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(m_color);
    const double side = std::min(width(), height());
    p.drawEllipse(QRectF((width() - side) / 2, (height() - side) / 2, side, side));
}
