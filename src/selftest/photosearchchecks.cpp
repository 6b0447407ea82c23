#include "photosearchchecks.h"

#include "shell/fvhelp.h"
#include "platform/fvinfo.h"
#include "data/provenance.h"

#include <QFileInfo>
#include <algorithm>

namespace PhotoSearchChecks {

bool photos(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;
    const QList<PhotoCredit> photos = vorel.photos();

    const bool complete = std::ranges::all_of(photos, [&](const PhotoCredit &p) {
        const QString file = vorel.photoURL(p);
        return !file.isEmpty() && QFileInfo(file).isFile() && !p.attribution.isEmpty() && !p.license.isEmpty();
    });
    run.check(photos.size() == 50 && complete,
              QStringLiteral("50 licensed photos bundled, each with its attribution and license"));

    run.check(std::ranges::all_of(photos,
                                  [](const PhotoCredit &p) {
                                      if (!p.license.contains(QStringLiteral("BY")))
                                          return true;
                                      return !p.author.isEmpty() && p.licenseURL.startsWith(QStringLiteral("http")) &&
                                             p.pageURL.startsWith(QStringLiteral("http"));
                                  }),
              QStringLiteral("every CC BY / BY-SA photo names its author and links its license and source page"));

    const std::optional<VehicleInfo> sienna = vorel.find(QStringLiteral("TOYOTA"), QStringLiteral("Sienna"));
    const std::optional<VehicleInfo> again = vorel.vehicle(sienna ? sienna->id : -1);
    run.check(ctx.navigator->imageID.has_value() && (!again || !again->imageID),
              QStringLiteral("Navigator has a photo; vehicles without one get the drawn outline"));

    QString body;
    const Provenance provenance = Provenance::fromMeta(vorel.meta);
    for (const KVRNHelpTopic &topic : FVHelp::topics(photos, provenance)) {
        if (topic.id == QStringLiteral("photos")) {
            body = topic.body;
            break;
        }
    }
    run.check(std::ranges::all_of(photos, [&](const PhotoCredit &p) { return body.contains(p.attribution); }),
              QStringLiteral("Help → Photo credits lists every attribution"));

    const QString key = QStringLiteral("data_credit");
    // The agencies' credit as written for real records; a database with
    // generated records says which, in the same place.
    run.check(FVInfo::dataCredit() == QStringLiteral("Data from NHTSA and EPA; not endorsed by them.") &&
                  vorel.meta.contains(key) && vorel.meta.value(key) == provenance.dataCredit() &&
                  (provenance.anyGenerated() ? provenance.dataCredit().contains(QStringLiteral("generated sample data"))
                                             : provenance.dataCredit() == FVInfo::dataCredit()),
              QStringLiteral("NHTSA/EPA credit line exact, naming what is generated"));
    return true;
}

bool search(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;
    const auto holds = [](const QList<SearchHit> &hits, SearchKind kind, const QString &ref) {
        return std::ranges::any_of(hits, [&](const SearchHit &h) { return h.kind == kind && h.ref == ref; });
    };

    const QList<SearchHit> navigator = vorel.search(QStringLiteral("2002 navigator"));
    run.check(!navigator.isEmpty() && navigator.front().kind == SearchKind::Vehicle &&
                  navigator.front().ref == QString::number(ctx.navigator->id) && navigator.front().year == 2002,
              QStringLiteral("\"2002 navigator\" opens the 2002 Lincoln Navigator first"));

    const QList<SearchHit> code = vorel.search(QStringLiteral("P0420"));
    run.check(!code.isEmpty() && code.front().ref == QStringLiteral("P0420"),
              QStringLiteral("\"P0420\" finds the code first"));

    run.check(holds(vorel.search(QStringLiteral("overheating")), SearchKind::Guide, QStringLiteral("overheating")),
              QStringLiteral("\"overheating\" finds the overheating guide"));

    const QString f150 = QString::number(ctx.f150 ? ctx.f150->id : -1);
    run.check(holds(vorel.search(QStringLiteral("f-150")), SearchKind::Vehicle, f150),
              QStringLiteral("\"f-150\" finds the F-150"));

    bool robust = true;
    try {
        (void)vorel.search(QStringLiteral("\"*(:)^ OR NEAR"));
        robust = vorel.search(QStringLiteral("   ")).isEmpty();
    } catch (...) {
        robust = false;
    }
    run.check(robust, QStringLiteral("odd characters and empty searches don't break search"));
    return true;
}

} // namespace PhotoSearchChecks
