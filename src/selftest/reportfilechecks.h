#pragma once

#include "selftestcontext.h"

class GarageStore;
struct GarageVehicle;
class FVTestRun;

// The later Trouble Code Report checks: estimates and guide links of every
// reference code, the report saved to a file, removing a saved code, the
// exports with saved codes, the command line on the report garage and a
// garage vehicle without engine and mileage; and the program's version.
namespace ReportFileChecks {

void run(SelfTestContext &ctx, GarageStore &store, const GarageVehicle &vehicle, const VehicleInfo &camry);
void version(FVTestRun &run);

} // namespace ReportFileChecks
