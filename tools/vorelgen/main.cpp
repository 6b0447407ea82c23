// vorelgen: builds a schema-true reference database from the hand-written
// content and a seeded model of the agency records.
//
//   vorelgen --profile sample|full --content DIR --schema FILE --out DB
//            --photos DIR [--research DB] [--vpic DB --vpic-version V]
//
// With --vpic the vehicle lines, years and engines come from NHTSA's vPIC
// catalogue (read-only) as well as the hand-written list.

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
};

Options parse(const QStringList &args)
{
    Options o;
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
        else
            throw GenError{QStringLiteral("unknown option %1").arg(a)};
    }
    if (o.profile.isEmpty() || o.content.isEmpty() || o.schema.isEmpty() || o.out.isEmpty() || o.photos.isEmpty())
        throw GenError{QStringLiteral("usage: vorelgen --profile sample|full --content DIR --schema FILE --out DB --photos DIR [--research DB] [--vpic DB --vpic-version V]")};
    return o;
}

void moveInto(const QString &from, const QString &to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw GenError{QStringLiteral("cannot rename %1 to %2").arg(from, to)};
}

int run(const QStringList &args)
{
    const Options o = parse(args);
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
    buildRecalls(m, c);
    buildInvestigations(m, c);
    buildBulletins(m, c);
    buildComplaints(m, c);
    buildPhotos(m);
    buildSearch(m, c);
    const qint64 built = clock.elapsed();

    drawPhotos(m, o.photos);
    const QString part = o.out + QStringLiteral(".part");
    writeReference(m, c, o.schema, part);
    const QString researchPart = o.research.isEmpty() ? QString() : o.research + QStringLiteral(".part");
    if (!researchPart.isEmpty())
        writeResearch(m, researchPart);
    const qint64 written = clock.elapsed();

    try {
        checkReference(m, part);
        if (!researchPart.isEmpty())
            checkResearch(part, researchPart);
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
