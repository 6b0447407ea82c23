#pragma once

#include "data/obd1section.h"
#include "data/photocredit.h"
#include "data/provenance.h"
#include "data/reflink.h"

#include <QString>
#include <QUrl>
#include <optional>

// What the data and photo credits screen shows for each row.
class CreditsRules
{
public:
    CreditsRules() = delete;

    // Where the data comes from, three sentences; with generated record kinds
    // or drawn pictures, what of it is generated.
    static QString statement(const Provenance &provenance = Provenance());
    // Said under the statement when the reference data carries no page checksums.
    static QString uncheckedData();
    static QString photosHeading();
    static QString photosIntro(const Provenance &provenance = Provenance());
    static QString linksHeading();

    // A web address from the data that can be offered as a link: an http or
    // https address with a host. Anything else is shown as text or not at all.
    static std::optional<QUrl> webLink(const QString &text);

    struct SourceRow
    {
        QString name;
        std::optional<QUrl> link; // the address, shown as written
        QString retrieved;        // "Retrieved <first 10 characters>"; empty when no date is stored
    };
    static SourceRow sourceRow(const DataSource &source);

    struct PhotoRow
    {
        QString title;                    // "<make in readable case> <model>"
        QString attribution;
        QString licenseText;              // "License: <license>"
        std::optional<QUrl> licenseLink;  // when the licence address is a link
        std::optional<QUrl> sourcePage;   // "Source page", when a link
    };
    static PhotoRow photoRow(const PhotoCredit &photo);

    // "<title> — <publisher>" to the address; none when the address is no link.
    struct RefRow
    {
        QString text;
        QUrl link;
    };
    static std::optional<RefRow> refRow(const RefLink &ref);

    // The footer's link text: the maker's address as a bare domain.
    static QString websiteText(const QUrl &website);
};
