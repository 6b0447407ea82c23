#include "kvpanel.h"

#include "kvkittheme.h"
#include "kvscale.h"
#include "kvscalewatch.h"
#include "kvshape.h"

#include <QPainter>
#include <QVBoxLayout>

KVPanel::KVPanel(QWidget *parent)
    : KVPanel(20, 12, parent)
{
}

KVPanel::KVPanel(double radius, double padding, QWidget *parent)
    : QWidget(parent)
    , m_radius(radius)
    , m_padding(padding)
    , m_layout(new QVBoxLayout(this))
{
    m_layout->setSpacing(0);
    applyPadding();
    KVScaleWatch::follow(this, [this] { applyPadding(); });
}

void KVPanel::applyPadding()
{
    const int p = KVScale::ipt(m_padding);
    m_layout->setContentsMargins(p, p, p, p);
}

void KVPanel::setContent(QWidget *content)
{
    if (m_content == content)
        return;
    delete m_content;
    m_content = content;
    if (content)
        m_layout->insertWidget(0, content);
}

void KVPanel::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    const KVKitTheme theme = KVKitTheme::current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect());
    const double radius = KVScale::pt(m_radius);
    p.fillPath(roundedRect(r, radius), vertical(r, {theme.panelTop, theme.panelBottom}));
    strokeRoundedRectInside(p, r, radius, KVScale::pt(1),
                            vertical(r, {white(1, 0.35), QColor::fromRgbF(0, 0, 0, 0.5f)}));
}
