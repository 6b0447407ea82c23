#include "filterchip.h"

#include "kit/kvaccessible.h"
#include "kit/kvrnthemes.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"
#include "look/fvfont.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {
constexpr double kTextSize = 11.5;
constexpr double kPadX = 10;
constexpr double kPadY = 4;

QFont chipFont()
{
    return FVFont::font(kTextSize, QFont::Bold);
}
} // namespace

FilterChip::FilterChip(const QString &title, const QColor &activeColor, QWidget *parent)
    : QAbstractButton(parent)
    , m_color(activeColor)
{
    setText(title);
    setAccessibleName(title);
    setCheckable(false);
    // One choice of several: the chosen chip is checked.
    KVAccessible::setRole(this, QAccessible::RadioButton);
    KVAccessible::setChecked(this, false);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    KVScaleWatch::follow(this);
}

void FilterChip::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    KVAccessible::setChecked(this, active);
    update();
}

QSize FilterChip::sizeHint() const
{
    const QFontMetricsF fm(chipFont());
    return QSize(int(std::ceil(fm.horizontalAdvance(text()) + KVScale::pt(2 * kPadX))),
                 int(std::ceil(fm.height() + KVScale::pt(2 * kPadY))));
}

void FilterChip::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF r(rect());
    p.fillPath(capsule(r), m_active ? m_color : QColor::fromRgbF(0, 0, 0, 0.3f));
    if (hasFocus())
        strokeCapsuleInside(p, r, KVScale::pt(2),
                            QBrush(m_active ? white(1, 0.95) : KVRNThemes::current().focusRing().color()));
    p.setFont(chipFont());
    p.setPen(m_active ? QColor(Qt::white) : KVRNThemes::current().text.color());
    p.drawText(r, Qt::AlignCenter, text());
}
