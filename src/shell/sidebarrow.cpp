#include "sidebarrow.h"

#include "kit/kvaccessible.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvdropshadow.h"
#include "kit/kvfocusring.h"
#include "kit/kvkittheme.h"
#include "kit/kvshape.h"
#include "kit/kvsymbols.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {
constexpr double kTextSize = 13;
constexpr double kIconColumn = 20;
constexpr double kSpacing = 10;
constexpr double kPadX = 12;
constexpr double kPadY = 9;
constexpr double kGlow = 6;
} // namespace

SidebarRow::SidebarRow(const QString &icon, const QString &title, QWidget *parent)
    : QAbstractButton(parent)
    , m_icon(icon)
    , m_title(title)
{
    setText(title);
    setAccessibleName(title);
    // One of the window's pages; the current one is selected.
    KVAccessible::setRole(this, QAccessible::PageTab);
    KVAccessible::setSelected(this, false);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    KVScaleWatch::follow(this);
    // The accent glow of the selected row, drawn outside the row.
    auto *glow = new KVDropShadow(this, QColor(), kGlow, QPointF(0, 0), [this] { return KVShape::capsule(QRectF(rect())); });
    glow->setColorSource([] { return KVShape::faded(FVPalette::current().accent, 0.6); });
    glow->setOpacityFunction([this] { return m_selected ? 1.0 : 0.0; });
    glow->setCapsule();
    m_glow = glow;
}

void SidebarRow::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    updateTip();
    KVAccessible::setSelected(this, selected);
    updateGeometry();
    update();
    m_glow->update();
}

void SidebarRow::setAvailable(bool available)
{
    setEnabled(available);
    update();
}

QColor SidebarRow::foreground() const
{
    const FVPalette palette = FVPalette::current();
    return m_selected ? palette.onAccent() : palette.text;
}

QFont SidebarRow::titleFont() const
{
    return FVFont::font(kTextSize, m_selected ? QFont::Bold : QFont::Medium);
}

QSize SidebarRow::sizeHint() const
{
    const QFontMetricsF fm(titleFont());
    const double h = std::max(fm.height(), KVSymbols::extent(kTextSize));
    const double w = KVScale::pt(kIconColumn) + KVScale::pt(kSpacing) + fm.horizontalAdvance(m_title);
    return QSize(int(std::ceil(w + 2 * KVScale::pt(kPadX))), int(std::ceil(h + 2 * KVScale::pt(kPadY))));
}

QSize SidebarRow::minimumSizeHint() const
{
    return QSize(int(std::ceil(KVScale::pt(kIconColumn) + 2 * KVScale::pt(kPadX))), sizeHint().height());
}

void SidebarRow::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setOpacity(isEnabled() ? 1.0 : 0.45);

    const QRectF r(rect());
    if (m_selected) {
        p.fillPath(capsule(r), vertical(r, KVKitTheme::current().accentFill(1, 0.55)));
        strokeCapsuleInside(p, r, KVScale::pt(1), vertical(r, {white(1, 0.7), QColor::fromRgbF(0, 0, 0, 0.4f)}));
    }
    if (hasFocus())
        KVFocusRing::paint(p, r);

    const QColor fg = foreground();
    double x = KVScale::pt(kPadX);
    const QRectF iconBox(x, 0, KVScale::pt(kIconColumn), r.height());
    KVSymbols::draw(p, m_icon, iconBox, kTextSize, fg);
    p.setFont(titleFont());
    p.setPen(fg);
    const QRectF text = textRect();
    const QString shown = QFontMetricsF(p.font()).elidedText(m_title, Qt::ElideRight, text.width());
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

QRectF SidebarRow::textRect() const
{
    const double x = KVScale::pt(kPadX) + KVScale::pt(kIconColumn) + KVScale::pt(kSpacing);
    return QRectF(x, 0, width() - x - KVScale::pt(kPadX), height());
}

void SidebarRow::resizeEvent(QResizeEvent *event)
{
    QAbstractButton::resizeEvent(event);
    updateTip();
}

void SidebarRow::updateTip()
{
    const bool cut = QFontMetricsF(titleFont()).horizontalAdvance(m_title) > textRect().width();
    setToolTip(cut ? m_title : QString());
}
