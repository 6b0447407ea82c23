#include "reportui.h"

#include "app/appmodel.h"
#include "platform/fvinfo.h"
#include "garage/garagestore.h"
#include "platform/opener.h"
#include "reportfile.h"
#include "reportfolder.h"
#include "reportjob.h"
#include "reportprint.h"
#include "reportsharerules.h"
#include "kit/kvnote.h"
#include "kit/kvopen.h"
#include "look/fvalert.h"
#include "platform/desktoptool.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <memory>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QStandardPaths>
#include <QUrl>

namespace ReportUI {

namespace {

QWidget *window()
{
    return QApplication::activeWindow();
}

void alert(const QString &text, const QString &informative)
{
    FVAlert::ask(window(), FVInfo::appName(), text, informative, {QStringLiteral("OK")}, 0);
}

} // namespace

QWidget *anchorFor(QWidget *from)
{
    if (from && !qobject_cast<QMenuBar *>(from))
        return from;
    QWidget *win = from ? from->window() : window();
    if (!win)
        return nullptr;
    for (QWidget *report : win->findChildren<QWidget *>(QStringLiteral("reportMenu"))) {
        if (report->isVisible() && !report->visibleRegion().isEmpty())
            return report;
    }
    if (QWidget *focus = QApplication::focusWidget();
        focus && focus->window() == win && focus->isVisible() && !qobject_cast<QMenuBar *>(focus))
        return focus;
    return from ? from : menuBar();
}

namespace {

void failed(QWidget *anchor, const QString &text)
{
    KVNote::showBeside(anchor, text);
}

// Writes the PDF on a worker; `then` hears the error text (empty: written).
void writeAside(QWidget *anchor, const TroubleReport &report, const QString &path, const QString &guarded,
                std::function<void(const QString &error)> then)
{
    auto error = std::make_shared<QString>();
    const bool started = ReportJob::run(
        anchor, ReportShareRules::busy(),
        [report, path, guarded, error] {
            QString why;
            if (!ReportFile::write(report, path, guarded, &why))
                *error = why.isEmpty() ? QStringLiteral("The PDF could not be made.") : why;
        },
        [error, then] { then(*error); });
    if (!started)
        KVNote::showBeside(anchor, ReportShareRules::busy());
}

// The common start of the three commands: the report, or none (after the
// no-vehicle alert when there is no vehicle).
std::optional<TroubleReport> start(const std::optional<GarageVehicle> &given, const std::optional<QStringList> &extra)
{
    const std::optional<GarageVehicle> vehicle = given ? given : vehicleForMenu();
    if (!vehicle) {
        noVehicle();
        return std::nullopt;
    }
    return report(*vehicle, extra ? *extra : extraForMenu());
}

// Where the PDF for printing and sharing goes; empty without a folder.
QString tempPath(const TroubleReport &report)
{
    const QString folder = ReportFolder::locate();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(report.suggestedFileName());
}

QString startFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

std::optional<GarageVehicle> vehicleForMenu(const AppModel &model)
{
    const GarageStore *garage = model.garage();
    if (!garage || garage->vehicles().isEmpty())
        return std::nullopt;
    if (const auto selected = model.selectedGarage()) {
        for (const GarageVehicle &v : garage->vehicles()) {
            if (v.id == *selected)
                return v;
        }
    }
    return garage->vehicles().first();
}

std::optional<GarageVehicle> vehicleForMenu()
{
    return vehicleForMenu(AppModel::shared());
}

QStringList extraForMenu(const AppModel &model)
{
    if (model.screen() == Screen::Codes && model.selectedCode())
        return {*model.selectedCode()};
    return {};
}

QStringList extraForMenu()
{
    return extraForMenu(AppModel::shared());
}

std::optional<TroubleReport> report(const AppModel &model, const GarageVehicle &vehicle, const QStringList &extra)
{
    if (!model.garage() || !model.data())
        return std::nullopt;
    return TroubleReport::build(vehicle, *model.garage(), *model.data(), extra, QDateTime::currentDateTime());
}

std::optional<TroubleReport> report(const GarageVehicle &vehicle, const QStringList &extra)
{
    return report(AppModel::shared(), vehicle, extra);
}

void noVehicle()
{
    alert(QStringLiteral("Add a vehicle to My Garage first"),
          QStringLiteral("The Trouble Code Report is made for a vehicle in My Garage. Open a vehicle and press "
                         "\"Add to My Garage\", then add the codes you read."));
}

void save(const std::optional<GarageVehicle> &vehicle, const std::optional<QStringList> &extra, QWidget *from)
{
    const QPointer<QWidget> anchor = anchorFor(from);
    const std::optional<TroubleReport> r = start(vehicle, extra);
    if (!r)
        return;

    QFileDialog dialog(window(), QStringLiteral("Save the Trouble Code Report for ") + r->vehicleLine()
                                     + QStringLiteral(" as a PDF."));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF documents (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(startFolder());
    dialog.selectFile(r->suggestedFileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty())
        return;

    const GarageStore *garage = AppModel::shared().garage();
    writeAside(anchor, *r, path, garage ? garage->path() : QString(), [anchor, path](const QString &error) {
        if (!error.isEmpty()) {
            alert(QStringLiteral("The report could not be saved"), error);
            return;
        }
        Opener::noteWritten(path);
        Opener::open(QUrl::fromLocalFile(path), nullptr,
                     [anchor, path](bool opened) { showSaved(path, opened, anchor); });
    });
}

void showSaved(const QString &path, bool opened, QWidget *anchor)
{
    const QPointer<QWidget> at(anchor);
    const bool canShow = Opener::canOpenFolders();
    const ReportShareRules::Item folder = ReportShareRules::items(false, canShow).at(ReportShareRules::ShowInFolder);
    KVNote::showBeside(anchor, ReportShareRules::saved(path, opened), {},
                       {{folder.text,
                         [at, path] {
                             KVOpen::open(QUrl::fromLocalFile(QFileInfo(path).absolutePath()), at);
                             return QString();
                         },
                         folder.enabled, folder.toolTip}});
}

namespace {

// Makes the report into a file of the private folder, then hands it on.
void makeAside(const std::optional<GarageVehicle> &vehicle, const std::optional<QStringList> &extra, QWidget *from,
               const std::function<void(const QPointer<QWidget> &anchor, const QString &path)> &then)
{
    const QPointer<QWidget> anchor = anchorFor(from);
    const std::optional<TroubleReport> r = start(vehicle, extra);
    if (!r)
        return;
    const QString path = tempPath(*r);
    if (path.isEmpty())
        return failed(anchor, QStringLiteral("There is no private folder to make the PDF in."));
    writeAside(anchor, *r, path, QString(), [anchor, path, then](const QString &error) {
        if (!error.isEmpty())
            return failed(anchor, error);
        then(anchor, path);
    });
}

} // namespace

void print(const std::optional<GarageVehicle> &vehicle, const std::optional<QStringList> &extra, QWidget *from)
{
    makeAside(vehicle, extra, from, [](const QPointer<QWidget> &anchor, const QString &path) {
        if (!ReportPrint::run(path, window()))
            failed(anchor, QStringLiteral("The PDF could not be read back for printing."));
    });
}

void share(const std::optional<GarageVehicle> &vehicle, const std::optional<QStringList> &extra, QWidget *from)
{
    makeAside(vehicle, extra, from, [](const QPointer<QWidget> &anchor, const QString &path) {
        Opener::noteWritten(path);
        QMenu *menu = shareMenu(path, anchor);
        const QPoint at = anchor ? anchor->mapToGlobal(QPoint(0, anchor->height())) : QCursor::pos();
        menu->popup(at);
    });
}

QWidget *menuBar()
{
    QWidget *win = window();
    if (!win)
        return nullptr;
    if (auto *bar = win->findChild<QMenuBar *>(); bar && bar->isVisible())
        return bar;
    return win;
}

QMenu *shareMenu(const QString &path, QWidget *anchor)
{
    const QPointer<QWidget> at(anchor);
    const QString email = DesktopTool::find(QStringLiteral("xdg-email"));
    const QList<ReportShareRules::Item> items = ReportShareRules::items(!email.isEmpty(), Opener::canOpenFolders());
    auto *menu = new QMenu(anchor ? anchor->window() : nullptr);
    menu->setObjectName(QStringLiteral("shareMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setToolTipsVisible(true);
    QList<QAction *> actions;
    for (const ReportShareRules::Item &item : items) {
        QAction *action = menu->addAction(item.text);
        action->setEnabled(item.enabled);
        action->setToolTip(item.toolTip);
        actions.append(action);
    }
    QObject::connect(actions[ReportShareRules::Email], &QAction::triggered, menu, [email, path, at] {
        DesktopTool::run(email, ReportShareRules::emailArguments(path), Opener::launchGraceMs, [path, at](bool ok) {
            if (!ok)
                KVOpen::showNotOpened(QUrl::fromLocalFile(path), at, ReportShareRules::emailFailed());
        });
    });
    QObject::connect(actions[ReportShareRules::ShowInFolder], &QAction::triggered, menu, [path, at] {
        KVOpen::open(QUrl::fromLocalFile(QFileInfo(path).absolutePath()), at);
    });
    QObject::connect(actions[ReportShareRules::CopyFile], &QAction::triggered, menu, [path, at] {
        QGuiApplication::clipboard()->setMimeData(ReportShareRules::fileMimeData(path));
        KVNote::showBeside(at, ReportShareRules::copied(path));
    });
    return menu;
}

} // namespace ReportUI
