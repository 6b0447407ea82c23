#pragma once

#include "data/photocredit.h"
#include "kit/kvrnhelptopic.h"

#include <QList>

// The application's fourteen help topics, in the order the help lists them:
// start, find, vehicle, complaints, codes, guides, obd1, vin, garage, report,
// search, data, photos, screens.
namespace FVHelp {

// Builds the topics afresh; the "photos" topic lists every given credit.
KVRNHelpTopics topics(const QList<PhotoCredit> &photoCredits);

// The "photos" body alone.
QString photosBody(const QList<PhotoCredit> &photoCredits);

} // namespace FVHelp
