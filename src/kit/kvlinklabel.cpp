#include "kvlinklabel.h"

#include "kvaccessible.h"
#include "kvfocusring.h"
#include "kvopen.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

KVLinkLabel::KVLinkLabel(const QString &text, const QUrl &url, QWidget *parent)
    : QLabel(parent)
    , m_url(url)
{
    setTextFormat(Qt::PlainText);
    setText(text);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setToolTip(url.toString());
    setAccessibleName(text);
    KVAccessible::setRole(this, QAccessible::Link);
    KVFocusRing::attach(this, 4);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    applyLinkColor();
}

void KVLinkLabel::setWraps(bool wraps)
{
    setWordWrap(wraps);
    QSizePolicy policy(QSizePolicy::Maximum, wraps ? QSizePolicy::Preferred : QSizePolicy::Fixed);
    policy.setHeightForWidth(wraps);
    setSizePolicy(policy);
}

QSize KVLinkLabel::sizeHint() const
{
    if (!wordWrap())
        return QLabel::sizeHint();
    // Wrapped only where the row is narrower than the whole text.
    const int w = fontMetrics().horizontalAdvance(text()) + 2 * margin() + 2;
    return QSize(w, heightForWidth(w));
}

void KVLinkLabel::setElided(bool elided)
{
    m_elided = elided;
    updateGeometry();
    update();
}

QSize KVLinkLabel::minimumSizeHint() const
{
    const QSize whole = QLabel::minimumSizeHint();
    if (!m_elided || wordWrap())
        return whole;
    const QMargins m = contentsMargins();
    return QSize(std::min(whole.width(), fontMetrics().horizontalAdvance(QStringLiteral("www\u2026com")) + m.left() + m.right()),
                 whole.height());
}

bool KVLinkLabel::isCut() const
{
    return m_elided && !wordWrap() && fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

void KVLinkLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    // Cut short, the tooltip gives the whole text before the address.
    if (m_elided) {
        const QString url = m_url.toString();
        setToolTip(isCut() && text() != url ? text() + u'\n' + url : url);
    }
}

void KVLinkLabel::paintEvent(QPaintEvent *event)
{
    const QRect r = contentsRect();
    if (!isCut()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(r, int(alignment()), fontMetrics().elidedText(text(), Qt::ElideMiddle, r.width()));
}

void KVLinkLabel::activate()
{
    emit activated(m_url);
    KVOpen::open(m_url, this);
}

void KVLinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void KVLinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        activate();
}

void KVLinkLabel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        activate();
        return;
    }
    QLabel::keyPressEvent(event);
}

void KVLinkLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && palette().color(QPalette::WindowText) != palette().color(QPalette::Link))
        applyLinkColor();
}

void KVLinkLabel::applyLinkColor()
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, pal.color(QPalette::Link));
    setPalette(pal);
}
