#include "complaintbar.h"

#include "complaintchartrules.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"
#include "look/fvpalette.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
constexpr double kHeight = 14;
}

ComplaintBar::ComplaintBar(qint64 complaints, qint64 scale, bool notablyHigh, QWidget *parent)
    : QWidget(parent), m_complaints(complaints), m_scale(scale), m_high(notablyHigh)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    KVScaleWatch::follow(this);
}

QSize ComplaintBar::sizeHint() const
{
    return QSize(KVScale::ipt(120), KVScale::ipt(kHeight));
}

QSize ComplaintBar::minimumSizeHint() const
{
    return QSize(KVScale::ipt(ComplaintChartRules::minBar), KVScale::ipt(kHeight));
}

double ComplaintBar::barWidth() const
{
    return ComplaintChartRules::barWidth(m_complaints, m_scale, width(), KVScale::pt(ComplaintChartRules::minBar));
}

void ComplaintBar::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track(0, 0, width(), height());
    p.fillPath(capsule(track), QColor::fromRgbF(0, 0, 0, 0.35f));

    const QRectF bar(0, 0, barWidth(), height());
    if (bar.width() <= 0)
        return;
    QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
    if (m_high) {
        fill.setColorAt(0, QColor::fromRgbF(1.0f, 0.32f, 0.25f));
        fill.setColorAt(1, FVPalette::red());
    } else {
        fill.setColorAt(0, QColor::fromRgbF(0.86f, 0.86f, 0.86f));
        fill.setColorAt(1, QColor::fromRgbF(0.52f, 0.52f, 0.52f));
    }
    p.fillPath(capsule(bar), fill);
    const double w = KVScale::pt(0.8);
    p.setPen(QPen(white(1, 0.35), w));
    p.setBrush(Qt::NoBrush);
    p.drawPath(capsule(bar.adjusted(w / 2, w / 2, -w / 2, -w / 2)));
}
