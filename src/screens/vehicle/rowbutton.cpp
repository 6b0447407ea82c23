#include "rowbutton.h"

#include "kit/kvscale.h"
#include "kit/kvshape.h"
#include "look/fvpalette.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QPainter>

RowButton::RowButton(QBoxLayout *layout, QWidget *parent)
    : QAbstractButton(parent)
    , m_layout(layout)
{
    // Focus by keyboard only, so a click leaves no ring behind.
    setFocusPolicy(Qt::TabFocus);
    // A button's children would draw in the button text colour; the row's
    // labels keep their own colours (or the window's text colour).
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_layout->setContentsMargins(0, 0, 0, 0);
    setLayout(m_layout);
}

QSize RowButton::sizeHint() const
{
    return m_layout->sizeHint();
}

QSize RowButton::minimumSizeHint() const
{
    return m_layout->minimumSize();
}

bool RowButton::hasHeightForWidth() const
{
    return m_layout->hasHeightForWidth();
}

int RowButton::heightForWidth(int width) const
{
    return m_layout->totalHeightForWidth(width);
}

void RowButton::keyPressEvent(QKeyEvent *event)
{
    // Return acts like Space on a focused row.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void RowButton::paintEvent(QPaintEvent *)
{
    if (!hasFocus())
        return; // nothing visible; the label's widgets draw the row
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // 2 points in the focus colour: 3:1 on the panel the row lies on.
    const double line = KVScale::pt(2);
    p.setPen(QPen(FVPalette::current().focusColor, line));
    p.setBrush(Qt::NoBrush);
    const double in = line / 2;
    p.drawPath(KVShape::roundedRect(QRectF(rect()).adjusted(in, in, -in, -in), KVScale::pt(6)));
}
