#include "kvaboutwindow.h"

#include "kvaboutview.h"
#include "kvrnkithost.h"
#include "kvrnthemeroot.h"
#include "kvscale.h"
#include "kvscreenfit.h"

#include <QApplication>
#include <QPointer>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWidget>

namespace KVRNAbout {

namespace {

QStringList &lines()
{
    static QStringList list;
    return list;
}

QPointer<QWidget> &stored()
{
    static QPointer<QWidget> w;
    return w;
}

// 440 by 380 points, within the screen at a large zoom; the content then
// scrolls.
QSize windowSize()
{
    return KVScreenFit::within(QSize(KVScale::ipt(440), KVScale::ipt(380)));
}

QWidget *makeWindow()
{
    auto *w = new QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                       | Qt::WindowCloseButtonHint);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->setFixedSize(windowSize());
    QObject::connect(&KVScale::shared(), &KVScale::changed, w, [w] { w->setFixedSize(windowSize()); });
    // Escape and Ctrl+W close the window, as in any desktop app.
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        QObject::connect(new QShortcut(keys, w), &QShortcut::activated, w, &QWidget::close);
    auto *box = new QVBoxLayout(w);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    auto *scroll = new QScrollArea(w);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    box->addWidget(scroll);
    KVScreenFit::centre(w);
    return w;
}

} // namespace

QStringList extraLines()
{
    return lines();
}

void setExtraLines(const QStringList &list)
{
    lines() = list;
}

QString versionLine(const std::optional<QString> &shortVersion, const std::optional<QString> &build)
{
    const QString version = shortVersion ? *shortVersion : QStringLiteral("1.0");
    if (build)
        return QStringLiteral("Version ") + version + QStringLiteral(" (") + *build + u')';
    return QStringLiteral("Version ") + version;
}

QString version()
{
    const QString v = QCoreApplication::applicationVersion();
    return versionLine(v.isEmpty() ? std::nullopt : std::optional<QString>(v), std::nullopt);
}

QString creditLine()
{
    return QStringLiteral("by Brackenfold (KVRN)");
}

void show()
{
    QWidget *w = stored();
    if (!w) {
        w = makeWindow();
        stored() = w;
    }
    w->setWindowTitle(QStringLiteral("About ") + KVRNKitHost::appName());

    auto *scroll = w->findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly);
    if (QWidget *old = scroll->takeWidget()) {
        old->hide();
        old->deleteLater();
    }
    scroll->setWidget(new KVRNThemeRoot([] { return new KVRNAboutView(); }));

    w->show();
    w->raise();
    w->activateWindow();
}

QWidget *window()
{
    return stored();
}

} // namespace KVRNAbout
