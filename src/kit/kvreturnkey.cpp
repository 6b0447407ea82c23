#include "kvreturnkey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace KVReturnKey {

namespace {

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
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || key->isAutoRepeat())
            return false;
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button || !button->hasFocus() || !button->isEnabled())
            return false;
        auto *push = qobject_cast<QPushButton *>(button);
        if (push && push->autoDefault() && qobject_cast<QDialog *>(button->window()))
            return false;
        button->click();
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

} // namespace KVReturnKey
