#include "mainwindowframe.h"

#include "appmodel.h"
#include "fvinfo.h"
#include "kit/kvhelpwindow.h"
#include "kit/kvkittheme.h"
#include "kit/kvrnthemes.h"
#include "kit/kvzoomhost.h"
#include "look/fvpalette.h"
#include "look/fvthemeroot.h"
#include "look/appicon.h"
#include "mainwindow.h"
#include "menubar.h"
#include "netstatus.h"
#include "platform/prefs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMenuBar>

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
    ensureAppIcon();
    setWindowTitle(FVInfo::appName());
    setMinimumSize(minimumWindowSize());
    resize(defaultSize());

    m_root = new FVThemeRoot([&m, &net] {
        return new KVZoomHost(new MainWindow(m, net), minimumContentSize());
    });
    setCentralWidget(m_root);

    MenuBar::build(menuBar(), MenuBarModel::menus(m, FVInfo::appName()));

    // The menu bar and its menus wear the theme too.
    setAttribute(Qt::WA_WindowPropagation);
    applyThemePalette();
    connect(&Prefs::shared(), &Prefs::changed, this, [this](const QString &key) {
        if (key == KVRNThemes::key())
            applyThemePalette();
    });
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
