#pragma once

#include "data/provenance.h"
#include "data/recall.h"
#include "data/vehicleinfo.h"
#include "garage/garagevehicle.h"
#include "garage/serviceentry.h"
#include "troublereportcode.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class GarageStore;
class Vorel;

// Everything a Trouble Code Report says about one garage vehicle, gathered
// once by build(). A plain value: nothing in it refers back to a database.
struct TroubleReport
{
    GarageVehicle vehicle;
    std::optional<VehicleInfo> info; // the reference vehicle, when linked and known
    std::optional<qint64> year;
    QString make;                    // display make; empty without `info`
    QString model;                   // empty without `info`
    QString engine;
    QList<TroubleReportCode> codes;  // saved, then found in notes and log, then looked up
    QList<ServiceEntry> service;     // newest date first, then highest id
    QList<Recall> allRecalls;        // the vehicle's recalls of the year, newest first
    Provenance provenance;           // which of the reference data's record kinds are generated
    QDateTime made;
    QString version;

    // Reads the garage and the reference data; writes nothing, cannot fail.
    static TroubleReport build(const GarageVehicle &vehicle, const GarageStore &store, const Vorel &vorel,
                               const QStringList &extraCodes = {},
                               const QDateTime &made = QDateTime::currentDateTime());

    // " (sample record)" after a generated recall's line, else nothing.
    QString sampleMark(const Recall &recall) const;

    // "2009 Toyota Camry", or the garage title without make or year.
    QString vehicleLine() const;
    // "142,410 miles" or "Not recorded".
    QString mileageText() const;
    // "<vehicle line> (<nickname>) - Trouble Code Report.pdf" with "/" and ":"
    // made "-", the vehicle part cut so the name stays within 255 UTF-8 bytes.
    QString suggestedFileName() const;
    // The paragraphs of the page for the mechanic; never empty. With a
    // `codeLimit` of 0 or more, only that many codes get a paragraph of their
    // own (the most urgent) and one more paragraph counts the others.
    QStringList mechanicSummary(qsizetype codeLimit = -1) const;

    // The PDF and whether it was cut to the page limit: then the owner's
    // sections and the mechanic's page come first and the sections of the
    // `codesExplained` most urgent codes follow them (Stop, Drive soon, Drive,
    // then codes the reference does not know; gathered order within each).
    struct Pdf
    {
        QByteArray bytes; // empty when no PDF could be made
        bool cut = false;
        qsizetype codesExplained = 0;
    };
    Pdf pdf() const;
    // The report as PDF bytes; empty when no PDF could be made.
    QByteArray pdfData() const;
    // Writes PDF bytes to path atomically, as write() does.
    static bool writeFile(const QByteArray &pdf, const QString &path, QString *error = nullptr);
    // Writes pdfData() to path atomically; false (and the old file kept) when
    // no PDF was made or the write failed, with the reason in *error.
    bool write(const QString &path, QString *error = nullptr) const;

    // A recall's first component in readable case ("Engine · Cooling"), or "Other".
    static QString component(const Recall &recall);
    // The first 240 characters of the recall's summary in sentence case, and
    // "…" when more was cut.
    static QString summaryExcerpt(const Recall &recall);
    // What a missing engine or mileage reads: "Not recorded".
    static QString notRecorded();
    // The line at the foot of every report page.
    static QString footer();
    // The program's short version.
    static QString appVersion();

    // Source texts of the three ways a code enters a report.
    static QString savedSource(const QString &added);
    static QString mentionedSource();
    static QString lookedUpSource();
};
