#include "garagechecks.h"

#include "garage/garageactions.h"
#include "garage/garageexporterror.h"
#include "garage/garagestore.h"
#include "selftest.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <memory>

namespace GarageChecks {

namespace {

// The file's text when it is valid UTF-8, else nothing.
std::optional<QString> utf8File(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(file.readAll());
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

bool exportWorks(GarageStore &store, const QString &scratch)
{
    const QString folder = QDir(scratch).filePath(QStringLiteral("export-check"));
    QDir().mkpath(folder);
    QStringList files;
    try {
        files = GarageActions::exportTo(store, folder);
    } catch (const GarageExportError &) {
        return false;
    }
    const auto csv = utf8File(QDir(folder).filePath(QStringLiteral("My Garage.csv")));
    const auto html = utf8File(QDir(folder).filePath(QStringLiteral("My Garage.html")));
    return files.size() == 2 && csv && html && csv->contains(QStringLiteral("Big Blue")) &&
           csv->contains(QStringLiteral("Oil change")) && html->contains(QStringLiteral("Brackenfold")) &&
           html->contains(QStringLiteral("181,900"));
}

} // namespace

bool readBack(int writeStatus, int readStatus, const QString &readOutput)
{
    const QStringList lines = readOutput.split(u'\n');
    return writeStatus == 0 && readStatus == 0 &&
           lines.contains(QStringLiteral("GARAGE|2002 Lincoln Navigator|Big Blue|181900|Air ride sags overnight")) &&
           lines.contains(QStringLiteral("SERVICE|2026-10-01|Oil change|$64"));
}

bool run(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    const QString path = QDir(ctx.scratch).filePath(QStringLiteral("My Garage.sqlite"));

    const FVSelfTest::ChildResult written = FVSelfTest::runChild({QStringLiteral("--fv-child-garage-write"), path});
    const FVSelfTest::ChildResult read = FVSelfTest::runChild({QStringLiteral("--fv-child-garage-read"), path});
    run.check(readBack(written.status, read.status, read.output),
              QStringLiteral("a vehicle, its notes, mileage and service entry written by one app process are there in "
                             "the next one"));

    std::unique_ptr<GarageStore> store;
    try {
        store = std::make_unique<GarageStore>(path);
    } catch (const SQLError &) {
    }
    if (!store || store->vehicles().isEmpty()) {
        run.check(false, QStringLiteral("My Garage opens"));
        return true;
    }

    run.check(exportWorks(*store, ctx.scratch), QStringLiteral("export works (CSV + printable page)"));

    GarageVehicle edited = store->vehicles().first();
    edited.nickname = QStringLiteral("Edited Blue");
    const bool saved = GarageActions::save(edited, *store);
    run.check(saved && store->vehicles().first().nickname == edited.nickname, QStringLiteral("editing works"));

    const std::optional<qint64> copy = GarageActions::add(store->vehicles().first(), *store);
    const bool removed = copy && GarageActions::remove(*copy, *store);
    run.check(copy && removed && store->vehicles().size() == 1, QStringLiteral("add and remove work"));
    return true;
}

} // namespace GarageChecks
