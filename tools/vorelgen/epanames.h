#pragma once

#include "model.h"

#include <QHash>

// The reviewed table from EPA's make and model names to the vehicle lines of
// the build (content/epa/names.json). EPA names carry body, drive and trim
// words ("F150 Pickup 2WD", "325i", "Grand Caravan 2WD"); the table names the
// line each one belongs to, or the reason it belongs to none (heavy-duty, a
// conversion or coach builder, a grey-market importer). A name may name
// different lines in different years ("1990-2006": "ES"), a line of
// another make ("BENTLEY|Continental"), several lines at once ("328 GTB +
// 328 GTS": EPA lists the two under one name), or a line by the row's
// displacement ("524td@2.4 + 528e@2.7 + 535i@3.4").
class EpaNames
{
public:
    enum class Outcome { Unknown, Mapped, LeftOut };
    struct Line
    {
        QString make, line; // the build's make and line name
    };
    struct Answer
    {
        Outcome outcome = Outcome::Unknown;
        QString make, line; // the first line when mapped
        QList<Line> lines;  // every line the row belongs to when mapped
        QString reason;     // why it is left out
    };

    EpaNames() = default;
    // Reads the table; throws GenError for a malformed one. No file: an empty table.
    static EpaNames load(const QString &path);
    static EpaNames fromJson(const QJsonObject &o, const QString &where);
    bool isEmpty() const { return m_names.isEmpty() && m_leftOutMakes.isEmpty(); }
    // litres: the row's displacement, for lines named by it (0: none given).
    Answer look(const QString &make, const QString &model, int year, double litres = 0.0) const;

private:
    struct Span
    {
        int from = 0, to = 9999;
        QString line;
    };
    QHash<QString, QString> m_makes;        // EPA make -> build make, where not the upper-cased name
    QHash<QString, QString> m_leftOutMakes; // EPA make -> reason
    QHash<QString, QList<Span>> m_names;    // "Make|model" -> lines by years
    QHash<QString, QString> m_leftOut;      // "Make|model" -> reason
};
