#include "bezel.h"

#include "fvpalette.h"
#include "kit/kvdropshadow.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"

#include <QPainter>
#include <QVBoxLayout>

Bezel::Bezel(QWidget *parent)
    : Bezel(22, 16, parent)
{
}

Bezel::Bezel(double radius, double padding, QWidget *parent)
    : QWidget(parent)
    , m_radius(radius)
    , m_padding(padding)
    , m_layout(new QVBoxLayout(this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_layout->setSpacing(0);
    applyPadding();
    m_shadow = new KVDropShadow(this, QColor::fromRgbF(0, 0, 0, 0.45f), 10, QPointF(0, 5), [this] {
        return KVShape::roundedRect(QRectF(rect()), KVScale::pt(m_radius));
    });
    KVScaleWatch::follow(this, [this] { applyPadding(); });
}

void Bezel::applyPadding()
{
    const int p = KVScale::ipt(m_padding);
    m_layout->setContentsMargins(p, p, p, p);
}

void Bezel::setContent(QWidget *content)
{
    if (m_content == content)
        return;
    delete m_content;
    m_content = content;
    if (content)
        m_layout->insertWidget(0, content);
}

void Bezel::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    const FVPalette pal = FVPalette::current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect());
    const double radius = KVScale::pt(m_radius);

    p.fillPath(roundedRect(r, radius), vertical(r, {pal.panelTop, pal.panelBottom}));
    strokeRoundedRectInside(p, r, radius, KVScale::pt(1.6),
                            vertical(r, {white(1, 0.75), white(0.55, 0.5), QColor::fromRgbF(0, 0, 0, 0.7f)}));
    const double in = KVScale::pt(3);
    strokeRoundedRectInside(p, r.adjusted(in, in, -in, -in), std::max(0.0, radius - in), KVScale::pt(1),
                            QBrush(QColor::fromRgbF(0, 0, 0, 0.35f)));
}
