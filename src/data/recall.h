#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// One NHTSA safety recall campaign.
struct Recall
{
    QString campaign;
    QString type;
    QString manufacturer;
    QStringList components;
    QString reportDate;
    std::optional<qint64> affected;
    QString initiatedBy;
    QString summary;
    QString consequence;
    QString remedy;
    QString notes;
    bool doNotDrive = false;
    bool parkOutside = false;

    // "Vehicle recall", "Tire recall", ...; "Recall" for an unknown type.
    QString typeText() const;

    friend bool operator==(const Recall &, const Recall &) = default;
};

// One vehicle and model year that a recall campaign covers.
struct RecallVehicle
{
    qint64 vid = 0;
    qint64 year = 0;
    QString name;

    friend bool operator==(const RecallVehicle &, const RecallVehicle &) = default;
};
