#pragma once

#include "seriousness.h"

#include <QString>

// One OBD-II trouble code with its explanation: the eleven text columns of
// obd_codes in table order. Identity: `code`.
struct OBDCode
{
    QString code; // upper case, such as P0420
    QString system;
    QString family; // the key that report estimates and links look up
    QString title;
    QString meaning;
    QString causes;
    QString symptoms;
    QString checkFirst;
    QString seriousness; // a stored text of Seriousness
    QString note;
    QString reviewStatus;

    // The stored seriousness; "drive soon" for any unknown or empty text.
    Seriousness level() const { return Seriousness::fromRawValue(seriousness).value_or(Seriousness::Soon); }

    friend bool operator==(const OBDCode &, const OBDCode &) = default;
};
