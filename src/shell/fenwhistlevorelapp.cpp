#include "fenwhistlevorelapp.h"

#include "app/dispatch.h"
#include "fvdelegate.h"
#include "fvsetup.h"
#include "kit/kvfontwarmup.h"
#include "kit/kvmenustyle.h"
#include "look/fvbackground.h"
#include "platform/fvinfo.h"
#include "platform/pagewarmer.h"
#include "mainwindowframe.h"
#include "platform/appid.h"
#include "platform/appversion.h"

#include <QApplication>
#include <QScopeGuard>
#include <QCoreApplication>
#include <QMainWindow>
#include <QStyle>
#include <memory>

namespace FenwhistleVorelApp {

namespace {

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Brackenfold"));
    QCoreApplication::setApplicationName(QStringLiteral("fenwhistle-vorel"));
    QCoreApplication::setApplicationVersion(AppVersion::shortVersion());
}

std::unique_ptr<QApplication> makeApplication(int &argc, char **argv)
{
    auto app = std::make_unique<QApplication>(argc, argv);
    nameApplication();
    // Matches the window to its launcher entry (and names it on Wayland).
    QGuiApplication::setDesktopFileName(AppID::id());
    return app;
}

int runWindowed(QApplication &app)
{
    // The set-up comes first (it opens both databases); only then, as the
    // launch finishes, the single-instance check and the network monitor.
    FVSetup::configure();
    QApplication::setStyle(new KVMenuStyle(QApplication::style()->name()));
    FVDelegate delegate;
    if (!delegate.finishLaunching())
        return 0;
    std::unique_ptr<QWidget> window(makeMainWindow());
    delegate.setMainWindow(window.get());
    window->show();
    // Closing the last window quits (QApplication's default).
    return app.exec();
}

} // namespace

QWidget *makeMainWindow()
{
    return new MainWindowFrame();
}

int main(int &argc, char **argv)
{
    // Read before any application object exists (it strips options like -style).
    const QStringList args = Dispatch::arguments(argc, argv);
    // A window is coming: pages are warmed and fontconfig sets up meanwhile
    // (neither needs an application object).
    if (!Dispatch::isCommandLine(args)) {
        PageWarmer::start();
        KVFontWarmup::startFontconfig();
    }
    if (Dispatch::needsOnlyCore(args)) {
        // A GUI application would make a runtime folder (in the temporary
        // folder when XDG_RUNTIME_DIR is unset) for a run that shows nothing.
        QCoreApplication core(argc, argv);
        nameApplication();
        if (const auto status = Dispatch::run(args))
            return *status;
    }
    const bool pickOffscreen = Dispatch::isCommandLine(args) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (pickOffscreen)
        qputenv("QT_QPA_PLATFORM", "offscreen");

    std::unique_ptr<QApplication> app = makeApplication(argc, argv);
    // Declared after the application, so it runs before the application goes.
    const auto settle = qScopeGuard([] { FVBackground::settle(); });
    if (const auto status = Dispatch::run(args))
        return *status;

    if (pickOffscreen) {
        // The arguments looked like a command-line run but no mode took them:
        // the windowed application starts on the ordinary platform.
        FVBackground::settle();
        app.reset();
        qunsetenv("QT_QPA_PLATFORM");
        app = makeApplication(argc, argv);
    }
    return runWindowed(*app);
}

} // namespace FenwhistleVorelApp
