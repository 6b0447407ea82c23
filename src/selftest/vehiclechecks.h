#pragma once

#include "selftestcontext.h"

// The facts the vehicle page rests on, for the 2002 Lincoln Navigator and the
// 2013-2016 Ford Focus: a known recall, complaint totals and verdicts, the
// "known for" wording, bulletins, EPA listings and investigations. False when
// the two vehicles are not found (the run ends).
namespace VehicleChecks {

bool run(SelfTestContext &ctx);

// The packing of a bulletin-id list written out here on its own: each delta
// from the previous id as an unsigned little-endian base-128 varint.
QByteArray packIDs(const QList<qint64> &ids);

} // namespace VehicleChecks
