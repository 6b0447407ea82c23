#include "reportfilechecks.h"

#include "garage/garageactions.h"
#include "garage/garagestore.h"
#include "labelform.h"
#include "pdfread.h"
#include "platform/appversion.h"
#include "reportui/reportcli.h"
#include "report/reportlinks.h"
#include "report/troublereport.h"
#include "stdoutmuted.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <memory>

namespace ReportFileChecks {

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList savedCodes(const GarageStore &store, qint64 id)
{
    QStringList codes;
    for (const GarageCode &c : store.codes(id))
        codes.append(c.code);
    return codes;
}

void everyCodeChecks(FVTestRun &run, const Vorel &vorel)
{
    const QList<OBDCode> codes = vorel.allCodes();
    QSet<QString> guideIDs;
    for (const Guide &g : vorel.guides())
        guideIDs.insert(g.id);

    QStringList noEstimate;
    QStringList noGuide;
    for (const OBDCode &code : codes) {
        const auto [estimate, own] = RepairEstimate::forCode(code);
        if (!own || estimate.low >= estimate.high)
            noEstimate.append(code.code);
        const QStringList ids = ReportLinks::guideIDs(code, code.code);
        bool known = !ids.isEmpty();
        for (const QString &id : ids)
            known = known && guideIDs.contains(id);
        if (!known)
            noGuide.append(code.code);
    }
    run.check(noEstimate.isEmpty(), QStringLiteral("every one of the %1 codes has a typical fix and cost range for its "
                                                   "own system ")
                                            .arg(codes.size()) +
                                        LabelForm::firstOf(noEstimate, 3));
    run.check(noGuide.isEmpty(),
              QStringLiteral("every code links to troubleshooting guides that exist ") + LabelForm::firstOf(noGuide, 3));
}

// A 2009 Camry typed into a fresh garage with only its codes in the notes.
void oldGarageCheck(FVTestRun &run, const Vorel &vorel, const QString &scratch, const VehicleInfo &camry)
{
    std::unique_ptr<GarageStore> store;
    try {
        store = std::make_unique<GarageStore>(QDir(scratch).filePath(QStringLiteral("Old Garage.sqlite")));
    } catch (const SQLError &) {
    }
    std::optional<GarageVehicle> found;
    if (store) {
        GarageVehicle v;
        v.vehicleID = camry.id;
        v.year = 2009;
        v.title = QStringLiteral("2009 Toyota Camry");
        v.notes = QStringLiteral("P0171 and P0420 on the reader");
        if (const std::optional<qint64> id = GarageActions::add(v, *store)) {
            for (const GarageVehicle &saved : store->vehicles()) {
                if (saved.id == *id)
                    found = saved;
            }
        }
    }
    if (!found) {
        run.check(false, QStringLiteral("old-style garage opens"));
        return;
    }
    const TroubleReport report = TroubleReport::build(*found, *store, vorel);
    QStringList codes;
    for (const TroubleReportCode &c : report.codes)
        codes.append(c.code);
    run.check(codes == QStringList{QStringLiteral("P0171"), QStringLiteral("P0420")} &&
                  report.engine.startsWith(QStringLiteral("Not recorded")) &&
                  report.mileageText() == QStringLiteral("Not recorded"),
              QStringLiteral("codes typed only in notes are found; missing engine and mileage say \"Not recorded\""));
}

} // namespace

void run(SelfTestContext &ctx, GarageStore &store, const GarageVehicle &vehicle, const VehicleInfo &camry)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;
    const QDir scratch(ctx.scratch);
    everyCodeChecks(run, vorel);

    const QString file = scratch.filePath(QStringLiteral("report-check.pdf"));
    const bool written = TroubleReport::build(vehicle, store, vorel).write(file);
    const PdfRead saved = PdfRead::fromFile(file);
    run.check(written && saved.pageCount() > 0 && saved.text().contains(QStringLiteral("P0420")) &&
                  saved.text().contains(QStringLiteral("Camry")),
              QStringLiteral("the Trouble Code Report is made and saved"));

    const QList<GarageCode> codes = store.codes(vehicle.id);
    const bool removed = !codes.isEmpty() && GarageActions::removeCode(codes.last().id, store);
    run.check(removed && savedCodes(store, vehicle.id) == QStringList{QStringLiteral("P0171")},
              QStringLiteral("removing a saved code works"));

    run.check(store.csv().contains(QStringLiteral("\"trouble code\"")) && store.csv().contains(QStringLiteral("P0171")) &&
                  store.html().contains(QStringLiteral("Trouble codes: P0171")),
              QStringLiteral("My Garage CSV and web-page exports include the saved codes"));

    const QString cliPdf = scratch.filePath(QStringLiteral("cli report.pdf"));
    const QByteArray before = fileBytes(store.path());
    std::optional<int> status;
    {
        // The mode's own line would break the run's one-line-per-check output.
        const StdoutMuted muted;
        status = ReportCLI::handle({QStringLiteral("app"), QStringLiteral("--fv-trouble-report"), store.path(), cliPdf,
                                    QStringLiteral("camry")});
    }
    run.check(status == 0 && PdfRead::fromFile(cliPdf).pageCount() > 0 && !before.isEmpty() &&
                  fileBytes(store.path()) == before,
              QStringLiteral("--fv-trouble-report makes the PDF from a copy and leaves the garage file unchanged"));

    oldGarageCheck(run, vorel, ctx.scratch, camry);
}

void version(FVTestRun &run)
{
    run.check(AppVersion::shortVersion() == QStringLiteral("1.0.1"), QStringLiteral("version 1.0.1"));
}

} // namespace ReportFileChecks
