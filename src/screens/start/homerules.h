#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <optional>

class Vorel;

// The start screen's example vehicles and its line of database counts.
class HomeRules final
{
public:
    HomeRules() = delete;

    // One row of the fixed example table: year, make key and model as texts.
    struct ExampleRow
    {
        QString year;
        QString make;
        QString model;
    };
    // An example the reference data holds: its button label ("2002 Lincoln
    // Navigator"), the vehicle and the year to open (none when the year text
    // is not a decimal number).
    struct Example
    {
        QString yearText;
        QString label;
        qint64 vehicleID = 0;
        std::optional<qint64> year;
    };

    // 2002 LINCOLN Navigator, 2014 FORD Focus, 2015 FORD F-150, 1995 JEEP Cherokee.
    static QList<ExampleRow> exampleTable();
    // The rows of a table whose vehicle the data holds, in table order.
    static QList<Example> examples(const Vorel &data, const QList<ExampleRow> &table = exampleTable());

    // "<vehicles> models · <recalls> recalls · ... · <guides> guides"; a
    // missing key counts 0. The first five numbers in the locale's format
    // with grouping, the guides number as a plain integer.
    static QString countsLine(const QMap<QString, qint64> &counts);
    // A count in the user's number format with grouping separators; under
    // the C locale (which groups nothing) in English form ("1,234").
    static QString localeCount(qint64 value);
};
