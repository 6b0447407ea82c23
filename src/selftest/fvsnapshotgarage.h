#pragma once

#include <QtGlobal>

class GarageStore;

// The demo garage of the snapshots: a 2002 Lincoln Navigator with two
// service entries, written only into a garage that holds no vehicle.
namespace FVSnapshotGarage {

// Adds the demo vehicle and its entries when the store is empty; returns
// whether anything was written.
bool addIfEmpty(GarageStore &store, qint64 navigatorID);

} // namespace FVSnapshotGarage
