#include "kvsymbolview.h"

#include "kvfont.h"
#include "kvscale.h"
#include "kvscalewatch.h"
#include "kvsymbols.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

KVSymbolView::KVSymbolView(const QString &name, QWidget *parent)
    : QWidget(parent)
    , m_name(name)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    KVScaleWatch::follow(this);
}

void KVSymbolView::setName(const QString &name)
{
    m_name = name;
    update();
}

void KVSymbolView::setPoints(double points)
{
    m_points = points;
    updateGeometry();
    update();
}

void KVSymbolView::setColor(const QColor &color)
{
    m_color = color;
    m_source = nullptr;
    update();
}

void KVSymbolView::setColorSource(std::function<QColor()> source)
{
    m_source = std::move(source);
    update();
}

double KVSymbolView::points() const
{
    if (m_points > 0)
        return m_points;
    return KVFont::pixelSizeOf(font()) / KVScale::factor();
}

QColor KVSymbolView::color() const
{
    if (m_source)
        return m_source();
    if (m_color.isValid())
        return m_color;
    return palette().color(QPalette::WindowText);
}

QSize KVSymbolView::sizeHint() const
{
    const int side = int(std::ceil(KVSymbols::extent(points())));
    return QSize(side, side);
}

void KVSymbolView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

void KVSymbolView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    KVSymbols::draw(p, m_name, QRectF(rect()), points(), color());
}
