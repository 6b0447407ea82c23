// vorelgen: builds a schema-true reference database from the hand-written
// content and a seeded model of the agency records.
//
//   vorelgen --profile sample|full --content DIR --schema FILE --out DB
//            --photos DIR [--research DB] [--vpic DB --vpic-version V]
//
// With --vpic the vehicle lines, years and engines come from NHTSA's vPIC
// catalogue (read-only) as well as the hand-written list.
//
// The agencies' own files replace the generated records of their kind:
//   --agency-dir DIR (the files under their published names), or any of
//   --recalls FLAT_RCL.txt --investigations FLAT_INV.txt --complaints FLAT_CMPL.txt
//   --bulletins FLAT_TSBS.txt --epa vehicles.csv (each may be given more than once).
// The content's copy of EPA's list (content/epa) gives the engine listings of
// 1984-2015; an --epa file replaces its rows for the vehicle-years it lists.
// content/epa/names.json names the line of each of EPA's model names.
// Records that name no vehicle line of the build are counted and reported.

#include "agencyimport.h"
#include "epanames.h"
#include "model.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <unistd.h>

namespace {

struct Options
{
    QString profile, content, schema, out, photos, research, vpic, vpicVersion;
    AgencyImport agency;
};

void parse(const QStringList &args, Options &o)
{
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (i + 1 >= args.size())
            throw GenError{QStringLiteral("%1 needs a value").arg(a)};
        const QString v = args[++i];
        if (a == QLatin1String("--profile"))
            o.profile = v;
        else if (a == QLatin1String("--content"))
            o.content = v;
        else if (a == QLatin1String("--schema"))
            o.schema = v;
        else if (a == QLatin1String("--out"))
            o.out = v;
        else if (a == QLatin1String("--photos"))
            o.photos = v;
        else if (a == QLatin1String("--research"))
            o.research = v;
        else if (a == QLatin1String("--vpic"))
            o.vpic = v;
        else if (a == QLatin1String("--vpic-version"))
            o.vpicVersion = v;
        else if (a == QLatin1String("--agency-dir"))
            o.agency.addFolder(v);
        else if (AgencyImport::Kind kind; AgencyImport::option(a, &kind))
            o.agency.add(kind, v);
        else
            throw GenError{QStringLiteral("unknown option %1").arg(a)};
    }
    if (o.profile.isEmpty() || o.content.isEmpty() || o.schema.isEmpty() || o.out.isEmpty() || o.photos.isEmpty())
        throw GenError{QStringLiteral("usage: vorelgen --profile sample|full --content DIR --schema FILE --out DB --photos DIR [--research DB] [--vpic DB --vpic-version V] "
                                      "[--agency-dir DIR] [--recalls F] [--investigations F] [--complaints F] [--bulletins F] [--epa F]")};
}

void moveInto(const QString &from, const QString &to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw GenError{QStringLiteral("cannot rename %1 to %2").arg(from, to)};
}

int run(const QStringList &args)
{
    Options o;
    parse(args, o);
    QElapsedTimer clock;
    clock.start();
    Model m;
    m.profile = Profile::byName(o.profile);
    Content c = loadContent(o.content);
    if (!o.vpic.isEmpty()) {
        c.vpic = VpicCatalog::read(o.vpic);
        c.vpicDate = VpicCatalog::dataDate(o.vpic);
        c.vpicVersion = o.vpicVersion;
    }
    const qint64 catalogue = clock.elapsed();
    buildVehicles(m, c);
    // Each kind given in the agencies' files is imported, the rest generated.
    // EPA's list in the content gives the engines; an EPA file given besides
    // it replaces its rows for the vehicle-years that file lists.
    AgencyImport &agency = o.agency;
    agency.setAliases(NameAliases::fromJson(c.nameAliases));
    const QString epaDir = o.content + QStringLiteral("/epa");
    if (QFileInfo::exists(epaDir + QStringLiteral("/vehicles_epa.csv"))) {
        agency.addFirst(AgencyImport::Engines, epaDir + QStringLiteral("/vehicles_epa.csv"));
        agency.readSources(epaDir + QStringLiteral("/sources.tsv"));
    }
    agency.setEpaNames(EpaNames::load(epaDir + QStringLiteral("/names.json")));
    if (agency.has(AgencyImport::Engines))
        agency.importEngines(m);
    agency.has(AgencyImport::Recalls) ? agency.importRecalls(m) : buildRecalls(m, c);
    agency.has(AgencyImport::Investigations) ? agency.importInvestigations(m) : buildInvestigations(m, c);
    agency.has(AgencyImport::Bulletins) ? agency.importBulletins(m) : buildBulletins(m, c);
    agency.has(AgencyImport::Complaints) ? agency.importComplaints(m) : buildComplaints(m, c);
    // An investigation's recall is named only when both are the agency's or
    // both generated: a generated number may belong to another real recall.
    if (m.imported.recalls != m.imported.investigations)
        for (InvRow &i : m.investigations)
            i.recallCampaign.clear();
    buildPhotos(m);
    buildSearch(m, c);
    const qint64 built = clock.elapsed();

    drawPhotos(m, o.photos);
    // Both files are written beside their names and moved in only when
    // complete and checked: a failed run leaves the old files as they were.
    const QString part = o.out + QStringLiteral(".part");
    const QString researchPart = o.research.isEmpty() ? QString() : o.research + QStringLiteral(".part");
    qint64 written = 0;
    try {
        writeReference(m, c, o.schema, part);
        if (!researchPart.isEmpty())
            writeResearch(m, researchPart);
        written = clock.elapsed();
        checkReference(m, part);
        if (!researchPart.isEmpty())
            checkResearch(m, part, researchPart);
    } catch (...) {
        // A file that broke a rule is not left where it could be mistaken for a build.
        QFile::remove(part);
        if (!researchPart.isEmpty())
            QFile::remove(researchPart);
        throw;
    }
    moveInto(part, o.out);
    if (!researchPart.isEmpty())
        moveInto(researchPart, o.research);
    for (const QString &line : agency.report())
        std::printf("vorelgen: %s\n", qPrintable(line));
    std::printf("vorelgen: %s profile, %lld vehicles, %lld recalls, %lld bulletins, %lld complaint rows: %s (%lld bytes); "
                "vPIC %lld ms, model %lld ms, files %lld ms, checks %lld ms\n",
                qPrintable(m.profile.name), qint64(m.vehicles.size()), qint64(m.recalls.size()), qint64(m.tsbs.size()),
                qint64(m.complaints.size()), qPrintable(o.out), QFileInfo(o.out).size(), catalogue, built - catalogue, written - built,
                clock.elapsed() - written);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Only drawings are made: no display is needed or wanted.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/vorelgen-runtime-") + QString::number(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
    QGuiApplication app(argc, argv);
    try {
        return run(QCoreApplication::arguments());
    } catch (const GenError &e) {
        std::fprintf(stderr, "vorelgen: %s\n", qPrintable(e.message));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "vorelgen: %s\n", e.what());
    }
    return 1;
}
