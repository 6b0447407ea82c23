#include "monodigitstext.h"

#include "kit/kvscalewatch.h"
#include "look/fvfont.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

MonoDigitsText::MonoDigitsText(const QString &text, double points, QFont::Weight weight, QWidget *parent)
    : QWidget(parent), m_text(text), m_points(points), m_weight(weight)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(text);
    applyFont();
    KVScaleWatch::follow(this, [this] { applyFont(); });
}

void MonoDigitsText::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

void MonoDigitsText::applyFont()
{
    setFont(FVFont::font(m_points, m_weight));
}

double MonoDigitsText::digitWidth() const
{
    // The figure width of tabular digits: the advance of the zero.
    return QFontMetricsF(font()).horizontalAdvance(QChar(u'0'));
}

double MonoDigitsText::advance(QChar c) const
{
    return c.isDigit() ? digitWidth() : QFontMetricsF(font()).horizontalAdvance(c);
}

QSize MonoDigitsText::sizeHint() const
{
    double w = 0;
    for (QChar c : m_text)
        w += advance(c);
    return QSize(int(std::ceil(w)) + 1, int(std::ceil(QFontMetricsF(font()).height())));
}

void MonoDigitsText::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetricsF fm(font());
    const double cell = digitWidth();
    const double y = (height() - fm.height()) / 2 + fm.ascent();
    // Drawn from the leading edge, like a label's text.
    double x = 0;
    for (QChar c : m_text) {
        const double w = fm.horizontalAdvance(c);
        if (c.isDigit()) {
            p.drawText(QPointF(x + (cell - w) / 2, y), QString(c));
            x += cell;
        } else {
            p.drawText(QPointF(x, y), QString(c));
            x += w;
        }
    }
}
