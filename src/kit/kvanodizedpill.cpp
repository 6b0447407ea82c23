#include "kvanodizedpill.h"

#include "kvfont.h"
#include "kvscale.h"
#include "kvscalewatch.h"
#include "kvshape.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

KVAnodizedPill::KVAnodizedPill(const QString &text, const QColor &color, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
    , m_color(color)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(text);
    KVScaleWatch::follow(this);
}

QFont KVAnodizedPill::labelFont()
{
    QFont f = KVFont::rounded(10, QFont::ExtraBold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, KVScale::pt(0.6));
    return f;
}

QSize KVAnodizedPill::sizeHint() const
{
    const QFontMetricsF fm(labelFont());
    return QSize(int(std::ceil(fm.horizontalAdvance(m_text) + 2 * KVScale::pt(9))),
                 int(std::ceil(fm.height() + 2 * KVScale::pt(3))));
}

void KVAnodizedPill::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect());
    p.fillPath(capsule(r), vertical(r, {faded(m_color, 0.95), faded(m_color, 0.55)}));
    strokeCapsuleInside(p, r, KVScale::pt(0.8), QBrush(white(1, 0.35)));
    p.setFont(labelFont());
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, m_text);
}
