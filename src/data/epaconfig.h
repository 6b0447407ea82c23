#pragma once

#include <QString>
#include <QUuid>

// One engine and transmission configuration that the EPA lists for a vehicle
// and model year. `id` is a fresh random identifier made when the record is
// built (never stored); copies keep it.
struct EPAConfig
{
    QUuid id = freshID();
    QString variant;
    double displacement = 0; // litres; 0 for an electric vehicle
    qint64 cylinders = 0;    // 0 or less when none is listed
    QString transmission;
    QString drive;
    QString vehicleClass;
    QString fuel;
    QString engineDesc;
    bool turbo = false;
    bool supercharger = false;
    QString evMotor;

    // "Electric (<motor>)" for an electric vehicle ("Electric" when no motor
    // is named), else "2.0L 4-cyl turbo (SIDI)".
    QString engineText() const;

    // A random (version 4) identifier from a generator seeded once per
    // thread by the system's, far cheaper than asking the system each time.
    static QUuid freshID();

    // Same variant, engine text, transmission and drive; the rest does not count.
    friend bool operator==(const EPAConfig &a, const EPAConfig &b);
};
