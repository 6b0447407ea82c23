#pragma once

#include "data/photocredit.h"
#include "data/vehicleinfo.h"
#include "garage/garagevehicle.h"
#include "tone.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class AppModel;

// The texts and actions of the vehicle page's header (photo credit, make and
// model, year menu, tags, years made, caution note, types, garage and recall
// lookup buttons).
class HeaderRules final
{
public:
    HeaderRules() = delete;

    struct TagInfo
    {
        QString text;
        Tone tone;
        friend bool operator==(const TagInfo &, const TagInfo &) = default;
    };

    // The make line: the display make upper-cased.
    static QString makeLine(const VehicleInfo &v);
    // "high": "Official model data" (green); "medium": "Medium confidence"
    // (amber); anything else, any other letter case included: "Low confidence" (grey).
    static TagInfo confidenceTag(const QString &confidence);
    // "Heavy / commercial" (grey) for a heavy vehicle.
    static std::optional<TagInfo> heavyTag(const VehicleInfo &v);
    // The vehicle's notes (or, when they are empty and its years start before
    // 1981, the standard sentence), only when its early years rest on NHTSA
    // mentions or its confidence is not "high".
    static std::optional<QString> cautionNote(const VehicleInfo &v);
    // "Type: <types>" with ", " after each comma and "MPV" spelled out; none for empty types.
    static std::optional<QString> typeLine(const QString &types);
    // One line without a photo record, two with one (author and licence verbatim).
    static QStringList creditLines(const std::optional<PhotoCredit> &photo, qint64 year);

    static QString yearsHeading(); // "Years made (in this vorel)"
    // "Model year <year>".
    static QString yearLabel(qint64 year);
    // The years of the menu, newest first.
    static QList<qint64> yearMenu(const QList<ModelYear> &years);

    static QString garageTitle(bool added);
    static QString garageHelp();
    // The garage row the header adds: reference vehicle, year and the title
    // "<year> <display name>", everything else empty.
    static GarageVehicle garageVehicle(const VehicleInfo &v, qint64 year);
    // Adds the vehicle and year to the open garage and selects the new row;
    // its id, or none when no garage is open or the insert failed (nothing changes then).
    static std::optional<qint64> addToGarage(AppModel &model, const VehicleInfo &v, qint64 year);
    // Why the last add failed, for the user: the store's write error, or
    // why My Garage did not open.
    static QString garageFailure(const AppModel &model);

    static QString recallLookupTitle();
    // NHTSA's recall lookup page.
    static QUrl recallLookupURL();
};
