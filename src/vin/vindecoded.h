#pragma once

#include <QList>
#include <QString>
#include <utility>

namespace VIN {

// The readable result of one online decode: every field is text, empty when
// the service told nothing.
struct Decoded
{
    QString make;
    QString model;
    QString year;
    QString trim;
    QString body;
    QString engine;
    QString fuel;
    QString transmission;
    QString drive;
    QString plant;
    QString manufacturer;
    QString vehicleType;
    QString errorCode;
    QString errorText;

    // The labelled rows that have a value, in display order.
    QList<std::pair<QString, QString>> fields() const;

    // Same vehicle: make, model, year and engine agree.
    friend bool operator==(const Decoded &a, const Decoded &b)
    {
        return a.make == b.make && a.model == b.model && a.year == b.year && a.engine == b.engine;
    }
};

} // namespace VIN
