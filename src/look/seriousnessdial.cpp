#include "seriousnessdial.h"

#include "fvfont.h"
#include "fvpalette.h"
#include "gaugemath.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshadow.h"
#include "kit/kvshape.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// An arc of the circle from fraction `from` to `to`, clockwise on screen.
QPainterPath arc(const QPointF &c, double r, double from, double to)
{
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    QPainterPath path;
    // Qt counts angles counter-clockwise.
    path.arcMoveTo(box, -360.0 * from);
    path.arcTo(box, -360.0 * from, -360.0 * (to - from));
    return path;
}

constexpr double kSpacing = 4;

} // namespace

SeriousnessDial::SeriousnessDial(Seriousness level, double size, QWidget *parent)
    : QWidget(parent)
    , m_level(level)
    , m_size(size)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("Seriousness: ") + level.title());
    KVScaleWatch::follow(this);
}

QFont SeriousnessDial::captionFont()
{
    QFont f = FVFont::font(14, QFont::Black);
    f.setLetterSpacing(QFont::AbsoluteSpacing, KVScale::pt(1.5));
    return f;
}

void SeriousnessDial::setLevel(Seriousness level)
{
    if (level.level() == m_level.level())
        return;
    m_level = level;
    updateGeometry(); // the caption's width may differ
    update();
}

QSize SeriousnessDial::sizeHint() const
{
    const QFontMetricsF fm(captionFont());
    const double w = std::max(KVScale::pt(m_size), fm.horizontalAdvance(caption()));
    const double h = KVScale::pt(dialHeight(m_size) + kSpacing) + fm.height();
    return QSize(int(std::ceil(w)), int(std::ceil(h)));
}

void SeriousnessDial::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double f = KVScale::factor();
    const double s = m_size;

    // The dial, drawn in points, clipped to its upper 60 %.
    p.save();
    p.translate((width() - s * f) / 2.0, 0);
    p.scale(f, f);
    p.setClipRect(QRectF(0, 0, s, dialHeight(s)));
    const QPointF c(s / 2, s / 2);
    const double bandRadius = 0.43 * s;

    for (int i = 0; i < 3; ++i) {
        const Seriousness lvl = Seriousness::allCases()[size_t(i)];
        const FVGauge::Band band = FVGauge::dialBand(i);
        QPen pen(faded(FVPalette::color(lvl), FVGauge::dialBandOpacity(i, m_level)), 0.11 * s);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc(c, bandRadius, band.from, band.to));
    }

    const double rimRadius = bandRadius + 0.06 * s;
    const QRectF rimBox(c.x() - rimRadius, c.y() - rimRadius, 2 * rimRadius, 2 * rimRadius);
    QPen rim(QBrush(vertical(rimBox, {white(1, 0.7), white(1, 0)})), 1.0);
    rim.setCapStyle(Qt::FlatCap);
    p.setPen(rim);
    p.drawPath(arc(c, rimRadius, 0.5, 1.0));

    p.save();
    p.translate(c);
    p.rotate(FVGauge::dialNeedleAngle(m_level));
    QPainterPath needle;
    needle.addRect(QRectF(0, -1.5, 0.38 * s, 3));
    KVShadow::paint(p, needle, Qt::black, 2);
    p.fillPath(needle, Qt::white);
    p.restore();

    p.setPen(Qt::NoPen);
    p.setBrush(white(0.8));
    p.drawEllipse(c, 0.06 * s, 0.06 * s);
    p.restore();

    p.setFont(captionFont());
    p.setPen(FVPalette::color(m_level));
    const double top = KVScale::pt(dialHeight(s) + kSpacing);
    p.drawText(QRectF(0, top, width(), height() - top), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
               caption());
}
