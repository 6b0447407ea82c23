#include "kvplatefield.h"

#include "kvscale.h"
#include "kvscalewatch.h"
#include "kvshape.h"

#include <QPainter>
#include <QPainterPath>

KVPlateField::KVPlateField(Style style, const QString &placeholder, const QString &accessibleName,
                           QWidget *parent)
    : QLineEdit(parent)
    , m_style(std::move(style))
{
    setFrame(false);
    setPlaceholderText(placeholder);
    setAccessibleName(accessibleName);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setAutoFillBackground(false);
    applyMetrics();
    syncColors(m_style.colors());
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

void KVPlateField::applyMetrics()
{
    setFont(m_style.font());
    const int x = KVScale::ipt(m_style.marginX);
    const int y = KVScale::ipt(m_style.marginY);
    setTextMargins(x, y, x, y);
}

void KVPlateField::syncColors(const Colors &c)
{
    QPalette p = palette();
    if (p.color(QPalette::Text) == c.text && p.color(QPalette::PlaceholderText) == c.placeholder
        && p.color(QPalette::Highlight) == c.accent && p.color(QPalette::Base) == QColor(Qt::transparent))
        return;
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Text, c.text);
        p.setColor(g, QPalette::Base, Qt::transparent);
        p.setColor(g, QPalette::Window, Qt::transparent);
        p.setColor(g, QPalette::PlaceholderText, c.placeholder);
        p.setColor(g, QPalette::Highlight, c.accent);
        p.setColor(g, QPalette::HighlightedText, Qt::white);
    }
    setPalette(p);
}

void KVPlateField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    update();
}

void KVPlateField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    update();
}

void KVPlateField::paintPlate(const Colors &c)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool focus = hasFocus();
    const QColor rim = focus ? c.accent : c.rim;
    const double line = KVScale::pt(1);
    const double radius = KVScale::pt(m_style.radius);
    if (m_style.rim == Rim::Inside) {
        const QRectF r(rect());
        p.fillPath(KVShape::roundedRect(r, radius), c.plate);
        KVShape::strokeRoundedRectInside(p, r, radius, focus ? line * 2 : line, QBrush(rim));
    } else {
        const QRectF r = QRectF(rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2);
        QPainterPath plate;
        plate.addRoundedRect(r, radius, radius);
        p.fillPath(plate, c.plate);
        p.setPen(QPen(rim, focus ? line * 2 : line));
        p.drawPath(plate);
    }
}

void KVPlateField::paintEvent(QPaintEvent *event)
{
    const Colors c = m_style.colors();
    syncColors(c);
    paintPlate(c);
    QLineEdit::paintEvent(event);
}
