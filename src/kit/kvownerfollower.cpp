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

void KVOwnerFollower::sync()
{
    if (!m_owner)
        return;
    if (parentWidget() != m_owner->parentWidget()) {
        setParent(m_owner->parentWidget());
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    if (!parentWidget() || m_owner->isWindow() || !wanted()) {
        hide();
        return;
    }
    setGeometry(m_owner->geometry().marginsAdded(reach()));
    stack();
    setVisible(m_owner->isVisibleTo(parentWidget()));
    update();
}

bool KVOwnerFollower::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_owner) {
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
