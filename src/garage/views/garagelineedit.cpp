#include "garagelineedit.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"

#include <QPainter>

GarageLineEdit::GarageLineEdit(const QString &placeholder, QWidget *parent)
    : QLineEdit(parent)
{
    setFrame(false);
    setPlaceholderText(placeholder);
    setAccessibleName(placeholder);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setAutoFillBackground(false);
    applyMetrics();
    syncColors();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

void GarageLineEdit::setPlain(const QString &t)
{
    if (t != text())
        setText(t);
}

void GarageLineEdit::applyMetrics()
{
    setFont(FVFont::font(13));
    setTextMargins(KVScale::ipt(8), KVScale::ipt(4), KVScale::ipt(8), KVScale::ipt(4));
}

void GarageLineEdit::syncColors()
{
    const FVPalette pal = FVPalette::current();
    QPalette p = palette();
    if (p.color(QPalette::Text) == pal.text && p.color(QPalette::Highlight) == pal.accent
        && p.color(QPalette::Base) == QColor(Qt::transparent))
        return;
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Text, pal.text);
        p.setColor(g, QPalette::Base, Qt::transparent);
        p.setColor(g, QPalette::Window, Qt::transparent);
        p.setColor(g, QPalette::PlaceholderText, KVShape::faded(pal.text, 0.45));
        p.setColor(g, QPalette::Highlight, pal.accent);
        p.setColor(g, QPalette::HighlightedText, Qt::white);
    }
    setPalette(p);
}

void GarageLineEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    update();
}

void GarageLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    update();
}

void GarageLineEdit::paintEvent(QPaintEvent *event)
{
    syncColors();
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r(rect());
        const double radius = KVScale::pt(7);
        p.fillPath(KVShape::roundedRect(r, radius), QColor::fromRgbF(0, 0, 0, 0.3f));
        const bool focus = hasFocus();
        KVShape::strokeRoundedRectInside(p, r, radius, KVScale::pt(focus ? 2 : 1),
                                         QBrush(focus ? FVPalette::current().accent : KVShape::white(1, 0.22)));
    }
    QLineEdit::paintEvent(event);
}
