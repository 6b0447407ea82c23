#include "switchtoggle.h"

#include "kit/kvfocusring.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {
constexpr double kTrackW = 32;
constexpr double kTrackH = 18;
constexpr double kGap = 8;
} // namespace

SwitchToggle::SwitchToggle(const QString &text, double points, QWidget *parent)
    : QAbstractButton(parent), m_points(points)
{
    setText(text);
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    applyFont();
    KVScaleWatch::follow(this, [this] { applyFont(); });
    KVFocusRing::attach(this, KVFocusRing::capsule, [this] { return trackRect(); });
}

void SwitchToggle::applyFont()
{
    setFont(FVFont::font(m_points));
}

QSize SwitchToggle::sizeHint() const
{
    const QFontMetricsF fm(font());
    const double w = fm.horizontalAdvance(text()) + KVScale::pt(kGap + kTrackW);
    const double h = std::max(fm.height(), KVScale::pt(kTrackH));
    return QSize(int(std::ceil(w)) + 1, int(std::ceil(h)));
}

QRectF SwitchToggle::trackRect() const
{
    const double w = KVScale::pt(kTrackW);
    const double h = KVScale::pt(kTrackH);
    return QRectF(width() - w, (height() - h) / 2, w, h);
}

void SwitchToggle::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(font());
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRectF(0, 0, width() - KVScale::pt(kTrackW + kGap), height()), Qt::AlignLeft | Qt::AlignVCenter,
               text());

    const QRectF track = trackRect();
    const QColor on = FVPalette::current().accent;
    p.fillPath(capsule(track), isChecked() ? on : white(0, 0.35));
    strokeCapsuleInside(p, track, KVScale::pt(1), QBrush(white(1, 0.3)));
    const double inset = KVScale::pt(2);
    const double d = track.height() - 2 * inset;
    const double x = isChecked() ? track.right() - inset - d : track.left() + inset;
    p.setPen(Qt::NoPen);
    p.setBrush(white(isDown() ? 0.85 : 1.0));
    p.drawEllipse(QRectF(x, track.top() + inset, d, d));
}
