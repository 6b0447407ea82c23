#include "garagerules.h"

#include "garage/garageinput.h"
#include "garage/garagestore.h"
#include "platform/text.h"

#include <QDate>

std::optional<GarageVehicle> GarageRules::shownVehicle(const QList<GarageVehicle> &vehicles,
                                                       std::optional<qint64> selected)
{
    if (selected) {
        for (const GarageVehicle &v : vehicles) {
            if (v.id == *selected)
                return v;
        }
    }
    if (vehicles.isEmpty())
        return std::nullopt;
    return vehicles.first();
}

QString GarageRules::mileageField(std::optional<qint64> miles)
{
    return miles ? QString::number(*miles) : QString();
}

QString GarageRules::entryMileage(std::optional<qint64> miles)
{
    return miles ? Text::grouped(*miles) + QStringLiteral(" mi") : QString();
}

QString GarageRules::today()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

bool GarageRules::canAddCode(const QString &typed)
{
    return GarageStore::normalizeCode(typed).has_value();
}

bool GarageRules::canAddEntry(const QString &title)
{
    return !Text::trimBlanks(title).isEmpty();
}

ServiceEntry GarageRules::entry(qint64 garageID, const QString &date, const QString &miles, const QString &title,
                                const QString &details, const QString &cost)
{
    ServiceEntry e;
    e.garageID = garageID;
    e.date = date;
    e.mileage = GarageInput::mileage(miles).value;
    e.title = Text::trimBlanks(title);
    e.details = details;
    e.cost = cost;
    return e;
}

QStringList GarageRules::mentionedCodes(const QStringList &mentioned, const QList<GarageCode> &saved,
                                        const std::function<bool(const QString &)> &known)
{
    QStringList out;
    if (!known)
        return out;
    for (const QString &code : mentioned) {
        const bool isSaved = std::any_of(saved.begin(), saved.end(), [&](const GarageCode &c) { return c.code == code; });
        if (!isSaved && known(code))
            out << code;
    }
    return out;
}

QString GarageRules::mentionedLine(const QStringList &codes)
{
    return QStringLiteral("Also in your notes or service log (included in the report): ") + codes.join(QStringLiteral(", "));
}

QString GarageRules::errorPanelText(const std::optional<QString> &error)
{
    return QStringLiteral("My Garage could not be opened: ") + error.value_or(QStringLiteral("unknown error"));
}

QString GarageRules::removeQuestion(const QString &title, qsizetype entries, qsizetype codes)
{
    QStringList with;
    if (entries > 0)
        with << Text::grouped(entries) + (entries == 1 ? QStringLiteral(" service entry") : QStringLiteral(" service entries"));
    if (codes > 0)
        with << Text::grouped(codes) + (codes == 1 ? QStringLiteral(" saved code") : QStringLiteral(" saved codes"));
    if (with.isEmpty())
        return QStringLiteral("Remove ") + title + QStringLiteral(" from My Garage?");
    return QStringLiteral("Remove ") + title + QStringLiteral(" with its ") + with.join(QStringLiteral(" and "))
        + QStringLiteral(" from My Garage?");
}

QString GarageRules::exportNote(const QStringList &files, const QString &folder)
{
    QStringList names;
    for (const QString &f : files)
        names << f.section(QLatin1Char('/'), -1, -1, QString::SectionSkipEmpty);
    const QString place = folder.section(QLatin1Char('/'), -1, -1, QString::SectionSkipEmpty);
    return QStringLiteral("Saved ") + names.join(QStringLiteral(" and ")) + QStringLiteral(" in ")
        + (place.isEmpty() ? folder : place) + QLatin1Char('.');
}

QString GarageRules::exportFailed(const QString &description)
{
    return QStringLiteral("Export failed: ") + description;
}

QString GarageRules::displayName(const GarageVehicle &vehicle)
{
    if (vehicle.nickname.isEmpty())
        return vehicle.title;
    return vehicle.title + QStringLiteral(" (") + vehicle.nickname + QLatin1Char(')');
}

QString GarageRules::menuText(const QString &text)
{
    QString out = text;
    return out.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QStringList GarageRules::savedWith(const QString &code, const QList<GarageCode> &codes,
                                   const QList<GarageVehicle> &vehicles)
{
    QStringList titles;
    for (const GarageCode &c : codes) {
        if (c.code != code)
            continue;
        for (const GarageVehicle &v : vehicles) {
            if (v.id == c.garageID) {
                titles << v.title;
                break;
            }
        }
    }
    return titles;
}

QString GarageRules::savedWithLine(const QStringList &titles)
{
    return QStringLiteral("Saved with: ") + titles.join(QStringLiteral(", "));
}

QString GarageRules::codeHint()
{
    return QStringLiteral("Type a 5-character code such as P0171.");
}

QString GarageRules::unknownCodeTitle()
{
    return QStringLiteral("Not in the vorel (maker-specific)");
}

QString GarageRules::codeFormEmpty()
{
    return QStringLiteral("Add the codes your scan tool shows. The Trouble Code Report (PDF) explains each one for "
                          "you and your mechanic.");
}

QString GarageRules::listEmpty()
{
    return QStringLiteral("No vehicles yet. Add a vehicle from its vehicle page with \"Add to My Garage\".");
}

QString GarageRules::cardEmpty()
{
    return QStringLiteral("Your saved vehicles, notes, mileage and service history appear here.");
}
