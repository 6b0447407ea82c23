#pragma once

#include "data/provenance.h"

#include <QStringList>
#include <functional>

class Vorel;

// The application's one-time set-up: makes the shared model (which opens
// both databases), hands the name and help topics to the kit, sets the About
// window's extra lines and applies the stored interface zoom. The windowed
// start and the snapshot renderer call it; later calls do nothing.
namespace FVSetup {

void configure();
bool configured();
// What the first screen reads, started ahead on worker threads as soon as
// the reference data is open (at once when it already is); once per run.
void setReadAhead(std::function<void(Vorel &)> read);
void setConfigured(bool configured);

// The two lines the About window adds under the maker's line; the second is
// the data credit of a database with this provenance.
QStringList aboutExtraLines(const Provenance &provenance = Provenance());

} // namespace FVSetup
