#include "reportui.h"

#include "app/appmodel.h"
#include "app/fvinfo.h"
#include "garage/garagestore.h"
#include "platform/opener.h"
#include "reportfile.h"
#include "reportfolder.h"
#include "reportprint.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

namespace ReportUI {

namespace {

QWidget *window()
{
    return QApplication::activeWindow();
}

void alert(QMessageBox::Icon icon, const QString &text, const QString &informative)
{
    QMessageBox box(icon, FVInfo::appName(), text, QMessageBox::Ok, window());
    box.setInformativeText(informative);
    for (QLabel *label : box.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    box.exec();
}

void openWritten(const QString &path)
{
    Opener::noteWritten(path);
    Opener::open(QUrl::fromLocalFile(path));
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

// The PDF for printing and sharing, in the reports folder; empty on failure.
QString temp(const TroubleReport &report)
{
    const QString folder = ReportFolder::locate();
    if (folder.isEmpty())
        return QString();
    const QString path = QDir(folder).filePath(report.suggestedFileName());
    return report.write(path) ? path : QString();
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
    alert(QMessageBox::Information, QStringLiteral("Add a vehicle to My Garage first"),
          QStringLiteral("The Trouble Code Report is made for a vehicle in My Garage. Open a vehicle and press "
                         "\"Add to My Garage\", then add the codes you read."));
}

std::optional<QString> save(const std::optional<GarageVehicle> &vehicle, const std::optional<QStringList> &extra)
{
    const std::optional<TroubleReport> r = start(vehicle, extra);
    if (!r)
        return std::nullopt;

    QFileDialog dialog(window(), QStringLiteral("Save the Trouble Code Report for ") + r->vehicleLine()
                                     + QStringLiteral(" as a PDF."));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF documents (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(startFolder());
    dialog.selectFile(r->suggestedFileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty())
        return std::nullopt;

    const GarageStore *garage = AppModel::shared().garage();
    QString error;
    if (!ReportFile::write(*r, path, garage ? garage->path() : QString(), &error)) {
        alert(QMessageBox::Warning, QStringLiteral("The report could not be saved"), error);
        return std::nullopt;
    }
    openWritten(path);
    return path;
}

void print(const std::optional<GarageVehicle> &vehicle, const std::optional<QStringList> &extra)
{
    const std::optional<TroubleReport> r = start(vehicle, extra);
    if (!r)
        return;
    const QString path = temp(*r);
    if (!path.isEmpty())
        ReportPrint::run(path, window());
}

void share(const std::optional<GarageVehicle> &vehicle, const std::optional<QStringList> &extra, QWidget *from)
{
    Q_UNUSED(from); // no sharing picker to anchor: the PDF opens in the viewer
    const std::optional<TroubleReport> r = start(vehicle, extra);
    if (!r)
        return;
    const QString path = temp(*r);
    if (!path.isEmpty())
        openWritten(path);
}

} // namespace ReportUI
