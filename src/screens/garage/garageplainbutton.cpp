#include "garageplainbutton.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"
#include "kit/kvsymbols.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"
#include "kit/kvmono.h"

#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>
#include <cmath>

namespace {
constexpr double kGap = 5;
constexpr double kPadX = 5;
constexpr double kPadY = 3;
} // namespace

GaragePlainButton::GaragePlainButton(const QString &symbol, const QString &label, double points,
                                     QFont::Weight weight, bool mono, QWidget *parent)
    : QPushButton(parent)
    , m_symbol(symbol)
    , m_label(label)
    , m_points(points)
    , m_weight(weight)
    , m_mono(mono)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(label.isEmpty() ? symbol : label);
    applyFont();
    KVScaleWatch::follow(this, [this] { applyFont(); });
}

void GaragePlainButton::applyFont()
{
    setFont(m_mono ? KVMono::font(m_points, m_weight) : FVFont::font(m_points, m_weight));
}

void GaragePlainButton::setLabel(const QString &label)
{
    if (label == m_label)
        return;
    m_label = label;
    setAccessibleName(label);
    updateGeometry();
    update();
}

void GaragePlainButton::setColor(const QColor &color)
{
    m_color = color;
    update();
}

QMenu *GaragePlainButton::ensureMenu()
{
    if (!menu())
        setMenu(new QMenu(this));
    return menu();
}

QMenu *GaragePlainButton::clearedMenu()
{
    QMenu *m = ensureMenu();
    m->clear();
    // clear() keeps submenus made with addMenu(): they go too.
    for (QMenu *sub : m->findChildren<QMenu *>(Qt::FindDirectChildrenOnly))
        sub->deleteLater();
    return m;
}

double GaragePlainButton::gap() const
{
    return m_symbol.isEmpty() || m_label.isEmpty() ? 0 : KVScale::pt(kGap);
}

QSize GaragePlainButton::sizeHint() const
{
    const QFontMetricsF fm(font());
    const double ext = m_symbol.isEmpty() ? 0 : KVSymbols::extent(m_points);
    const double textW = m_label.isEmpty() ? 0 : fm.horizontalAdvance(m_label);
    const double w = ext + gap() + textW + 2 * KVScale::pt(kPadX);
    const double h = std::max(m_label.isEmpty() ? 0 : fm.height(), ext) + 2 * KVScale::pt(kPadY);
    return QSize(int(std::ceil(w)) + 1, int(std::ceil(h)));
}

void GaragePlainButton::paintEvent(QPaintEvent *)
{
    const FVPalette pal = FVPalette::current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect());
    const double radius = KVScale::pt(6);
    if (isDown())
        p.fillPath(KVShape::roundedRect(r, radius), QColor::fromRgbF(0, 0, 0, 0.25f));
    if (hasFocus())
        KVShape::strokeRoundedRectInside(p, r, radius, KVScale::pt(2), QBrush(pal.accent));
    QColor c = m_color.isValid() ? m_color : pal.text;
    if (!isEnabled())
        c = KVShape::faded(c, 0.5);
    double x = KVScale::pt(kPadX);
    if (!m_symbol.isEmpty()) {
        const double ext = KVSymbols::extent(m_points);
        KVSymbols::draw(p, m_symbol, QRectF(x, (r.height() - ext) / 2, ext, ext), m_points, c);
        x += ext + gap();
    }
    if (!m_label.isEmpty()) {
        p.setFont(font());
        p.setPen(c);
        p.drawText(QRectF(x, 0, r.width() - x, r.height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   m_label);
    }
}
