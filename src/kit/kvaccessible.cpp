#include "kvaccessible.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QLabel>
#include <QMetaObject>
#include <QTextDocumentFragment>
#include <QVariant>
#include <QWidget>

namespace {

constexpr const char *kRole = "kvA11yRole";
constexpr const char *kSelected = "kvA11ySelected";
constexpr const char *kChecked = "kvA11yChecked";
constexpr const char *kExpanded = "kvA11yExpanded";

bool hasActivate(const QObject *o)
{
    return o->metaObject()->indexOfMethod("activate()") >= 0;
}

class MarkedWidget final : public QAccessibleWidget
{
public:
    explicit MarkedWidget(QWidget *w)
        : QAccessibleWidget(w, QAccessible::Role(w->property(kRole).isValid() ? w->property(kRole).toInt()
                                                                          : int(QAccessible::Client)))
    {
    }

    QAccessible::Role role() const override
    {
        const QVariant r = widget()->property(kRole);
        return r.isValid() ? QAccessible::Role(r.toInt()) : QAccessibleWidget::role();
    }

    QString text(QAccessible::Text t) const override
    {
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty())
            s = KVAccessible::shownText(widget());
        return s;
    }

    QAccessible::State state() const override
    {
        QAccessible::State st = QAccessibleWidget::state();
        const QWidget *w = widget();
        // The focus is reported by the proxy that has it, not twice.
        if (w->focusProxy())
            st.focused = false;
        if (const QVariant v = w->property(kSelected); v.isValid()) {
            st.selectable = true;
            st.selected = v.toBool();
        }
        if (const QVariant v = w->property(kChecked); v.isValid()) {
            st.checkable = true;
            st.checked = v.toBool();
        }
        if (const QVariant v = w->property(kExpanded); v.isValid()) {
            st.expandable = true;
            st.expanded = v.toBool();
            st.collapsed = !v.toBool();
        }
        if (role() == QAccessible::Link || role() == QAccessible::Heading || role() == QAccessible::StaticText
            || role() == QAccessible::Graphic)
            st.readOnly = true;
        return st;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (pressable())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &name) override
    {
        if (name != pressAction() || !pressable())
            return QAccessibleWidget::doAction(name);
        if (auto *b = qobject_cast<QAbstractButton *>(widget()))
            b->click();
        else
            QMetaObject::invokeMethod(widget(), "activate");
    }

private:
    bool pressable() const
    {
        return widget()->isEnabled() && (qobject_cast<QAbstractButton *>(widget()) || hasActivate(widget()));
    }
};

// A plain container: derived from QWidget through no other Qt widget class.
bool plainContainer(const QWidget *w)
{
    for (const QMetaObject *m = w->metaObject(); m; m = m->superClass()) {
        if (m == &QWidget::staticMetaObject)
            return true;
        if (m->className()[0] == 'Q')
            return false;
    }
    return false;
}

QAccessibleInterface *factory(const QString &, QObject *object)
{
    auto *w = qobject_cast<QWidget *>(object);
    if (!w)
        return nullptr;
    // A container whose focus proxy has the focus would report it too.
    if (!w->property(kRole).isValid() && !(w->focusProxy() && plainContainer(w)))
        return nullptr;
    return new MarkedWidget(w);
}

void install()
{
    static const bool done = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)done;
}

// Sets a state property; announces a change to a watching screen reader.
void setState(QWidget *w, const char *name, bool on, void (*mark)(QAccessible::State &))
{
    if (!w->property(kRole).isValid()) {
        // Keeps the role Qt gives the widget.
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        KVAccessible::setRole(w, iface ? iface->role() : QAccessible::Client);
    }
    const QVariant old = w->property(name);
    w->setProperty(name, on);
    if (old.isValid() && old.toBool() == on)
        return;
    if (!QAccessible::isActive())
        return;
    QAccessible::State changed;
    mark(changed);
    QAccessibleStateChangeEvent event(w, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void KVAccessible::setRole(QWidget *widget, QAccessible::Role role)
{
    install();
    widget->setProperty(kRole, int(role));
    // An interface made before the mark would keep Qt's own role.
    if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        iface && !dynamic_cast<MarkedWidget *>(iface))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

void KVAccessible::setSelected(QWidget *widget, bool selected)
{
    setState(widget, kSelected, selected, [](QAccessible::State &s) { s.selected = true; });
}

void KVAccessible::setChecked(QWidget *widget, bool checked)
{
    setState(widget, kChecked, checked, [](QAccessible::State &s) { s.checked = true; });
}

void KVAccessible::setExpanded(QWidget *widget, bool expanded)
{
    setState(widget, kExpanded, expanded, [](QAccessible::State &s) {
        s.expanded = true;
        s.collapsed = true;
    });
}

QString KVAccessible::shownText(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        const QString t = label->text();
        const bool rich = label->textFormat() == Qt::RichText
            || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(t));
        return rich ? QTextDocumentFragment::fromHtml(t).toPlainText() : t;
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    return QString();
}
