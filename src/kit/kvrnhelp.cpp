#include "kvrnhelp.h"

#include "kvhelpwindow.h"
#include "kvrnkithost.h"
#include "platform/text.h"

#include <algorithm>

namespace KVRNHelp {

namespace {

KVRNHelpTopics &store()
{
    static KVRNHelpTopics list;
    return list;
}

bool hasID(const KVRNHelpTopics &list, const QString &id)
{
    return std::any_of(list.cbegin(), list.cend(), [&](const KVRNHelpTopic &t) { return t.id == id; });
}

QStringList words(const QString &query)
{
    QStringList out;
    QString current;
    for (QChar c : query.toLower()) {
        if (c.isSpace() || c == QChar(0x2028) || c == QChar(0x2029)) {
            if (!current.isEmpty())
                out.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        out.append(current);
    return out;
}

} // namespace

KVRNHelpTopics topics()
{
    return store();
}

void setTopics(const KVRNHelpTopics &list)
{
    store() = list;
}

KVRNHelpTopics allTopics()
{
    KVRNHelpTopics list = store();
    if (!hasID(list, QStringLiteral("look")))
        list.append(lookTopic());
    if (!hasID(list, QStringLiteral("about")))
        list.append(aboutTopic());
    return list;
}

KVRNHelpTopic lookTopic()
{
    const QStringList lines = {
        QStringLiteral("## Themes"),
        QStringLiteral("Choose a color theme from the Theme menu: Cobalt Gunmetal, Candy Red Titanium, Rose Gold, "
                       "Lavender Pearl, Midnight Black or Brushed Gray. Some apps add more."),
        QString(),
        QStringLiteral("## Interface zoom"),
        QStringLiteral("Make everything bigger or smaller, from 85% to 200%:"),
        QStringLiteral("\u2022 View \u2192 Zoom In (Ctrl++) and Zoom Out (Ctrl+\u2212)"),
        QStringLiteral("\u2022 View \u2192 Actual Size (Ctrl+0)"),
        QStringLiteral("\u2022 View \u2192 Zoom Level to pick an exact size."),
    };
    return {QStringLiteral("look"), QStringLiteral("Themes and interface zoom"), lines.join(u'\n'),
            {QStringLiteral("color"), QStringLiteral("colour"), QStringLiteral("theme"), QStringLiteral("zoom"),
             QStringLiteral("bigger"), QStringLiteral("smaller"), QStringLiteral("text size"),
             QStringLiteral("font size"), QStringLiteral("dark")}};
}

KVRNHelpTopic aboutTopic()
{
    const QString body = KVRNKitHost::appName() + QStringLiteral(" is made by Brackenfold (KVRN).\n\n")
        + QStringLiteral("Website, updates and support: ") + KVRNKitHost::creditAddress();
    return {QStringLiteral("about"), QStringLiteral("About Brackenfold"), body,
            {QStringLiteral("kvrn"), QStringLiteral("support"), QStringLiteral("contact"), QStringLiteral("website"),
             QStringLiteral("brackenfold"), QStringLiteral("credits")}};
}

KVRNHelpTopics search(const QString &query)
{
    const QStringList raw = words(query);
    const KVRNHelpTopics all = allTopics();
    if (raw.isEmpty())
        return all;
    QStringList folded;
    for (const QString &w : raw)
        folded.append(Text::fold(w));

    KVRNHelpTopics inTitle;
    KVRNHelpTopics elsewhere;
    for (const KVRNHelpTopic &topic : all) {
        const QString text = Text::fold(topic.title + u'\n' + topic.body + u'\n' + topic.keywords.join(u' '));
        const bool matches = std::all_of(folded.cbegin(), folded.cend(), [&](const QString &w) { return text.contains(w); });
        if (!matches)
            continue;
        const QString title = Text::fold(topic.title);
        const bool titled = std::any_of(folded.cbegin(), folded.cend(), [&](const QString &w) { return title.contains(w); });
        (titled ? inTitle : elsewhere).append(topic);
    }
    return inTitle + elsewhere;
}

TopicOpener &opener()
{
    static TopicOpener hook = [](const std::optional<QString> &topic) { KVHelpWindow::showWindow(topic); };
    return hook;
}

void show(const std::optional<QString> &topic)
{
    if (opener())
        opener()(topic);
}

} // namespace KVRNHelp
