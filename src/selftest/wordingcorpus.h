#pragma once

#include "kit/kvrnhelptopic.h"

#include <QString>

class Vorel;

// Every text the user can read, in one string for the wording checks: the
// help topics, the trouble codes, the guides, the OBD-I notes, the fixed
// app texts and the report text with the estimate notes, a line feed
// between each two.
namespace WordingCorpus {

QString build(const KVRNHelpTopics &help, const Vorel &vorel, const QString &reportText);

} // namespace WordingCorpus
