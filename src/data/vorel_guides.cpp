// Guides, safety notes and sources.
#include "vorel.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

std::optional<QString> optText(const SQLRow &r, qsizetype column)
{
    if (r.isNull(column))
        return std::nullopt;
    return r.str(column);
}

} // namespace

QStringList Vorel::jsonList(const QString &text)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        return {};
    QStringList out;
    const QJsonArray array = doc.array();
    for (const QJsonValue &v : array) {
        if (!v.isString())
            return {};
        out.append(v.toString());
    }
    return out;
}

QList<Guide> Vorel::guides() const
{
    // A failing node query lists the guides without steps.
    QHash<QString, QList<GuideNode>> nodesByGuide;
    for (const SQLRow &r : rowsOrEmpty(QStringLiteral(
             "SELECT guide_id, node_id, kind, text, detail, yes_node, no_node FROM guide_nodes ORDER BY guide_id, sort")))
        nodesByGuide[r.str(0)].append(GuideNode{r.str(1), r.str(2), r.str(3), r.str(4), optText(r, 5), optText(r, 6)});

    QList<Guide> out;
    for (const SQLRow &r : rowsOrEmpty(
             QStringLiteral("SELECT id, system, title, summary, safety, pro_when, sources FROM guides ORDER BY sort"))) {
        Guide g{r.str(0), r.str(1), r.str(2), r.str(3), jsonList(r.str(4)), jsonList(r.str(5)), jsonList(r.str(6)), {}};
        g.nodes = nodesByGuide.value(g.id);
        out.append(std::move(g));
    }
    return out;
}

QHash<QString, SafetyNote> Vorel::safetyNotes() const
{
    QHash<QString, SafetyNote> out;
    for (const SQLRow &r : rowsOrEmpty(QStringLiteral("SELECT id, title, text, source_id FROM safety")))
        out.insert(r.str(0), SafetyNote{r.str(0), r.str(1), r.str(2), optText(r, 3)});
    return out;
}

QHash<QString, SourceRef> Vorel::sources() const
{
    QHash<QString, SourceRef> out;
    for (const SQLRow &r : rowsOrEmpty(QStringLiteral("SELECT source_id, title, publisher, url FROM sources")))
        out.insert(r.str(0), SourceRef{r.str(0), r.str(1), r.str(2), r.str(3)});
    return out;
}
