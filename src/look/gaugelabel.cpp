#include "gaugelabel.h"

#include "fvfont.h"
#include "fvpalette.h"
#include "kit/kvaccessible.h"
#include "kit/kvdropshadow.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

GaugeLabel::GaugeLabel(const QString &text, const QColor &color, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
    , m_color(color)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(text);
    KVAccessible::setHeading(this);
    m_glow = new KVDropShadow(this, Qt::black, 4, QPointF(), [this] {
        const QRectF d = dotRect();
        return KVShape::circle(d.center(), d.width() / 2);
    });
    m_glow->setColorSource([this] { return KVShape::faded(dotColor(), 0.9); });
    KVScaleWatch::follow(this);
}

QFont GaugeLabel::labelFont()
{
    QFont f = FVFont::font(11, QFont::ExtraBold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, KVScale::pt(1.4));
    return f;
}

QColor GaugeLabel::dotColor() const
{
    return m_color.isValid() ? m_color : FVPalette::current().accent;
}

QSize GaugeLabel::sizeHint() const
{
    const QFontMetricsF fm(labelFont());
    const double w = KVScale::pt(8) + KVScale::pt(7) + fm.horizontalAdvance(shownText());
    const double h = std::max(KVScale::pt(8), fm.height());
    return QSize(int(std::ceil(w)), int(std::ceil(h)));
}

QSize GaugeLabel::minimumSizeHint() const
{
    const QSize full = sizeHint();
    const double least = KVScale::pt(8) + KVScale::pt(7) + QFontMetricsF(labelFont()).horizontalAdvance(QStringLiteral("MMMMMM"));
    return QSize(std::min(full.width(), int(std::ceil(least))), full.height());
}

QRectF GaugeLabel::dotRect() const
{
    const double d = KVScale::pt(8);
    return QRectF(0, (height() - d) / 2.0, d, d);
}

void GaugeLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF dot = dotRect();
    QRadialGradient g(dot.center(), KVScale::pt(5));
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, dotColor());
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(dot);

    const double x = dot.right() + KVScale::pt(7);
    p.setFont(labelFont());
    p.setPen(FVPalette::current().dim);
    const QRectF box(x, 0, width() - x, height());
    const QString full = shownText();
    const QFontMetricsF fm(p.font());
    // Cut only when the text does not fit (rounding may leave it a hair short).
    const QString shown = fm.horizontalAdvance(full) <= box.width() + 1 ? full : fm.elidedText(full, Qt::ElideRight, box.width());
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}
