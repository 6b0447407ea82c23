#include "listwell.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"

#include <QPainter>
#include <QVBoxLayout>

namespace {
constexpr double kRadius = 16;
} // namespace

ListWell::ListWell(QWidget *child, double inset, QWidget *parent)
    : QWidget(parent)
    , m_inset(inset)
{
    auto *box = new QVBoxLayout(this);
    box->addWidget(child);
    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

void ListWell::applyMetrics()
{
    const int inset = KVScale::ipt(m_inset);
    layout()->setContentsMargins(inset, inset, inset, inset);
}

void ListWell::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(KVShape::roundedRect(QRectF(rect()), KVScale::pt(kRadius)), QColor::fromRgbF(0, 0, 0, 0.25f));
}
