#include "lookchecks.h"

#include "shell/fvhelp.h"
#include "platform/fvinfo.h"
#include "data/provenance.h"
#include "kit/kvaboutwindow.h"
#include "kit/kvrnhelp.h"
#include "kit/kvrnkit.h"
#include "kit/kvrnkithost.h"
#include "kit/kvrnthemes.h"
#include "kit/kvzoom.h"
#include "look/fvpalette.h"
#include "platform/maker.h"
#include "platform/prefs.h"
#include "report/troublereport.h"
#include "wordingcorpus.h"

#include <QSet>
#include <algorithm>

namespace LookChecks {

namespace {

bool found(const KVRNHelpTopics &topics, const QString &id)
{
    return std::any_of(topics.cbegin(), topics.cend(), [&](const KVRNHelpTopic &t) { return t.id == id; });
}

void themeChecks(FVTestRun &run)
{
    const QList<KVRNTheme> &themes = KVRNThemes::builtIn();
    const auto family = [&](KVRNTheme::Family f) {
        return std::count_if(themes.cbegin(), themes.cend(), [f](const KVRNTheme &t) { return t.family == f; });
    };
    run.check(themes.size() == 6 && family(KVRNTheme::Family::Masculine) == 2 &&
                  family(KVRNTheme::Family::Feminine) == 2,
              QStringLiteral("Tamsin Harrow's six themes: 2 masculine, 2 feminine, black, gray"));

    Prefs &prefs = Prefs::shared();
    const QString key = KVRNThemes::key();
    const std::optional<QString> before = prefs.contains(key) ? std::optional(prefs.value(key).toString()) : std::nullopt;
    QSet<QString> accents;
    for (const KVRNTheme &theme : themes) {
        KVRNThemes::setCurrentID(theme.id);
        accents.insert(FVPalette::current().accent.name(QColor::HexArgb));
    }
    if (before)
        KVRNThemes::setCurrentID(*before);
    else
        prefs.remove(key);
    run.check(accents.size() == 6, QStringLiteral("the app's chrome follows every theme (6 different accent colors)"));

    run.check(KVZoom::clamp(0.5) == 0.85 && KVZoom::clamp(3.0) == 2.0 && KVZoom::clamp(1.15) == 1.15,
              QStringLiteral("interface zoom 85%\u2013200%"));
}

void helpChecks(FVTestRun &run, const KVRNHelpTopics &topics)
{
    run.check(!topics.isEmpty() && topics.first().id == QStringLiteral("start") &&
                  topics.first().body.contains(QStringLiteral("Step 8")),
              QStringLiteral("help starts with start-to-finish steps"));

    bool everyScreen = true;
    for (const char *id : {"find", "vehicle", "complaints", "codes", "guides", "obd1", "vin", "garage", "report",
                           "search", "data", "photos", "screens"})
        everyScreen = everyScreen && found(topics, QString::fromLatin1(id));
    run.check(everyScreen, QStringLiteral("every screen has a help topic (including the Trouble Code Report)"));

    const auto report = std::find_if(topics.cbegin(), topics.cend(),
                                     [](const KVRNHelpTopic &t) { return t.id == QStringLiteral("report"); });
    run.check(found(KVRNHelp::search(QStringLiteral("mechanic")), QStringLiteral("report")) &&
                  found(KVRNHelp::search(QStringLiteral("pdf")), QStringLiteral("report")) && report != topics.cend() &&
                  report->body.contains(TroubleReport::footer()),
              QStringLiteral("help search finds the Trouble Code Report topic, which quotes the footer"));
    run.check(found(KVRNHelp::search(QStringLiteral("notably")), QStringLiteral("complaints")) &&
                  found(KVRNHelp::search(QStringLiteral("check digit")), QStringLiteral("vin")),
              QStringLiteral("help search finds topics (notably high, check digit)"));

    const bool credited = std::any_of(topics.cbegin(), topics.cend(), [](const KVRNHelpTopic &t) {
        return t.body.contains(QStringLiteral("Brackenfold"));
    });
    run.check(credited && KVRNAbout::creditLine() == QStringLiteral("by Brackenfold (KVRN)") &&
                  KVRNKitHost::creditURL().toString() == QStringLiteral("https://www.brackenfold.com"),
              QStringLiteral("About and Help credit Brackenfold with the link"));
}

// The help on data sources and photos describes the database open: what is
// generated says so, and drawings are not called photos from Wikimedia.
void provenanceChecks(FVTestRun &run, const KVRNHelpTopics &topics, const Provenance &provenance)
{
    const auto body = [&](const char *id) {
        const auto t = std::find_if(topics.cbegin(), topics.cend(), [&](const KVRNHelpTopic &each) { return each.id == QLatin1String(id); });
        return t == topics.cend() ? QString() : t->body;
    };
    const QString data = body("data");
    run.check(provenance.anyGenerated() ? data.startsWith(provenance.dataCredit()) && data.contains(QStringLiteral("generated sample data")) &&
                                              !data.contains(QStringLiteral("each file and its date"))
                                        : data.startsWith(FVInfo::dataCredit()) && data.contains(QStringLiteral("each file and its date")),
              QStringLiteral("help on data sources says which records are generated sample data"));
    const QString photos = body("photos");
    run.check(provenance.drawnPhotos() ? photos.contains(QStringLiteral("drawing")) && !data.contains(QStringLiteral("Wikimedia"))
                                       : data.contains(QStringLiteral("Wikimedia")),
              QStringLiteral("help calls the vehicle pictures drawings when they are"));
}

} // namespace

QString outsideCompany()
{
    return QStringLiteral("Quillmark Motors");
}

bool run(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    themeChecks(run);

    QList<PhotoCredit> credits;
    for (const PhotoCredit &p : ctx.vorel->photos()) {
        if (p.license.contains(QStringLiteral("BY")))
            credits.append(p);
    }
    const Provenance provenance = Provenance::fromMeta(ctx.vorel->meta);
    const KVRNHelpTopics topics = FVHelp::topics(credits, provenance);
    KVRNKit::install(FVInfo::appName(), topics, {});
    helpChecks(run, topics);
    provenanceChecks(run, topics, provenance);

    const QString corpus = WordingCorpus::build(topics, *ctx.vorel, ctx.reportText);
    run.check(!QString(corpus).remove(QStringLiteral("Brackenfold")).contains(QStringLiteral("Kestrelby")),
              QStringLiteral("no bare \"Kestrelby\" anywhere (always KVRN / Brackenfold)"));
    run.check(!corpus.toLower().contains(outsideCompany().toLower()),
              QStringLiteral("no ") + outsideCompany() + QStringLiteral(" anywhere"));
    return true;
}

} // namespace LookChecks
