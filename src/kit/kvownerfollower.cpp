#include "kvownerfollower.h"

#include "kvscale.h"

#include <QEvent>

KVOwnerFollower::KVOwnerFollower(QWidget *owner)
    : QWidget(owner->parentWidget())
    , m_owner(owner)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    owner->installEventFilter(this);
    connect(owner, &QObject::destroyed, this, [this] {
        hide();
        deleteLater();
    });
    connect(&KVScale::shared(), &KVScale::changed, this, [this] { sync(); });
}

void KVOwnerFollower::setHost(QWidget *host)
{
    m_host = host;
    watchBetween();
    sync();
}

QWidget *KVOwnerFollower::holder() const
{
    if (m_host && m_owner && m_host->isAncestorOf(m_owner))
        return m_host;
    return m_owner ? m_owner->parentWidget() : nullptr;
}

void KVOwnerFollower::watchBetween()
{
    for (const QPointer<QWidget> &w : std::as_const(m_between)) {
        if (w)
            w->removeEventFilter(this);
    }
    m_between.clear();
    QWidget *top = holder();
    for (QWidget *w = m_owner ? m_owner->parentWidget() : nullptr; w && w != top; w = w->parentWidget()) {
        w->installEventFilter(this);
        m_between.append(w);
    }
}

void KVOwnerFollower::sync()
{
    if (!m_owner)
        return;
    QWidget *parent = holder();
    if (parentWidget() != parent) {
        setParent(parent);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    if (!parentWidget() || m_owner->isWindow() || !wanted()) {
        hide();
        return;
    }
    const QRect owner(m_owner->parentWidget() == parent ? m_owner->pos() : m_owner->mapTo(parent, QPoint(0, 0)),
                      m_owner->size());
    setGeometry(owner.marginsAdded(reach()));
    stack();
    setVisible(m_owner->isVisibleTo(parentWidget()));
    update();
}

bool KVOwnerFollower::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_owner && m_between.contains(watched)) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            sync();
            break;
        case QEvent::ParentChange:
            watchBetween();
            sync();
            break;
        default:
            break;
        }
        return QWidget::eventFilter(watched, event);
    }
    if (watched == m_owner) {
        if (event->type() == QEvent::ParentChange && m_host)
            watchBetween();
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
        case QEvent::ParentChange:
        case QEvent::ZOrderChange:
            sync();
            break;
        default:
            break;
        }
        ownerEvent(event);
    }
    return QWidget::eventFilter(watched, event);
}
