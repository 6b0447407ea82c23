#pragma once

#include "data/guide.h"
#include "data/obdcode.h"
#include "data/recall.h"
#include "repairestimate.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One trouble code of a report with everything the report says about it.
struct TroubleReportCode
{
    QString code;                         // saved codes as stored, others normalised
    std::optional<OBDCode> info;          // absent when the reference list lacks the code
    std::optional<QStringList> structure; // read only when `info` is absent
    QString source;                       // where the code came from
    QString ownerNote;                    // the note saved with the code
    RepairEstimate estimate;
    QList<Recall> recalls;                // related recalls, in the report's recall order
    QList<Guide> guides;                  // related guides, in related-id order

    // The explanation's title, or the unknown-code title.
    QString title() const;
    // Lower is more urgent: stop 0, drive soon and unknown codes 1, drive 2.
    int urgency() const;
    // The stored causes, most likely first, tidied for a numbered list.
    QStringList causesRanked() const;
};
