#include "vinfield.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "look/fvpalette.h"
#include "kit/kvmono.h"

#include <QPainter>
#include <QPainterPath>

VINField::VINField(QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(QStringLiteral("vinField"));
    setFrame(false);
    setPlaceholderText(placeholder());
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setAutoFillBackground(false);
    setAccessibleName(QStringLiteral("Vehicle Identification Number"));
    applyMetrics();
    syncColors();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

QString VINField::placeholder()
{
    return QStringLiteral("17 characters, e.g. 1HGCM82633A004352");
}

void VINField::applyMetrics()
{
    setFont(KVMono::font(26, QFont::Black));
    setTextMargins(KVScale::ipt(16), KVScale::ipt(10), KVScale::ipt(16), KVScale::ipt(10));
}

void VINField::syncColors()
{
    const FVPalette pal = FVPalette::current();
    QPalette p = palette();
    if (p.color(QPalette::Text) == QColor(Qt::white) && p.color(QPalette::Highlight) == pal.accent)
        return;
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Text, Qt::white);
        p.setColor(g, QPalette::Base, Qt::transparent);
        p.setColor(g, QPalette::Window, Qt::transparent);
        p.setColor(g, QPalette::PlaceholderText, QColor::fromRgbF(1, 1, 1, 0.4f));
        p.setColor(g, QPalette::Highlight, pal.accent);
        p.setColor(g, QPalette::HighlightedText, Qt::white);
    }
    setPalette(p);
}

void VINField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    update();
}

void VINField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    update();
}

void VINField::paintEvent(QPaintEvent *event)
{
    syncColors();
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double line = KVScale::pt(1);
        const QRectF r = QRectF(rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2);
        QPainterPath plate;
        plate.addRoundedRect(r, KVScale::pt(14), KVScale::pt(14));
        p.fillPath(plate, QColor::fromRgbF(0, 0, 0, 0.45f));
        const QColor rim = hasFocus() ? FVPalette::current().accent : QColor::fromRgbF(1, 1, 1, 0.3f);
        p.setPen(QPen(rim, hasFocus() ? line * 2 : line));
        p.drawPath(plate);
    }
    QLineEdit::paintEvent(event);
}
