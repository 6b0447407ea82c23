#pragma once

#include "garage/garagecode.h"
#include "garage/garagevehicle.h"
#include "garage/serviceentry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The rules and wording of the My Garage screens, free of widgets: which
// vehicle is shown, the mileage and date texts, when a form may be sent,
// which codes the notes and log mention, and the texts of notes and menus.
class GarageRules final
{
public:
    GarageRules() = delete;

    // The vehicle whose id is `selected`, else the first; none for an empty list.
    static std::optional<GarageVehicle> shownVehicle(const QList<GarageVehicle> &vehicles,
                                                     std::optional<qint64> selected);

    // The field text of a mileage: plain digits, empty for none.
    static QString mileageField(std::optional<qint64> miles);
    // "45,000 mi", empty for none.
    static QString entryMileage(std::optional<qint64> miles);
    // Today's local date as YYYY-MM-DD.
    static QString today();

    static bool canAddCode(const QString &typed);
    static bool canAddEntry(const QString &title);
    // The entry the service form logs: date, details and cost as typed, the
    // title trimmed of blanks and tabs, the mileage read like the card's (none
    // when GarageInput refuses it).
    static ServiceEntry entry(qint64 garageID, const QString &date, const QString &miles, const QString &title,
                              const QString &details, const QString &cost);

    // The mentioned codes still to list: those the vehicle has not saved and
    // `known` explains, in their order; none without `known`.
    static QStringList mentionedCodes(const QStringList &mentioned, const QList<GarageCode> &saved,
                                      const std::function<bool(const QString &)> &known);
    static QString mentionedLine(const QStringList &codes);

    static QString errorPanelText(const std::optional<QString> &error);
    // Names what goes with the vehicle: its service entries and saved codes.
    static QString removeQuestion(const QString &title, qsizetype entries, qsizetype codes);
    static QString exportNote(const QStringList &files, const QString &folder);
    static QString exportFailed(const QString &description);

    // "Title (Nickname)", or the title alone without a nickname.
    static QString displayName(const GarageVehicle &vehicle);
    // Text for a menu entry or button: "&" doubled so it shows as itself.
    static QString menuText(const QString &text);
    // Titles of the vehicles holding exactly `code`, in the order of saving.
    static QStringList savedWith(const QString &code, const QList<GarageCode> &codes,
                                 const QList<GarageVehicle> &vehicles);
    static QString savedWithLine(const QStringList &titles);

    static QString codeHint();
    static QString unknownCodeTitle();
    static QString codeFormEmpty();
    static QString listEmpty();
    static QString cardEmpty();
};
