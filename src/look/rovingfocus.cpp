#include "rovingfocus.h"

#include <QKeyEvent>
#include <QScrollArea>
#include <algorithm>

RovingFocus::RovingFocus(QObject *parent, bool horizontal)
    : QObject(parent)
    , m_horizontal(horizontal)
{
}

void RovingFocus::setItems(const QList<QWidget *> &items)
{
    const QWidget *kept = stop();
    for (const QPointer<QWidget> &w : std::as_const(m_items)) {
        if (w)
            w->removeEventFilter(this);
    }
    m_items.clear();
    m_policies.clear();
    for (QWidget *w : items) {
        m_items << w;
        // Without Tab, each keeps the rest of the focus policy it had.
        m_policies << Qt::FocusPolicy((w->focusPolicy() | Qt::TabFocus) & ~Qt::TabFocus);
        w->installEventFilter(this);
    }
    m_stop = -1;
    const qsizetype at = items.indexOf(const_cast<QWidget *>(kept));
    setStop(at >= 0 ? at : 0);
}

void RovingFocus::setCurrent(QWidget *item)
{
    const qsizetype i = m_items.indexOf(item);
    if (i >= 0)
        setStop(i);
}

QWidget *RovingFocus::stop() const
{
    return m_stop >= 0 && m_stop < m_items.size() ? m_items[m_stop].data() : nullptr;
}

void RovingFocus::setStop(qsizetype i)
{
    if (m_items.isEmpty())
        return;
    i = std::clamp<qsizetype>(i, 0, m_items.size() - 1);
    const bool changed = i != m_stop;
    m_stop = i;
    for (qsizetype k = 0; k < m_items.size(); ++k) {
        if (m_items[k])
            m_items[k]->setFocusPolicy(k == i ? Qt::FocusPolicy(m_policies[k] | Qt::TabFocus) : m_policies[k]);
    }
    if (changed)
        emit stopChanged();
}

bool RovingFocus::eventFilter(QObject *watched, QEvent *event)
{
    const qsizetype i = m_items.indexOf(qobject_cast<QWidget *>(watched));
    if (i < 0)
        return false;
    if (event->type() == QEvent::FocusIn) {
        setStop(i);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    // Disabled members are stepped over.
    const auto usable = [this](qsizetype k) { return k >= 0 && k < m_items.size() && m_items[k] && m_items[k]->isEnabled(); };
    const auto step = [&](qsizetype from, qsizetype by) {
        for (qsizetype k = from; k >= 0 && k < m_items.size(); k += by) {
            if (usable(k))
                return k;
        }
        return qsizetype(-1);
    };
    qsizetype to = -1;
    const bool back = key->key() == Qt::Key_Up || (m_horizontal && key->key() == Qt::Key_Left);
    const bool ahead = key->key() == Qt::Key_Down || (m_horizontal && key->key() == Qt::Key_Right);
    if (back)
        to = step(i - 1, -1);
    else if (ahead)
        to = step(i + 1, 1);
    else if (key->key() == Qt::Key_Home)
        to = step(0, 1);
    else if (key->key() == Qt::Key_End)
        to = step(m_items.size() - 1, -1);
    else
        return false;
    if (to < 0)
        return true;
    setStop(to);
    QWidget *w = m_items[to];
    w->setFocus(Qt::TabFocusReason);
    // Kept in view by the nearest scrolling ancestor.
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(p)) {
            area->ensureWidgetVisible(w, 0, 0);
            break;
        }
    }
    return true;
}
