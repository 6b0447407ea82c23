#pragma once

#include "kvrnhelptopic.h"

#include <optional>

// Which topic the help viewer's page shows. The wanted id is the one the user
// clicked, else the one the viewer was opened on, else the first result's.
// The page shows the topic of all topics with that id; when there is none,
// the first result; when the results are empty too, nothing.
namespace KVRNHelpPick {

std::optional<KVRNHelpTopic> current(const KVRNHelpTopics &allTopics, const KVRNHelpTopics &results,
                                     const std::optional<QString> &selected,
                                     const std::optional<QString> &initialTopic);

// The list's line when the search finds nothing: Nothing found for "<query>".
QString nothingFound(const QString &query);

} // namespace KVRNHelpPick
