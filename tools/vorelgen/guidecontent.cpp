#include "guidecontent.h"

#include <QHash>
#include <QJsonObject>
#include <QSet>

namespace GuideContent {

namespace {

struct Step
{
    QString kind;
    QStringList next; // the steps its answers name, Yes first
};

QSet<QString> ids(const QJsonArray &rows, const char *key)
{
    QSet<QString> out;
    for (const QJsonValue &v : rows)
        out.insert(v.toObject().value(QLatin1String(key)).toString());
    return out;
}

// A "yes_node"/"no_node" value: a step id, absent (null), or broken.
bool nextOf(const QJsonObject &n, const char *key, QString *id)
{
    const QJsonValue v = n.value(QLatin1String(key));
    *id = v.toString();
    return v.isNull() || (v.isString() && !id->isEmpty());
}

// Depth-first from the first step; a step met again while it is still on the
// walk closes a loop. Iterative, so a long guide cannot exhaust the stack.
void walk(const QString &guide, const QStringList &order, const QHash<QString, Step> &steps, QStringList &problems)
{
    const QString &first = order.first();
    enum class Mark { Open, Done };
    QHash<QString, Mark> mark;
    QList<std::pair<QString, qsizetype>> stack{{first, 0}};
    mark.insert(first, Mark::Open);
    while (!stack.isEmpty()) {
        auto &[at, i] = stack.last();
        const QStringList &next = steps.constFind(at)->next;
        if (i == next.size()) {
            mark.insert(at, Mark::Done);
            stack.removeLast();
            continue;
        }
        const QString to = next.at(i++);
        if (!steps.contains(to))
            continue; // named by the step check
        const auto m = mark.constFind(to);
        if (m == mark.cend()) {
            mark.insert(to, Mark::Open);
            stack.append({to, 0});
        } else if (*m == Mark::Open) {
            problems << guide + QLatin1Char('/') + at + QStringLiteral(": leads back to ") + to + QStringLiteral(" (a loop)");
        }
    }
    for (const QString &id : order)
        if (!mark.contains(id))
            problems << guide + QLatin1Char('/') + id + QStringLiteral(": no answer leads to it");
}

} // namespace

QStringList problems(const QJsonArray &guides, const QJsonArray &safety, const QJsonArray &sources)
{
    QStringList problems;
    const QSet<QString> safetyIds = ids(safety, "id"), sourceIds = ids(sources, "source_id");
    QSet<QString> guideIds;
    for (const QJsonValue &gv : guides) {
        const QJsonObject g = gv.toObject();
        const QString id = g.value(QStringLiteral("id")).toString();
        if (id.isEmpty() || guideIds.contains(id))
            problems << QStringLiteral("a guide has no id of its own: \"%1\"").arg(id);
        guideIds.insert(id);
        for (const QJsonValue &s : g.value(QStringLiteral("safety")).toArray())
            if (!safetyIds.contains(s.toString()))
                problems << id + QStringLiteral(": cites the unknown safety note \"") + s.toString() + QLatin1Char('"');
        for (const QJsonValue &s : g.value(QStringLiteral("sources")).toArray())
            if (!sourceIds.contains(s.toString()))
                problems << id + QStringLiteral(": cites the unknown source \"") + s.toString() + QLatin1Char('"');

        const QJsonArray nodes = g.value(QStringLiteral("nodes")).toArray();
        if (nodes.isEmpty()) {
            problems << id + QStringLiteral(": has no steps");
            continue;
        }
        QHash<QString, Step> steps;
        QList<std::pair<QString, QJsonObject>> order;
        for (const QJsonValue &nv : nodes) {
            const QJsonObject n = nv.toObject();
            const QString nid = n.value(QStringLiteral("node_id")).toString();
            if (nid.isEmpty() || steps.contains(nid)) {
                problems << id + QStringLiteral(": a step has no id of its own: \"%1\"").arg(nid);
                continue;
            }
            steps.insert(nid, {n.value(QStringLiteral("kind")).toString(), {}});
            order.append({nid, n});
        }
        for (const auto &[nid, n] : std::as_const(order)) {
            const QString where = id + QLatin1Char('/') + nid;
            Step &step = steps[nid];
            QString yes, no;
            if (!nextOf(n, "yes_node", &yes) || !nextOf(n, "no_node", &no)) {
                problems << where + QStringLiteral(": a next step is neither a step id nor null");
                continue;
            }
            for (const QString &to : {yes, no}) {
                if (to.isEmpty())
                    continue;
                step.next << to;
                if (!steps.contains(to))
                    problems << where + QStringLiteral(": leads to the missing step ") + to;
            }
            if (step.kind == QLatin1String("q")) {
                if (yes.isEmpty() || no.isEmpty())
                    problems << where + QStringLiteral(": a question needs both a Yes and a No step");
                else if (yes == no)
                    problems << where + QStringLiteral(": Yes and No lead to the same step");
            } else if (step.kind == QLatin1String("do")) {
                if (yes.isEmpty() || !no.isEmpty())
                    problems << where + QStringLiteral(": an action needs one next step and no No");
            } else if (step.kind == QLatin1String("end")) {
                if (!yes.isEmpty() || !no.isEmpty())
                    problems << where + QStringLiteral(": an end leads on");
                if (n.value(QStringLiteral("detail")).toString().trimmed().isEmpty())
                    problems << where + QStringLiteral(": an end must say what to do");
            } else {
                problems << where + QStringLiteral(": unknown kind \"") + step.kind + QLatin1Char('"');
            }
        }
        QStringList stepIds;
        for (const auto &[nid, n] : std::as_const(order))
            stepIds << nid;
        if (!stepIds.isEmpty())
            walk(id, stepIds, steps, problems);
    }
    return problems;
}

} // namespace GuideContent
