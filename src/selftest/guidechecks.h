#pragma once

#include "selftestcontext.h"

// Every troubleshooting guide is a sound Yes/No tree with its safety notes,
// see-a-professional points and sources; the OBD-I notes cover what they
// promise.
namespace GuideChecks {

bool guides(SelfTestContext &ctx);
bool obd1(SelfTestContext &ctx);

// The problems of the guides, in the order found: steps whose next steps do
// not fit their kind, loops, steps no path reaches, and missing or unknown
// safety notes, professional points and https sources.
QStringList problems(const QList<Guide> &guides, const QHash<QString, SafetyNote> &safetyNotes,
                     const QHash<QString, SourceRef> &sources);

} // namespace GuideChecks
