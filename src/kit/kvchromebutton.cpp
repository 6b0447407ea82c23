#include "kvchromebutton.h"

#include "kvdropshadow.h"
#include "kvfocusring.h"
#include "kvfont.h"
#include "kvkittheme.h"
#include "kvscale.h"
#include "kvscalewatch.h"
#include "kvshape.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

KVChromeButton::KVChromeButton(const QString &text, QWidget *parent)
    : KVChromeButton(text, false, false, parent)
{
}

KVChromeButton::KVChromeButton(const QString &text, bool prominent, bool compact, QWidget *parent)
    : QPushButton(text, parent)
    , m_prominent(prominent)
    , m_compact(compact)
{
    setAttribute(Qt::WA_Hover, false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFont(labelFont());
    m_shadow = new KVDropShadow(this, QColor::fromRgbF(0, 0, 0, 0.4f), 3.0, QPointF(0, 2),
                                [this] { return KVShape::capsule(capsuleRect()); });
    m_shadow->setOpacityFunction([this] { return opacity(); });
    m_shadow->setCapsule();
    KVFocusRing::attach(this, KVFocusRing::capsule, [this] { return capsuleRect(); });
    connect(this, &QAbstractButton::pressed, m_shadow, qOverload<>(&QWidget::update));
    connect(this, &QAbstractButton::released, m_shadow, qOverload<>(&QWidget::update));
    KVScaleWatch::follow(this, [this] { setFont(labelFont()); });
}

void KVChromeButton::setProminent(bool prominent)
{
    if (m_prominent == prominent)
        return;
    m_prominent = prominent;
    update();
}

void KVChromeButton::setCompact(bool compact)
{
    if (m_compact == compact)
        return;
    m_compact = compact;
    setFont(labelFont());
    updateGeometry();
    update();
}

QFont KVChromeButton::labelFont() const
{
    return KVFont::rounded(labelSize(m_compact), QFont::Bold);
}

QSize KVChromeButton::sizeHint() const
{
    // Layouts and the header's fitting ask again and again; the label is
    // measured once per text, size and zoom.
    const double zoom = KVScale::factor();
    if (m_hint.size.isValid() && m_hint.text == text() && m_hint.compact == m_compact && m_hint.zoom == zoom)
        return m_hint.size;
    const QFontMetricsF fm(labelFont());
    const double w = fm.horizontalAdvance(text()) + 2 * KVScale::pt(horizontalPadding(m_compact));
    const double h = fm.height() + 2 * KVScale::pt(verticalPadding(m_compact));
    m_hint = {text(), m_compact, zoom, QSize(int(std::ceil(w)), int(std::ceil(h)))};
    return m_hint.size;
}

QSize KVChromeButton::minimumSizeHint() const
{
    return sizeHint();
}

QRectF KVChromeButton::capsuleRect() const
{
    return QRectF(rect());
}

double KVChromeButton::opacity() const
{
    // Faded while disabled, darker while pressed.
    if (!isEnabled())
        return 0.45;
    return isDown() ? 0.75 : 1.0;
}

bool KVChromeButton::hitButton(const QPoint &pos) const
{
    return KVShape::capsule(capsuleRect()).contains(QPointF(pos) + QPointF(0.5, 0.5));
}

void KVChromeButton::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    const KVKitTheme theme = KVKitTheme::current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(opacity());

    const QRectF r = capsuleRect();
    const QList<QColor> fill = m_prominent ? theme.accentFill(0.95, 0.6) : QList<QColor>{white(0.42), white(0.16)};
    p.fillPath(capsule(r), vertical(r, fill));
    strokeCapsuleInside(p, r, KVScale::pt(1), vertical(r, {white(1, 0.55), QColor::fromRgbF(0, 0, 0, 0.5f)}));

    p.setFont(labelFont());
    p.setPen(m_prominent ? theme.onAccent : theme.text);
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text());
}
