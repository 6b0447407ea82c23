#include "headerrules.h"

#include "app/appmodel.h"
#include "data/tsb.h"
#include "garage/garageactions.h"
#include "garage/garagestore.h"

#include <algorithm>

QString HeaderRules::makeLine(const VehicleInfo &v)
{
    return v.makeDisplay.toUpper();
}

HeaderRules::TagInfo HeaderRules::confidenceTag(const QString &confidence)
{
    if (confidence == QStringLiteral("high"))
        return {QStringLiteral("Official model data"), Tone::Green};
    if (confidence == QStringLiteral("medium"))
        return {QStringLiteral("Medium confidence"), Tone::Amber};
    return {QStringLiteral("Low confidence"), Tone::Grey};
}

std::optional<HeaderRules::TagInfo> HeaderRules::heavyTag(const VehicleInfo &v)
{
    if (!v.heavy)
        return std::nullopt;
    return TagInfo{QStringLiteral("Heavy / commercial"), Tone::Grey};
}

std::optional<QString> HeaderRules::cautionNote(const VehicleInfo &v)
{
    if (!v.startsAtVPICFloor && v.confidence == QStringLiteral("high"))
        return std::nullopt;
    if (!v.notes.isEmpty())
        return v.notes;
    // The standard sentence speaks of the years before the catalog only.
    if (v.firstYear >= 1981)
        return std::nullopt;
    return QStringLiteral("Years before 1981 come only from NHTSA record mentions; the official catalog starts in 1981.");
}

std::optional<QString> HeaderRules::typeLine(const QString &types)
{
    if (types.isEmpty())
        return std::nullopt;
    return QStringLiteral("Type: ") + VehicleInfo::typeText(types);
}

QStringList HeaderRules::creditLines(const std::optional<PhotoCredit> &photo, qint64 year)
{
    if (!photo)
        return {QStringLiteral("No licensed photo for this model yet \u2014 outline drawing shown.")};
    return {QStringLiteral("Photo: ") + photo->author + QStringLiteral(", ") + photo->license
                + QStringLiteral(" \u2014 see Data & Photo Credits"),
            QStringLiteral("Representative photo; it may show a different generation than ") + QString::number(year)
                + u'.'};
}

QString HeaderRules::yearsHeading()
{
    return QStringLiteral("Years made (in this vorel)");
}

QString HeaderRules::yearLabel(qint64 year)
{
    return QStringLiteral("Model year ") + QString::number(year);
}

QList<qint64> HeaderRules::yearMenu(const QList<ModelYear> &years)
{
    QList<qint64> out;
    out.reserve(years.size());
    for (const ModelYear &y : years)
        out.append(y.year);
    std::reverse(out.begin(), out.end());
    return out;
}

QString HeaderRules::garageTitle(bool added)
{
    return added ? QStringLiteral("Added to My Garage") : QStringLiteral("Add to My Garage");
}

QString HeaderRules::garageHelp()
{
    return QStringLiteral("Save this vehicle with your own notes, mileage and service log.");
}

GarageVehicle HeaderRules::garageVehicle(const VehicleInfo &v, qint64 year)
{
    GarageVehicle g;
    g.vehicleID = v.id;
    g.year = year;
    g.title = QString::number(year) + u' ' + v.name();
    return g;
}

std::optional<qint64> HeaderRules::addToGarage(AppModel &model, const VehicleInfo &v, qint64 year)
{
    GarageStore *store = model.garage();
    if (!store)
        return std::nullopt;
    const std::optional<qint64> id = GarageActions::add(garageVehicle(v, year), *store);
    if (id)
        model.setSelectedGarage(*id);
    return id;
}

QString HeaderRules::garageFailure(const AppModel &model)
{
    if (const GarageStore *store = model.garage()) {
        return store->writeError().isEmpty() ? QStringLiteral("My Garage could not save the vehicle.")
                                             : store->writeError();
    }
    return QStringLiteral("My Garage could not be opened: ") + model.garageError().value_or(QStringLiteral("unknown error"));
}

QString HeaderRules::recallLookupTitle()
{
    return QStringLiteral("Check open recalls by VIN at NHTSA");
}

QUrl HeaderRules::recallLookupURL()
{
    // The page the recall sheet and the bulletin opener fall back to.
    return TSB::fallbackURL();
}
