#include "garagewell.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"
#include "look/fvpalette.h"

#include <QEvent>
#include <QPainter>
#include <QVBoxLayout>

GarageWell::GarageWell(QWidget *child, double radius, double opacity, double padding, QWidget *parent)
    : QWidget(parent)
    , m_radius(radius)
    , m_opacity(opacity)
    , m_padding(padding)
{
    auto *box = new QVBoxLayout(this);
    box->setSpacing(0);
    box->addWidget(child);
    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

void GarageWell::setFocusSource(QWidget *source)
{
    m_focusSource = source;
    source->installEventFilter(this);
}

void GarageWell::applyMetrics()
{
    const int pad = KVScale::ipt(m_padding);
    layout()->setContentsMargins(pad, pad, pad, pad);
}

bool GarageWell::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_focusSource && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        update();
    return QWidget::eventFilter(watched, event);
}

void GarageWell::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect());
    const double radius = KVScale::pt(m_radius);
    p.fillPath(KVShape::roundedRect(r, radius), QColor::fromRgbF(0, 0, 0, float(m_opacity)));
    if (m_focusSource && m_focusSource->hasFocus())
        KVShape::strokeRoundedRectInside(p, r, radius, KVScale::pt(2), QBrush(FVPalette::current().accent));
}
