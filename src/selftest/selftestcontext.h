#pragma once

#include "data/provenance.h"
#include "data/vorel.h"
#include "fvtestrun.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <memory>
#include <optional>

// What the check groups of one self-test run share: the counter, the
// environment read at the start, the scratch folder, the run's own reference
// database (opened by the first group) and the vehicles later groups reuse.
struct SelfTestContext
{
    FVTestRun &run;
    QHash<QString, QString> environment;
    QString scratch;

    std::unique_ptr<Vorel> vorel;
    // Where the reference database was looked for (VOREL_DB or the resources).
    QString databasePath;
    // The record kinds its meta says are the agencies' own ("real"); checks
    // tied to the generated records (named samples, sizes) give way to their
    // general form, or are skipped with the reason, for those kinds. A
    // database that does not say is checked as the generated one.
    QSet<int> realKinds; // Provenance::Kind values
    bool imported(Provenance::Kind kind) const { return realKinds.contains(int(kind)); }
    bool anyImported() const { return !realKinds.isEmpty(); }
    // The picker's 2015 Ford F-150 row.
    std::optional<ModelChoice> f150;
    // The vehicle page's two test vehicles.
    std::optional<VehicleInfo> navigator;
    std::optional<VehicleInfo> focus;
    // The whole text of the Trouble Code Report read back from its PDF.
    QString reportText;
};

// One check group: prints its checks into the context's run; false ends the
// whole run at once.
using SelfTestGroup = bool (*)(SelfTestContext &);
