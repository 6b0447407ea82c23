#include "recall.h"

QString Recall::typeText() const
{
    if (type == u"V")
        return QStringLiteral("Vehicle recall");
    if (type == u"E")
        return QStringLiteral("Equipment recall (part sold for this vehicle)");
    if (type == u"T")
        return QStringLiteral("Tire recall");
    if (type == u"C")
        return QStringLiteral("Child seat recall");
    return QStringLiteral("Recall");
}
