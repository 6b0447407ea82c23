#include "kvtextlabel.h"

#include "kvfont.h"
#include "kvscale.h"
#include "kvscalewatch.h"

KVTextLabel::KVTextLabel(double points, QFont::Weight weight, QWidget *parent)
    : KVTextLabel(QString(), points, weight, parent)
{
}

KVTextLabel::KVTextLabel(const QString &text, double points, QFont::Weight weight, QWidget *parent)
    : QLabel(parent), m_points(points), m_weight(weight)
{
    setTextFormat(Qt::PlainText);
    setText(text);
    applyFont();
    KVScaleWatch::follow(this, [this] { applyFont(); });
}

void KVTextLabel::setTracking(double points)
{
    m_tracking = points;
    applyFont();
}

void KVTextLabel::setColor(const QColor &color)
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

void KVTextLabel::setPlain(const QString &text)
{
    if (text != this->text())
        setText(text);
}

void KVTextLabel::applyFont()
{
    QFont f = KVFont::rounded(m_points, m_weight);
    if (m_tracking != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, KVScale::pt(m_tracking));
    setFont(f);
}
