#include "sunkenlist.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"

#include <QPainter>
#include <QRegion>
#include <QVBoxLayout>

namespace {
constexpr double kRadius = 16;
}

SunkenList::SunkenList(QWidget *child, QWidget *parent)
    : QWidget(parent)
{
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(child);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    KVScaleWatch::follow(this, [this] { applyMask(); });
}

void SunkenList::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect());
    const double radius = KVScale::pt(kRadius);
    p.fillPath(roundedRect(r, radius), flat(r, QColor::fromRgbF(0, 0, 0, 0.28f)));
    strokeRoundedRectInside(p, r, radius, KVScale::pt(1),
                            vertical(r, {QColor::fromRgbF(0, 0, 0, 0.6f), white(1, 0.25)}));
}

void SunkenList::resizeEvent(QResizeEvent *event)
{
    applyMask();
    QWidget::resizeEvent(event);
}

void SunkenList::applyMask()
{
    // The rows are clipped to the rounded well, the rim included.
    const QPainterPath path = KVShape::roundedRect(QRectF(rect()), KVScale::pt(kRadius));
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}
