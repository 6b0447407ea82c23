#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// One manufacturer service bulletin summary.
struct TSB
{
    qint64 nhtsaID = 0;
    QString documentID;
    QString date;
    QString addedDate;
    QString type;
    QStringList components;
    QString summary;

    // Readable first level of the first component; "Other" without components.
    QString componentGroup() const;
    // Where the agency's public copy may lie, in the order to try: the year
    // folder is the first four characters of addedDate, which must be ASCII
    // digits (no candidates otherwise).
    QList<QUrl> nhtsaPDFCandidates() const;
    // The agency's public recall lookup page.
    static const QUrl &fallbackURL();
    // "https://<bulletin host>/odi/tsbs/": every candidate begins with it.
    static QString pdfPrefix();

    friend bool operator==(const TSB &, const TSB &) = default;
};
