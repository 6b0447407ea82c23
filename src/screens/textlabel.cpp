#include "textlabel.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "look/fvfont.h"

TextLabel::TextLabel(double points, QFont::Weight weight, QWidget *parent)
    : TextLabel(QString(), points, weight, parent)
{
}

TextLabel::TextLabel(const QString &text, double points, QFont::Weight weight, QWidget *parent)
    : QLabel(parent), m_points(points), m_weight(weight)
{
    setTextFormat(Qt::PlainText);
    setText(text);
    applyFont();
    KVScaleWatch::follow(this, [this] { applyFont(); });
}

void TextLabel::setTracking(double points)
{
    m_tracking = points;
    applyFont();
}

void TextLabel::setColor(const QColor &color)
{
    QPalette pal = palette();
    if (color.isValid()) {
        pal.setColor(QPalette::WindowText, color);
        pal.setColor(QPalette::Text, color);
        setPalette(pal);
    } else {
        setPalette(QPalette());
    }
}

void TextLabel::setPlain(const QString &text)
{
    if (text != this->text())
        setText(text);
}

void TextLabel::applyFont()
{
    QFont f = FVFont::font(m_points, m_weight);
    if (m_tracking != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, KVScale::pt(m_tracking));
    setFont(f);
}
