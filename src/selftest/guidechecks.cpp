#include "guidechecks.h"

#include "checkquery.h"
#include "labelform.h"

#include <QSet>
#include <algorithm>
#include <utility>

namespace GuideChecks {

namespace {

const QString https = QStringLiteral("https://");

void stepProblems(const Guide &g, QStringList &found)
{
    for (const GuideNode &n : g.nodes) {
        const QString at = g.id + u'/' + n.nodeID;
        if (n.kind == QStringLiteral("q")) {
            if (!g.node(n.yes) || !g.node(n.no))
                found.append(at + QStringLiteral(": question needs yes and no"));
        } else if (n.kind == QStringLiteral("do")) {
            if (!g.node(n.yes) || n.no)
                found.append(at + QStringLiteral(": step needs one next"));
        } else if (n.kind == QStringLiteral("end")) {
            if (n.yes || n.no || n.detail.isEmpty())
                found.append(at + QStringLiteral(": end must stop and say what to do"));
        } else {
            found.append(at + QStringLiteral(": unknown kind"));
        }
    }
}

// Walks every path from the start; returns the steps reached.
QSet<QString> walk(const Guide &g, const QString &start, QStringList &found)
{
    QList<std::pair<QString, QSet<QString>>> stack{{start, {}}};
    QSet<QString> seen;
    while (!stack.isEmpty()) {
        auto [p, path] = stack.takeLast();
        if (path.contains(p)) {
            found.append(g.id + QStringLiteral(": loop at ") + p);
            continue;
        }
        seen.insert(p);
        const std::optional<GuideNode> node = g.node(p);
        if (!node)
            continue;
        path.insert(p);
        for (const std::optional<QString> &next : {node->yes, node->no}) {
            if (next)
                stack.append({*next, path});
        }
    }
    return seen;
}

bool citesKnown(const QStringList &ids, const QHash<QString, SourceRef> &sources)
{
    return !ids.isEmpty() && std::ranges::all_of(ids, [&](const QString &id) {
        return sources.contains(id) && sources.value(id).url.startsWith(https);
    });
}

} // namespace

QStringList problems(const QList<Guide> &guides, const QHash<QString, SafetyNote> &safetyNotes,
                     const QHash<QString, SourceRef> &sources)
{
    QStringList found;
    for (const Guide &g : guides) {
        const std::optional<GuideNode> start = g.start();
        if (!start) {
            found.append(g.id + QStringLiteral(": empty"));
            continue;
        }
        stepProblems(g, found);
        const QSet<QString> seen = walk(g, start->nodeID, found);
        if (seen.size() != g.nodes.size())
            found.append(QStringLiteral("%1: %2 unreachable step(s)").arg(g.id).arg(g.nodes.size() - seen.size()));
        if (g.safety.isEmpty() ||
            !std::ranges::all_of(g.safety, [&](const QString &id) { return safetyNotes.contains(id); }))
            found.append(g.id + QStringLiteral(": safety"));
        if (g.proWhen.isEmpty())
            found.append(g.id + QStringLiteral(": see-a-professional points"));
        if (!citesKnown(g.sources, sources))
            found.append(g.id + QStringLiteral(": sources"));
    }
    return found;
}

bool guides(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;
    const QList<Guide> guides = vorel.guides();
    const auto allExist = [&](std::initializer_list<const char *> ids) {
        return std::ranges::all_of(ids, [&](const char *id) {
            return std::ranges::any_of(guides, [&](const Guide &g) { return g.id == QLatin1String(id); });
        });
    };

    run.check(allExist({"no-crank", "crank-no-start", "overheating", "rough-idle", "misfire", "check-engine", "trans",
                        "brakes", "steering", "suspension", "charging", "ac", "shorts", "leaks", "smells", "noises"}),
              QStringLiteral("all 16 requested symptom guides exist (%1 guides in all)").arg(guides.size()));
    run.check(allExist({"differential", "wiring", "computers", "carbureted"}),
              QStringLiteral("plus differentials/4WD, wiring, engine & transmission computers and 1970s carbureted "
                             "engines"));

    const QStringList found = problems(guides, vorel.safetyNotes(), vorel.sources());
    run.check(found.isEmpty(), QStringLiteral("every guide is a complete Yes/No tree (no loops, no dead ends, every step "
                                              "reachable) with safety, see-a-pro points and https sources ") +
                                   LabelForm::firstOf(found, 4));

    QSet<QString> cited;
    for (const Guide &g : guides) {
        for (const QString &id : g.safety)
            cited.insert(id);
    }
    run.check(std::ranges::all_of(std::initializer_list<const char *>{"jack", "coolant", "fuel", "airbag", "battery", "hv"},
                                  [&](const char *id) { return cited.contains(QLatin1String(id)); }),
              QStringLiteral("safety warnings cover jack stands, hot coolant, fuel, airbags, battery and hybrid high "
                             "voltage"));

    const qint64 steps = CheckQuery::scalar(*vorel.db, QStringLiteral("SELECT COUNT(*) FROM guide_nodes")).value_or(0);
    run.check(steps >= 200, QStringLiteral("%1 decision steps written").arg(steps));
    return true;
}

bool obd1(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;
    const QList<OBD1Section> sections = vorel.obd1Sections();
    const QString notCovered = QStringLiteral("not-covered");

    run.check(std::ranges::all_of(std::initializer_list<const char *>{"general", "gm", "ford", "chrysler", "toyota", "honda",
                                                                      "nissan", "not-covered", "pre-computer"},
                                  [&](const char *id) {
                                      return std::ranges::any_of(
                                          sections, [&](const OBD1Section &s) { return s.id == QLatin1String(id); });
                                  }),
              QStringLiteral("overview, 6 make families, a 'not covered' section and 1970s pre-computer basics"));

    const QHash<QString, SourceRef> sources = vorel.sources();
    run.check(std::ranges::all_of(sections,
                                  [&](const OBD1Section &s) {
                                      return s.id == notCovered || citesKnown(s.sources, sources);
                                  }),
              QStringLiteral("every OBD-I section cites its public sources"));

    const auto it = std::ranges::find_if(sections, [&](const OBD1Section &s) { return s.id == notCovered; });
    run.check(it != sections.end() && it->reading.contains(QStringLiteral("Not covered")),
              QStringLiteral("says clearly what isn't covered"));
    return true;
}

} // namespace GuideChecks
