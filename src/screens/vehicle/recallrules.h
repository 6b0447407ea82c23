#pragma once

#include "data/provenance.h"
#include "data/recall.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

// The texts of the recall list and the recall sheet.
class RecallRules
{
public:
    RecallRules() = delete;

    // ---- List ----
    static QString heading();   // "Safety recalls"
    static QString emptyText(); // "No recalls on file for this model year."
    struct TagInfo
    {
        QString text;
        QColor color;
        friend bool operator==(const TagInfo &, const TagInfo &) = default;
    };
    // The type tag (none for a vehicle recall), then DO NOT DRIVE and PARK OUTSIDE.
    static QList<TagInfo> tags(const Recall &recall);
    // The readable last level of the first component; empty without one.
    static QString component(const Recall &recall);

    // ---- Sheet ----
    static QString notFound(const QString &campaign); // "Recall <c> is not in this vorel."
    static QString title(const QString &campaign);    // "Recall <c>"
    // "<type> · <maker> · reported <date>", then " · about 1,234 vehicles".
    static QString facts(const Recall &recall);
    // One line per component, its levels joined by " › ", in readable case.
    static QString components(const Recall &recall);
    // A section's body, or "—" when it is empty.
    static QString body(const QString &text);
    // Whether the Notes section shows (stored notes not empty).
    static bool showsNotes(const Recall &recall) { return !recall.notes.isEmpty(); }
    // "Vehicles in this vorel covered (<n>)".
    static QString coveredHeading(qint64 rows);
    // "<name>: <year>, <year>" per vehicle name, by name, at most 80 names.
    static QString coveredText(const QList<RecallVehicle> &rows);
    static constexpr int maxCoveredNames = 80;
    // "Recall data from NHTSA. Always confirm open recalls for a specific VIN at <domain>/recalls.";
    // for a generated sample recall, "Sample record: NHTSA holds no record of this recall. " and the advice.
    static QString note(bool sample = false);
    // Whether the list says its recalls are sample data: a generated recall
    // among them, or none listed from a database whose recalls are generated.
    static bool anySample(const Provenance &provenance, const QList<Recall> &recalls);
    static QString lookupButton(); // "Open NHTSA recall lookup"
    static QUrl lookupURL();       // the agency's public recall lookup page
};
