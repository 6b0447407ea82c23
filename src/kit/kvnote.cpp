#include "kvnote.h"

#include "kvscale.h"
#include "kvtextlabel.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QPointer<KVNote> &shown()
{
    static QPointer<KVNote> note;
    return note;
}

} // namespace

KVNote::KVNote(QWidget *control, const QString &message, const QString &detail, const QList<Action> &actions,
               bool popup)
    : QFrame(control ? control->window() : nullptr,
             popup ? Qt::WindowFlags(Qt::Popup) : Qt::ToolTip | Qt::FramelessWindowHint)
    , m_message(new KVTextLabel(message, 12))
    , m_detail(new KVTextLabel(detail, 11.5))
{
    setObjectName(QStringLiteral("note"));
    setAttribute(Qt::WA_DeleteOnClose);
    if (!popup) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    setFrameShape(QFrame::StyledPanel);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    auto *box = new QVBoxLayout(this);
    const int m = KVScale::ipt(10);
    box->setContentsMargins(m, m, m, m);
    box->setSpacing(KVScale::ipt(6));
    m_message->setObjectName(QStringLiteral("noteMessage"));
    m_message->setWordWrap(true);
    m_message->setForegroundRole(QPalette::ToolTipText);
    box->addWidget(m_message);
    m_detail->setObjectName(QStringLiteral("noteDetail"));
    m_detail->setWordWrap(true);
    m_detail->setForegroundRole(QPalette::ToolTipText);
    m_detail->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->addWidget(m_detail);
    // Shown before it had a parent, the label would open as a window of its
    // own, and its activation would close this popup at once.
    m_detail->setVisible(!detail.isEmpty());
    if (!actions.isEmpty()) {
        auto *row = new QHBoxLayout;
        row->addStretch(1);
        for (const Action &a : actions) {
            auto *button = new QPushButton(a.text);
            button->setEnabled(a.enabled);
            button->setToolTip(a.toolTip);
            button->setAutoDefault(true);
            const auto run = a.run;
            connect(button, &QPushButton::clicked, this, [this, button, run] {
                const QString keep = run ? run() : QString();
                if (keep.isEmpty())
                    close();
                else
                    button->setText(keep);
            });
            row->addWidget(button);
            m_buttons.append(button);
        }
        box->addLayout(row);
    }
    setMaximumWidth(KVScale::ipt(420));
}

KVNote *KVNote::make(QWidget *control, const QString &message, const QString &detail, const QList<Action> &actions,
                     bool popup)
{
    if (KVNote *old = shown())
        old->close();
    auto *note = new KVNote(control, message, detail, actions, popup);
    shown() = note;
    note->adjustSize();
    note->place(control);
    note->show();
    return note;
}

KVNote *KVNote::showStatus(QWidget *control, const QString &message)
{
    return make(control, message, {}, {}, false);
}

KVNote *KVNote::showBeside(QWidget *control, const QString &message, const QString &detail, const QList<Action> &actions)
{
    KVNote *note = make(control, message, detail, actions, true);
    for (QPushButton *b : note->m_buttons) {
        if (b->isEnabled()) {
            b->setFocus(Qt::PopupFocusReason);
            break;
        }
    }
    return note;
}

KVNote *KVNote::current()
{
    KVNote *note = shown();
    return note && note->isVisible() ? note : nullptr;
}

QString KVNote::message() const
{
    return m_message->text();
}

QString KVNote::detail() const
{
    return m_detail->text();
}

void KVNote::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    // The note holds the keyboard as a popup: a shortcut of its window (the
    // menu bar's Ctrl+P) closes it and runs.
    if (QAction *action = windowShortcut(QKeySequence(event->keyCombination()))) {
        close();
        QTimer::singleShot(0, action, &QAction::trigger);
        return;
    }
    QFrame::keyPressEvent(event);
}

QAction *KVNote::windowShortcut(const QKeySequence &keys) const
{
    QWidget *win = parentWidget() ? parentWidget()->window() : nullptr;
    if (!win || keys.isEmpty())
        return nullptr;
    for (QAction *action : win->findChildren<QAction *>()) {
        if (action->isEnabled() && action->shortcuts().contains(keys))
            return action;
    }
    return nullptr;
}

void KVNote::place(QWidget *control)
{
    if (!control) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
        return;
    }
    const QRect anchor(control->mapToGlobal(QPoint(0, 0)), control->size());
    QRect room = control->window()->geometry();
    if (const QScreen *screen = control->screen())
        room = room.intersected(screen->availableGeometry());
    const int gap = KVScale::ipt(4);
    QPoint at(anchor.left(), anchor.bottom() + 1 + gap);
    if (at.y() + height() > room.bottom() && anchor.top() - gap - height() >= room.top())
        at.setY(anchor.top() - gap - height());
    at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - width())));
    at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - height())));
    move(at);
}
