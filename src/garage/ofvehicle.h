#pragma once

#include <QList>

// The items of one garage vehicle, in list order.
template <typename T>
QList<T> ofVehicle(const QList<T> &list, qint64 garageID)
{
    QList<T> out;
    for (const T &item : list) {
        if (item.garageID == garageID)
            out.append(item);
    }
    return out;
}
