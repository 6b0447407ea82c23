#include "troublereport.h"

#include "data/nhtsatext.h"
#include "data/vorel.h"
#include "garage/garagestore.h"
#include "platform/appversion.h"
#include "platform/maker.h"
#include "platform/text.h"
#include "reportlinks.h"
#include "reporttext.h"

namespace {

struct Gathered
{
    QString code;
    QString source;
    QString note;
};

bool alreadyGathered(const QList<Gathered> &list, const QString &code)
{
    return std::any_of(list.cbegin(), list.cend(), [&](const Gathered &g) { return g.code == code; });
}

QString engineText(const GarageVehicle &vehicle, const std::optional<VehicleInfo> &info, const Vorel &vorel)
{
    if (!vehicle.engine.isEmpty())
        return vehicle.engine;
    const QString none = TroubleReport::notRecorded();
    if (!info || !vehicle.year)
        return none;
    QStringList offered;
    for (const EPAConfig &config : vorel.epa(info->id, *vehicle.year)) {
        const QString text = config.engineText();
        if (!offered.contains(text))
            offered.append(text);
    }
    if (offered.isEmpty())
        return none;
    return none + QStringLiteral(" (offered that year: ") + offered.mid(0, 4).join(QStringLiteral("; "))
        + QStringLiteral(")");
}

QString oneLine(const QString &text)
{
    return Text::printable(text, false);
}

// The garage's texts as the report prints them (see Text::printable).
GarageVehicle printable(GarageVehicle v)
{
    for (QString *field : {&v.title, &v.nickname, &v.vin, &v.engine, &v.created, &v.updated})
        *field = oneLine(*field);
    v.notes = Text::printable(v.notes, true);
    return v;
}

ServiceEntry printable(ServiceEntry e)
{
    for (QString *field : {&e.date, &e.title, &e.details, &e.cost})
        *field = oneLine(*field);
    return e;
}

// The longest file name most file systems accept, in bytes.
constexpr qsizetype maxFileNameBytes = 255;

} // namespace

QString TroubleReport::savedSource(const QString &added)
{
    QString source = QStringLiteral("Saved with this vehicle");
    if (ReportText::characterCount(added) >= 10)
        source += QStringLiteral(" on ") + ReportText::leftCharacters(added, 10);
    return source;
}

QString TroubleReport::mentionedSource()
{
    return QStringLiteral("Found in this vehicle's notes or service log");
}

QString TroubleReport::lookedUpSource()
{
    return QStringLiteral("Looked up in the app for this report");
}

TroubleReport TroubleReport::build(const GarageVehicle &garageVehicle, const GarageStore &store, const Vorel &vorel,
                                   const QStringList &extraCodes, const QDateTime &made)
{
    // Every text from the garage is made printable here, once.
    const GarageVehicle vehicle = printable(garageVehicle);
    TroubleReport report;
    report.vehicle = vehicle;
    report.year = vehicle.year;
    report.provenance = Provenance::fromMeta(vorel.meta);

    if (vehicle.vehicleID)
        report.info = vorel.vehicle(*vehicle.vehicleID);
    if (report.info && vehicle.year)
        report.allRecalls = vorel.recalls(report.info->id, *vehicle.year);

    const QList<Guide> guides = vorel.guides();

    QList<Gathered> gathered;
    for (const GarageCode &saved : store.codes(vehicle.id))
        gathered.append({oneLine(saved.code), savedSource(oneLine(saved.added)), Text::printable(saved.note, true)});
    for (const QString &code : store.codesMentioned(vehicle.id)) {
        if (!alreadyGathered(gathered, code) && vorel.code(code))
            gathered.append({code, mentionedSource(), QString()});
    }
    for (const QString &text : extraCodes) {
        const std::optional<QString> code = GarageStore::normalizeCode(text);
        if (code && !alreadyGathered(gathered, *code))
            gathered.append({*code, lookedUpSource(), QString()});
    }

    for (const Gathered &g : gathered) {
        TroubleReportCode code;
        code.code = g.code;
        code.source = g.source;
        code.ownerNote = g.note;
        code.info = vorel.code(g.code);
        if (!code.info)
            code.structure = vorel.explainStructure(g.code);
        code.estimate = RepairEstimate::forCode(code.info).first;
        code.recalls = ReportLinks::recalls(report.allRecalls, code.info);
        for (const QString &id : ReportLinks::guideIDs(code.info, g.code)) {
            const auto guide = std::find_if(guides.cbegin(), guides.cend(), [&](const Guide &x) { return x.id == id; });
            if (guide != guides.cend())
                code.guides.append(*guide);
        }
        report.codes.append(code);
    }

    report.engine = oneLine(engineText(vehicle, report.info, vorel));
    if (report.info) {
        report.make = oneLine(report.info->makeDisplay);
        report.model = oneLine(report.info->model);
    }
    for (const ServiceEntry &e : store.entries(vehicle.id))
        report.service.append(printable(e));
    report.made = made;
    report.version = appVersion();
    return report;
}

QString TroubleReport::vehicleLine() const
{
    if (!make.isEmpty() && year)
        return QString::number(*year) + u' ' + make + u' ' + model;
    return vehicle.title;
}

QString TroubleReport::mileageText() const
{
    if (vehicle.mileage)
        return Text::grouped(*vehicle.mileage) + QStringLiteral(" miles");
    return notRecorded();
}

QString TroubleReport::suggestedFileName() const
{
    QString name = vehicleLine();
    if (!vehicle.nickname.isEmpty())
        name += QStringLiteral(" (") + vehicle.nickname + u')';
    name = oneLine(name);
    name.replace(u'/', u'-');
    name.replace(u':', u'-');
    const QString suffix = QStringLiteral(" - Trouble Code Report.pdf");
    return ReportText::leftUtf8(name, maxFileNameBytes - suffix.toUtf8().size()) + suffix;
}

QString TroubleReport::sampleMark(const Recall &recall) const
{
    if (!provenance.sample(Provenance::Kind::Recalls, recall.campaign))
        return {};
    return QStringLiteral(" (") + Provenance::sampleRecord().toLower() + u')';
}

QString TroubleReport::component(const Recall &recall)
{
    const QString other = QStringLiteral("Other");
    if (recall.components.isEmpty())
        return other;
    const QString first = Text::trimBlanks(recall.components.front());
    if (first.isEmpty())
        return other;
    QStringList pieces;
    for (const QString &piece : first.split(u':', Qt::SkipEmptyParts))
        pieces.append(NHTSAText::pretty(piece));
    return pieces.join(QStringLiteral(" \u00b7 "));
}

QString TroubleReport::summaryExcerpt(const Recall &recall)
{
    return Text::clipped(NHTSAText::sentenceCase(recall.summary), 240);
}

QString TroubleReport::notRecorded()
{
    return QStringLiteral("Not recorded");
}

QString TroubleReport::footer()
{
    return QStringLiteral("KVRN Fenwhistle Vorel by Brackenfold \u2014 ") + Maker::website();
}

QString TroubleReport::appVersion()
{
    return AppVersion::shortVersion();
}
