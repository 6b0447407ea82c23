#include "reportcli.h"

#include "data/vorel.h"
#include "garage/garagestore.h"
#include "garagecopy.h"
#include "reportfile.h"
#include "troublereport.h"

#include <poppler-qt6.h>

#include <QFileInfo>
#include <cstdio>
#include <exception>
#include <memory>

namespace ReportCLI {

namespace {

void say(const QString &line)
{
    std::fputs((line + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

int pageCount(const QString &path)
{
    const std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(path);
    return doc && !doc->isLocked() ? doc->numPages() : 0;
}

// Runs `open`; false when it throws.
template <typename F>
bool opened(F &&open)
{
    try {
        open();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace

const QString &option()
{
    static const QString text = QStringLiteral("--fv-trouble-report");
    return text;
}

std::optional<GarageVehicle> chooseVehicle(const QList<GarageVehicle> &vehicles, const QString &text)
{
    for (const GarageVehicle &v : vehicles) {
        if (text.isEmpty() || (v.title + u' ' + v.nickname).toLower().contains(text))
            return v;
    }
    return std::nullopt;
}

std::optional<int> handle(const QStringList &args)
{
    const qsizetype at = args.indexOf(option());
    if (at < 0 || args.size() - at - 1 < 2)
        return std::nullopt;
    const QString garagePath = QFileInfo(args.at(at + 1)).absoluteFilePath();
    const QString outPath = QFileInfo(args.at(at + 2)).absoluteFilePath();
    const QString text = args.size() > at + 3 ? args.at(at + 3).toLower() : QString();

    // Declared first, so the copy is removed after the store has closed it.
    const GarageCopy copy(garagePath);
    std::unique_ptr<GarageStore> store;
    std::unique_ptr<Vorel> vorel;
    if (!copy.ok() || !opened([&] { store = std::make_unique<GarageStore>(copy.path()); })
        || !opened([&] { vorel = std::make_unique<Vorel>(); })) {
        say(QStringLiteral("could not open ") + garagePath);
        return 2;
    }

    const std::optional<GarageVehicle> vehicle = chooseVehicle(store->vehicles(), text);
    if (!vehicle) {
        say(QStringLiteral("no matching vehicle"));
        return 3;
    }
    const TroubleReport report = TroubleReport::build(*vehicle, *store, *vorel, {}, QDateTime::currentDateTime());

    QString error;
    if (!ReportFile::write(report, outPath, garagePath, &error)) {
        say(QStringLiteral("write failed: ") + error);
        return 4;
    }
    const int pages = pageCount(outPath);
    QStringList codes;
    for (const TroubleReportCode &c : report.codes)
        codes.append(c.code);
    say(QStringLiteral("wrote ") + outPath + QStringLiteral(": ") + report.vehicleLine() + QStringLiteral(", codes ")
        + codes.join(u' ') + QStringLiteral(", ") + QString::number(pages) + QStringLiteral(" page(s)"));
    return pages > 0 ? 0 : 5;
}

} // namespace ReportCLI
