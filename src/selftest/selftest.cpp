#include "selftest.h"

#include "app/dispatch.h"
#include "codechecks.h"
#include "data/complaintrule.h"
#include "data/sqldb.h"
#include "databasechecks.h"
#include "garagechild.h"
#include "garagechecks.h"
#include "guidechecks.h"
#include "lookchecks.h"
#include "photosearchchecks.h"
#include "platform/opener.h"
#include "prefsguard.h"
#include "reportchecks.h"
#include "scratchfolder.h"
#include "seedchecks.h"
#include "vehiclechecks.h"
#include "vin/vin.h"
#include "vinchecks.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringDecoder>

namespace FVSelfTest {

namespace {

const QString writeOption = QStringLiteral("--fv-child-garage-write");
const QString readOption = QStringLiteral("--fv-child-garage-read");

struct GroupEntry
{
    const char *title;
    SelfTestGroup group;
};

// The check groups in the order they run.
const GroupEntry groups[] = {
    {"App database", DatabaseChecks::appDatabase},
    {"Year → Make → Model picker", DatabaseChecks::picker},
    {"Vehicle page: 2002 Lincoln Navigator, 2013-2016 Ford Focus", VehicleChecks::run},
    {"Photos and credits", PhotoSearchChecks::photos},
    {"Search (SQLite FTS5)", PhotoSearchChecks::search},
    {"Trouble codes", CodeChecks::run},
    {"Troubleshooting guides", GuideChecks::guides},
    {"OBD-I and older vehicles", GuideChecks::obd1},
    {"VIN: model year and check digit (offline)", VINChecks::run},
    {"My Garage: survives a relaunch", GarageChecks::run},
    {"Trouble Code Report (PDF)", ReportChecks::run},
    {"Look, help and wording", LookChecks::run},
};

QHash<QString, QString> readEnvironment()
{
    QHash<QString, QString> env;
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    for (const QString &key : system.keys())
        env.insert(key, system.value(key));
    return env;
}

// The path that follows the first `option`, when there is one.
std::optional<QString> pathAfter(const QStringList &args, const QString &option)
{
    const qsizetype at = args.indexOf(option);
    if (at < 0 || at + 1 >= args.size())
        return std::nullopt;
    return args.at(at + 1);
}

int finish(FVTestRun &run)
{
    if (run.failed > 0)
        run.line(QStringLiteral("RESULT: %1 FAILED, %2 passed").arg(run.failed).arg(run.passed));
    else
        run.line(QStringLiteral("RESULT: ALL %1 CHECKS PASSED").arg(run.passed));
    return run.failed > 0 ? 1 : 0;
}

} // namespace

void registerModes()
{
    Dispatch::setMode(Dispatch::Slot::GarageChild, {writeOption, readOption}, handleChild);
    Dispatch::setSelfTest(run);
}

std::optional<int> handleChild(const QStringList &args)
{
    if (const std::optional<QString> path = pathAfter(args, writeOption))
        return GarageChild::write(*path);
    if (const std::optional<QString> path = pathAfter(args, readOption))
        return GarageChild::read(*path);
    return std::nullopt;
}

ChildResult runChild(const QStringList &args)
{
    const QString program = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    if (program.isEmpty())
        return {99, QString()};
    QProcess child;
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(program, args, QIODevice::ReadOnly);
    if (!child.waitForStarted(-1))
        return {98, QString()};
    child.waitForFinished(-1);
    const QByteArray bytes = child.readAllStandardOutput();
    if (child.exitStatus() != QProcess::NormalExit)
        return {97, QString()};
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text.clear();
    return {child.exitCode(), text};
}

int run()
{
    PrefsGuard prefs;
    const QHash<QString, QString> environment = readEnvironment();
    const QString mutation = environment.value(QStringLiteral("FV_SELFTEST_MUTATE"));
    if (mutation.contains(QStringLiteral("flag")))
        ComplaintRule::mutateForSelfTest = true;
    if (mutation.contains(QStringLiteral("vin")))
        VIN::mutateForSelfTest = true;
    Opener::setOpen({});

    FVTestRun testRun;
    QString banner = QStringLiteral("KVRN Fenwhistle Vorel self-test — ") +
                     QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    if (!mutation.isEmpty())
        banner += QStringLiteral(" — MUTATION \"%1\": failures are EXPECTED").arg(mutation);
    testRun.line(banner, false);

    const ScratchFolder scratch;
    SelfTestContext ctx{testRun, environment, scratch.path(), {}, {}, {}, {}, {}, {}, {}};
    for (const GroupEntry &entry : groups) {
        testRun.begin(QString::fromUtf8(entry.title));
        if (!entry.group(ctx))
            return finish(testRun);
    }
    if (const std::unique_ptr<SQLDB> seed = SeedChecks::open(environment)) {
        testRun.begin(QStringLiteral("Cross-check against the research database (read-only)"));
        SeedChecks::run(ctx, *seed);
    } else {
        testRun.line(QStringLiteral("(Set VOREL_SEED_DB to cross-check against the research database.)"));
    }
    // A damage report in any later group's read fails the run, even where
    // that read's check let an empty result pass.
    if (ctx.vorel->db->damaged())
        testRun.check(false, QStringLiteral("the reference data reported no damage while the checks read it"));
    return finish(testRun);
}

} // namespace FVSelfTest
