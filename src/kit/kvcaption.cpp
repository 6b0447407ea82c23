#include "kvcaption.h"

#include "kvfont.h"
#include "kvkittheme.h"
#include "kvscale.h"
#include "kvscalewatch.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

KVCaption::KVCaption(const QString &text, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(text);
    KVScaleWatch::follow(this);
}

QFont KVCaption::captionFont()
{
    QFont f = KVFont::rounded(10, QFont::ExtraBold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, KVScale::pt(1.1));
    return f;
}

QSize KVCaption::sizeHint() const
{
    const QFontMetricsF fm(captionFont());
    return QSize(int(std::ceil(fm.horizontalAdvance(shownText()))), int(std::ceil(fm.height())));
}

void KVCaption::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(captionFont());
    p.setPen(KVKitTheme::current().dim);
    p.drawText(QRectF(rect()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shownText());
}
