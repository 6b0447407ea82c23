#include "photoframe.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"
#include "look/vehiclesilhouette.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr double kWidth = 330;
constexpr double kHeight = 200;
constexpr double kRadius = 20;
constexpr double kInset = 26;
} // namespace

PhotoFrame::PhotoFrame(QWidget *parent)
    : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    KVScaleWatch::follow(this, [this] { placeSilhouette(); });
}

QSize PhotoFrame::sizeHint() const
{
    return QSize(KVScale::ipt(kWidth), KVScale::ipt(kHeight));
}

QSize PhotoFrame::minimumSizeHint() const
{
    return QSize(KVScale::ipt(kWidth / 2), KVScale::ipt(kHeight / 2));
}

int PhotoFrame::heightForWidth(int width) const
{
    return std::min(KVScale::ipt(kHeight), int(width * kHeight / kWidth + 0.5));
}

void PhotoFrame::setPicture(const QImage &image, VehicleKind kind)
{
    m_image = image;
    if (!m_image.isNull()) {
        delete m_silhouette;
        m_silhouette = nullptr;
    } else if (!m_silhouette || m_silhouette->kind() != kind) {
        delete m_silhouette;
        m_silhouette = new VehicleSilhouette(kind, this);
        m_silhouette->show();
        placeSilhouette();
    }
    update();
}

void PhotoFrame::placeSilhouette()
{
    if (!m_silhouette)
        return;
    const int in = KVScale::ipt(kInset);
    m_silhouette->setGeometry(rect().adjusted(in, in, -in, -in));
}

void PhotoFrame::resizeEvent(QResizeEvent *event)
{
    placeSilhouette();
    QWidget::resizeEvent(event);
}

void PhotoFrame::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF r(rect());
    const double radius = KVScale::pt(kRadius);
    const QPainterPath shape = roundedRect(r, radius);
    p.fillPath(shape, QColor::fromRgbF(0, 0, 0, 0.45f));
    if (!m_image.isNull()) {
        // Scaled to fill with the aspect kept; the overflow is cut off.
        const QSizeF img = m_image.size();
        const double scale = std::max(r.width() / img.width(), r.height() / img.height());
        const QSizeF drawn = img * scale;
        const QRectF target(r.center().x() - drawn.width() / 2, r.center().y() - drawn.height() / 2, drawn.width(),
                            drawn.height());
        p.save();
        p.setClipPath(shape);
        p.drawImage(target, m_image);
        p.restore();
    }
    strokeRoundedRectInside(p, r, radius, KVScale::pt(3),
                            QBrush(angular(r.center(), {white(1), white(0.4), white(1), white(0.25), white(1)})));
}
