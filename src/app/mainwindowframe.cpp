#include "mainwindowframe.h"

#include "appmodel.h"
#include "fvinfo.h"
#include "kit/kvhelpwindow.h"
#include "kit/kvzoomhost.h"
#include "look/fvthemeroot.h"
#include "mainwindow.h"
#include "menubar.h"
#include "netstatus.h"

#include <QMenuBar>

MainWindowFrame::MainWindowFrame(QWidget *parent)
    : MainWindowFrame(AppModel::shared(), NetStatus::shared(), parent)
{
}

MainWindowFrame::MainWindowFrame(AppModel &m, NetStatus &net, QWidget *parent)
    : QMainWindow(parent)
{
    KVHelpWindow::installOpener();
    setWindowTitle(FVInfo::appName());
    setMinimumSize(minimumWindowSize());
    resize(defaultSize());

    m_root = new FVThemeRoot([&m, &net] {
        return new KVZoomHost(new MainWindow(m, net), minimumContentSize());
    });
    setCentralWidget(m_root);

    MenuBar::build(menuBar(), MenuBarModel::menus(m, FVInfo::appName()));
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
