#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace VIN {

// The result of the offline check of one typed VIN. "Character" means one
// user-perceived character (grapheme cluster), held as a short text.
struct Check
{
    QString vin;                               // the cleaned VIN
    QStringList problems;                      // plain-word problems, in the order found
    std::optional<QString> expectedCheckDigit; // computed from the VIN
    std::optional<QString> actualCheckDigit;   // the 9th character of a 17-character VIN
    std::optional<qint64> modelYear;
    QString yearNote;                          // why the year is what it is; never empty

    bool checkDigitOK() const
    {
        return expectedCheckDigit && actualCheckDigit && *expectedCheckDigit == *actualCheckDigit;
    }
    bool isValid() const { return problems.isEmpty() && checkDigitOK(); }

    friend bool operator==(const Check &, const Check &) = default;
};

} // namespace VIN
