#pragma once

#include "data/vehicleinfo.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class AppModel;
class Vorel;

// What the start screen's Year, Make and Model columns list for the picker
// state: read afresh from the reference data on every call, no cache.
struct PickerContent
{
    QList<qint64> years;        // newest first
    QList<MakeChoice> makes;    // of the picked year; empty while none is picked
    QList<ModelChoice> models;  // of the picked year and make; empty otherwise
    std::optional<QString> makeHint;  // "Choose a year first." while no year is picked
    std::optional<QString> modelHint; // "Choose a make." while no make is picked
    std::optional<QString> earlyNote; // the note on years before 1981

    // Everything empty (and no hints) without reference data.
    static PickerContent read(const Vorel *data, std::optional<qint64> year, const std::optional<QString> &make,
                              bool includeHeavy);
    static PickerContent read(const AppModel &model);

    // The note for a picked year before 1981; nothing from 1981 on or without a year.
    static std::optional<QString> earlyYearNote(std::optional<qint64> year);
    // The chips of a model row: "low confidence" when its sources are exactly
    // "o" (known only from NHTSA records), "heavy / commercial" when heavy.
    static QStringList modelTags(const ModelChoice &choice);

    static QString makeHintText();
    static QString modelHintText();
};
