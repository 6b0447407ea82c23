#include "mainwindowframe.h"

#include "app/appmodel.h"
#include "app/backstep.h"
#include "kit/kvarrowkeys.h"
#include "data/nhtsatext.h"
#include "kit/kvhelpwindow.h"
#include "kit/kvkittheme.h"
#include "kit/kvmnemonics.h"
#include "kit/kvreturnkey.h"
#include "kit/kvscreenfit.h"
#include "kit/kvscrollarea.h"
#include "kit/kvrnthemes.h"
#include "kit/kvzoomhost.h"
#include "look/appicon.h"
#include "look/fvbackground.h"
#include "platform/fvinfo.h"
#include "look/fvpalette.h"
#include "look/fvthemeroot.h"
#include "mainwindow.h"
#include "menubar.h"
#include "platform/netstatus.h"
#include "platform/prefs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace {

// The application's icon, for the window list and the About window: the
// same drawing as the icon files installed for the launcher.
void ensureAppIcon()
{
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(AppIcon::icon());
}

} // namespace

MainWindowFrame::MainWindowFrame(QWidget *parent)
    : MainWindowFrame(AppModel::shared(), NetStatus::shared(), parent)
{
}

MainWindowFrame::MainWindowFrame(AppModel &m, NetStatus &net, QWidget *parent)
    : QMainWindow(parent)
{
    KVHelpWindow::installOpener();
    KVReturnKey::install();
    KVScrollArea::followFocus();
    KVArrowKeys::install();
    ensureAppIcon();
    setWindowTitle(FVInfo::appName());
    setMinimumSize(minimumWindowSize());
    restoreSize();

    MenuBar::build(menuBar(), MenuBarModel::menus(m, FVInfo::appName()));
    KVMnemonics::apply(menuBar());
    // The first frame's backdrop is drawn on a worker while the content is
    // built.
    FVBackground::prepare(centralSize(), devicePixelRatioF());

    // Made in place, the window's tree is measured once: moved in later, every
    // widget would be told of a font change and measured again.
    m_root = new FVThemeRoot([&m, &net](QWidget *root) -> QWidget * {
        return new KVZoomHost(new MainWindow(m, net), minimumContentSize(), root);
    }, this);
    setCentralWidget(m_root);
    // Alt+Left and the mouse's Back button take the app's one step back.
    m_back = new BackStep(m, this);
    for (const QKeySequence &keys : {QKeySequence(Qt::ALT | Qt::Key_Left), QKeySequence(Qt::Key_Back)}) {
        auto *back = new QShortcut(keys, this);
        connect(back, &QShortcut::activated, m_back, &BackStep::goBack);
    }
    qApp->installEventFilter(this);
    // F10 opens the first menu, as on the GNOME and KDE desktops.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [this] {
        const QList<QAction *> menus = menuBar()->actions();
        if (!menus.isEmpty())
            menuBar()->setActiveAction(menus.front());
    });

    // The menu bar and its menus wear the theme too.
    setAttribute(Qt::WA_WindowPropagation);
    applyThemePalette();
    connect(&Prefs::shared(), &Prefs::changed, this, [this](const QString &key) {
        if (key == KVRNThemes::key())
            applyThemePalette();
    });
}

bool MainWindowFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(event)->button() == Qt::BackButton) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && w->window() == this && m_back->canGoBack()) {
            m_back->goBack();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

QSize MainWindowFrame::centralSize() const
{
    // As the layout will place them: the menu bar, unless the desktop shows
    // it, at the height it takes for the window's width; the content below.
    QMenuBar *bar = menuBar();
    int barHeight = 0;
    if (!bar->isHidden() && !bar->isNativeMenuBar())
        barHeight = std::max(bar->heightForWidth(std::max(width(), bar->minimumWidth())), bar->sizeHint().height());
    return {width(), height() - barHeight};
}

QString MainWindowFrame::geometryKey()
{
    return QStringLiteral("fv.windowGeometry");
}

void MainWindowFrame::restoreSize()
{
    const QByteArray saved = Prefs::shared().value(geometryKey()).toByteArray();
    if (!saved.isEmpty() && restoreGeometry(saved))
        return;
    resize(KVScreenFit::within(defaultSize()).expandedTo(minimumWindowSize()));
}

void MainWindowFrame::hideEvent(QHideEvent *event)
{
    // Closing, quitting and minimising all hide the window first.
    Prefs::shared().setValue(geometryKey(), saveGeometry());
    QMainWindow::hideEvent(event);
}

void MainWindowFrame::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    // Reading that the first frame does not need starts once it is out.
    if (!std::exchange(m_painted, true))
        QTimer::singleShot(0, this, [] { NHTSAText::startReadingProperNames(); });
}

void MainWindowFrame::applyThemePalette()
{
    const QPalette pal = KVKitTheme::current().widgetPalette(FVPalette::current().accent);
    // The application palette reaches every popup menu, scroll bar and dialog,
    // which are windows of their own and take no palette from this one.
    QApplication::setPalette(pal);
    setPalette(pal);
}

KVZoomHost *MainWindowFrame::zoomHost() const
{
    return qobject_cast<KVZoomHost *>(static_cast<FVThemeRoot *>(m_root)->content());
}

MainWindow *MainWindowFrame::content() const
{
    KVZoomHost *host = zoomHost();
    return host ? qobject_cast<MainWindow *>(host->content()) : nullptr;
}
