#include "kvarrowkeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QList>

namespace KVArrowKeys {

namespace {

const char *const confinedKey = "kvArrowsConfined";

bool isStop(const QWidget *w, const QWidget *area)
{
    return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(area);
}

QWidget *confinedAround(QWidget *w)
{
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (p->property(confinedKey).toBool())
            return p;
    }
    return nullptr;
}

class Filter final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool back = key->key() == Qt::Key_Up || key->key() == Qt::Key_Left;
        const bool ahead = key->key() == Qt::Key_Down || key->key() == Qt::Key_Right;
        if ((!back && !ahead) || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button || !button->hasFocus() || button->autoExclusive() || button->group())
            return false;
        QWidget *area = confinedAround(button);
        if (!area)
            return false;
        if (QWidget *next = step(area, button, ahead))
            next->setFocus(ahead ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
};

} // namespace

void install()
{
    static Filter *filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new Filter(qApp);
    qApp->installEventFilter(filter);
}

void confine(QWidget *area)
{
    area->setProperty(confinedKey, true);
}

QWidget *step(QWidget *area, QWidget *from, bool forward)
{
    // The area's stops in Tab order, the chain read from the area itself.
    QList<QWidget *> stops;
    for (QWidget *w = area->nextInFocusChain(); w && w != area; w = w->nextInFocusChain()) {
        if (area->isAncestorOf(w) && (w == from || isStop(w, area)))
            stops << w;
    }
    const qsizetype at = stops.indexOf(from);
    if (at < 0)
        return nullptr;
    return stops.value(forward ? at + 1 : at - 1, nullptr);
}

} // namespace KVArrowKeys
