#include "kvsymbolbutton.h"

#include "kvfont.h"
#include "kvscale.h"
#include "kvscalewatch.h"
#include "kvsymbols.h"

#include <QPainter>
#include <cmath>

KVSymbolButton::KVSymbolButton(const QString &name, QWidget *parent)
    : QAbstractButton(parent)
    , m_name(name)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(name);
    KVScaleWatch::follow(this);
}

void KVSymbolButton::setPoints(double points)
{
    m_points = points;
    updateGeometry();
    update();
}

void KVSymbolButton::setColor(const QColor &color)
{
    m_color = color;
    m_source = nullptr;
    update();
}

void KVSymbolButton::setColorSource(std::function<QColor()> source)
{
    m_source = std::move(source);
    update();
}

double KVSymbolButton::points() const
{
    if (m_points > 0)
        return m_points;
    return KVFont::pixelSizeOf(font()) / KVScale::factor();
}

QSize KVSymbolButton::sizeHint() const
{
    const int side = int(std::ceil(KVSymbols::extent(points())));
    return QSize(side, side);
}

void KVSymbolButton::paintEvent(QPaintEvent *)
{
    QColor c = m_source ? m_source() : m_color;
    if (!c.isValid())
        c = palette().color(QPalette::WindowText);
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    KVSymbols::draw(p, m_name, QRectF(rect()), points(), c);
}
