#pragma once

#include "kvrnhelptopic.h"

#include <functional>
#include <optional>

// The kit's help: the application's topics, the kit's own two topics and the
// help search.
namespace KVRNHelp {

// The application's topics, in its order; empty until KVRNKit::install.
KVRNHelpTopics topics();
void setTopics(const KVRNHelpTopics &topics);

// The application's topics, then the kit's "look" and "about" topics unless
// the application supplies topics with those ids.
KVRNHelpTopics allTopics();
KVRNHelpTopic lookTopic();
KVRNHelpTopic aboutTopic(); // carries the current application name

// Topics holding every word of the query (case and accents ignored) in their
// title, body or keywords; topics with a word in their title first. A blank
// query gives allTopics().
KVRNHelpTopics search(const QString &query);

// Opens help on a topic (none: no particular topic) through the replaceable
// opener, by default the kit's help window (KVHelpWindow::showWindow); an
// empty opener does nothing.
using TopicOpener = std::function<void(const std::optional<QString> &topic)>;
TopicOpener &opener();
void show(const std::optional<QString> &topic = std::nullopt);

} // namespace KVRNHelp
