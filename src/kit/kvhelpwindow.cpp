#include "kvhelpwindow.h"

#include "kvrnhelp.h"
#include "kvrnhelpviewer.h"
#include "kvrnkithost.h"
#include "kvrnthemeroot.h"
#include "kvscale.h"
#include "kvscreenfit.h"
#include "kvsearchfield.h"
#include "platform/prefs.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWidget>

namespace KVHelpWindow {

namespace {

struct State
{
    QPointer<QWidget> window;
    QPointer<KVRNThemeRoot> root;
};

State &state()
{
    static State s;
    return s;
}

void saveGeometry(const QWidget *w)
{
    Prefs::shared().setValue(geometryKey(), w->saveGeometry());
}

// Keeps the geometry whenever the window is hidden (closing only hides it).
class GeometryKeeper : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            saveGeometry(static_cast<QWidget *>(watched));
        return false;
    }
};

QWidget *makeWindow()
{
    auto *w = new QWidget(nullptr, Qt::Window);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    auto *box = new QVBoxLayout(w);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);

    const QByteArray saved = Prefs::shared().value(geometryKey()).toByteArray();
    if (saved.isEmpty() || !w->restoreGeometry(saved)) {
        w->resize(KVScreenFit::within(QSize(KVScale::ipt(860), KVScale::ipt(600))));
        KVScreenFit::centre(w);
    }
    // Escape and Ctrl+W close the window, as in any desktop app.
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        QObject::connect(new QShortcut(keys, w), &QShortcut::activated, w, &QWidget::close);
    w->installEventFilter(new GeometryKeeper(w));
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, w, [w] {
        if (w->isVisible())
            saveGeometry(w);
    });
    return w;
}

} // namespace

void show(const QString &page)
{
    if (KVRNKitHost::showHelp())
        KVRNKitHost::showHelp()(page);
}

void showWindow(const std::optional<QString> &topic)
{
    State &s = state();
    if (!s.window)
        s.window = makeWindow();
    QWidget *w = s.window;
    w->setWindowTitle(KVRNKitHost::appName() + QStringLiteral(" Help"));

    if (s.root) {
        w->layout()->removeWidget(s.root);
        s.root->hide();
        s.root->deleteLater();
    }
    s.root = new KVRNThemeRoot([topic] { return new KVRNHelpViewer(topic); }, w);
    w->layout()->addWidget(s.root);

    w->show();
    if (w->isMinimized())
        w->showNormal();
    w->raise();
    w->activateWindow();
    // The old viewer took the keyboard focus with it: the new search field
    // gets it, also when the window was already the active one.
    if (KVRNHelpViewer *v = viewer())
        v->searchField()->lineEdit()->setFocus(Qt::OtherFocusReason);
}

void installOpener()
{
    if (!KVRNHelp::opener())
        KVRNHelp::opener() = [](const std::optional<QString> &topic) { showWindow(topic); };
}

QString geometryKey()
{
    return QStringLiteral("KVRNHelpWindow");
}

QWidget *window()
{
    return state().window;
}

KVRNHelpViewer *viewer()
{
    const State &s = state();
    return s.root ? qobject_cast<KVRNHelpViewer *>(s.root->content()) : nullptr;
}

} // namespace KVHelpWindow
