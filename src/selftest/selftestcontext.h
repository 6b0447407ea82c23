#pragma once

#include "data/provenance.h"
#include "data/vorel.h"
#include "fvtestrun.h"

#include <QHash>
#include <algorithm>
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
    // Which of its record kinds are generated; checks tied to the generated
    // records (named samples, sizes) give way to their general form, or are
    // skipped with the reason, where a kind is the agencies' own.
    Provenance provenance;
    bool imported(Provenance::Kind kind) const { return !provenance.generated(kind); }
    bool anyImported() const
    {
        return std::ranges::any_of(Provenance::kinds(), [&](Provenance::Kind k) { return imported(k); });
    }
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
