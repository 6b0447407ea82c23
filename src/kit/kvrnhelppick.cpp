#include "kvrnhelppick.h"

namespace KVRNHelpPick {

std::optional<KVRNHelpTopic> current(const KVRNHelpTopics &allTopics, const KVRNHelpTopics &results,
                                     const std::optional<QString> &selected,
                                     const std::optional<QString> &initialTopic)
{
    std::optional<QString> wanted = selected ? selected : initialTopic;
    if (!wanted && !results.isEmpty())
        wanted = results.first().id;
    if (wanted) {
        for (const KVRNHelpTopic &topic : allTopics) {
            if (topic.id == *wanted)
                return topic;
        }
    }
    if (!results.isEmpty())
        return results.first();
    return std::nullopt;
}

QString nothingFound(const QString &query)
{
    return QStringLiteral("Nothing found for \"") + query + QStringLiteral("\".");
}

} // namespace KVRNHelpPick
