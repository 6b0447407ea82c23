#pragma once

#include "garagevehicle.h"
#include "serviceentry.h"

#include <QDate>
#include <QString>
#include <optional>

// What My Garage accepts as a mileage, a service date, a cost and the length
// of its texts, for the
// forms (which show the problem next to the field) and for the store (which
// refuses a write that breaks them). An empty text always passes: the value
// is simply not given.
class GarageInput final
{
public:
    GarageInput() = delete;

    static constexpr qint64 maxMileage = 2000000;
    static constexpr qint64 maxCostCents = 100000000;
    // Lengths no person reaches; longer text would only slow every page
    // and the report.
    static constexpr qsizetype maxNickname = 100;
    static constexpr qsizetype maxVIN = 17; // not counting blanks and "-"
    static constexpr qsizetype maxNotes = 20000; // a vehicle's notes, an entry's details

    // A typed mileage: a whole number of miles, "," allowed between groups of
    // three digits and a trailing "mi" ("45,000 mi"). `value` is set when the
    // text is empty (to none) or passes; otherwise `problem` says why.
    struct Mileage
    {
        std::optional<qint64> value;
        QString problem;
        bool ok() const { return problem.isEmpty(); }
    };
    static Mileage mileage(const QString &typed);

    // Empty when the number may be stored (none, or 0 to maxMileage).
    static QString mileageProblem(std::optional<qint64> miles);
    // Empty when `date` is empty or a real YYYY-MM-DD date not after `today`.
    static QString dateProblem(const QString &date, const QDate &today = QDate::currentDate());
    // Empty when `cost` is empty or an amount of 0 to 1,000,000 with at most
    // two decimals ("$" before it and "," between groups of three allowed).
    static QString costProblem(const QString &cost);
    // Empty when the text is within its length.
    static QString nicknameProblem(const QString &nickname);
    static QString vinProblem(const QString &vin);
    static QString notesProblem(const QString &notes);
    static QString detailsProblem(const QString &details);

    // The first problem of a vehicle or an entry about to be written; empty
    // when it may be stored. With `stored`, a field that keeps its stored
    // value is not checked: values from before a check stay as they are.
    static QString vehicleProblem(const GarageVehicle &vehicle, const GarageVehicle *stored = nullptr);
    static QString entryProblem(const ServiceEntry &entry, const QDate &today = QDate::currentDate());

private:
    // Digits with "," only between groups of three: the digits, or none.
    static std::optional<QString> groupedDigits(QStringView text);
};
