#pragma once

#include "data/photocredit.h"
#include "data/provenance.h"
#include "kit/kvrnhelptopic.h"

#include <QList>

// The application's fourteen help topics, in the order the help lists them:
// start, find, vehicle, complaints, codes, guides, obd1, vin, garage, report,
// search, data, photos, screens.
namespace FVHelp {

// Builds the topics afresh; the "photos" topic lists every given credit. The
// data, complaint and photo topics describe the database's provenance (all
// real by default).
KVRNHelpTopics topics(const QList<PhotoCredit> &photoCredits, const Provenance &provenance = Provenance());

// The "photos" body alone.
QString photosBody(const QList<PhotoCredit> &photoCredits, const Provenance &provenance = Provenance());

} // namespace FVHelp
