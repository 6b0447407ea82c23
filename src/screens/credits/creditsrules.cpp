#include "creditsrules.h"

#include "data/nhtsatext.h"
#include "platform/opener.h"

QString CreditsRules::statement(const Provenance &provenance)
{
    if (provenance.anyGenerated())
        return QStringLiteral("Vehicle model data: NHTSA's vPIC vehicle catalog. ")
            + (provenance.generated(Provenance::Kind::Engines)
                   ? QString()
                   : QStringLiteral("Engines: the fuel-economy list of the U.S. EPA and DOE for 1984 to 2015, the makers' published "
                                    "figures compiled by hand for later years. "))
            + provenance.generatedSentence()
            + QStringLiteral(" They stand in for the agency's records and are not them: their numbers are made up, "
                             "and a real record with the same number is a different one. NHTSA, EPA and DOE do not "
                             "endorse this product.");
    return QStringLiteral(
        "Recall, complaint, investigation and service-bulletin data: U.S. National Highway Traffic Safety "
        "Administration (NHTSA). Vehicle model data: NHTSA's vPIC vehicle catalog and the fuel-economy data of "
        "the U.S. EPA and DOE. NHTSA, EPA and DOE do not endorse this product.");
}

QString CreditsRules::uncheckedData()
{
    return QStringLiteral("This copy of the reference data carries no page checksums, so damage to the file could "
                          "go unseen. Reinstall the app to restore a checked copy.");
}

QString CreditsRules::photosHeading()
{
    return QStringLiteral("Photo credits");
}

QString CreditsRules::photosIntro(const Provenance &provenance)
{
    if (provenance.drawnPhotos())
        return QStringLiteral("The vehicle pictures are simple drawings made for this database, not photographs. Car "
                              "badges are trademarks of their owners and are shown only to identify the vehicle.");
    return QStringLiteral("Vehicle photos come from Wikimedia Commons and are used under the licenses shown. Car "
                          "badges are trademarks of their owners and are shown only to identify the vehicle.");
}

QString CreditsRules::linksHeading()
{
    return QStringLiteral("Helpful links (we link, we don't copy)");
}

std::optional<QUrl> CreditsRules::webLink(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return std::nullopt;
    if (!Opener::allowed(url))
        return std::nullopt;
    return url;
}

CreditsRules::SourceRow CreditsRules::sourceRow(const DataSource &source)
{
    // Generated sources were never retrieved: they store no date and show no line.
    const QString retrieved = source.retrieved.isEmpty() ? QString() : QStringLiteral("Retrieved ") + source.retrieved.left(10);
    return {source.name, webLink(source.url), retrieved};
}

CreditsRules::PhotoRow CreditsRules::photoRow(const PhotoCredit &photo)
{
    return {NHTSAText::pretty(photo.make) + u' ' + photo.model, photo.attribution,
            QStringLiteral("License: ") + photo.license, webLink(photo.licenseURL), webLink(photo.pageURL)};
}

std::optional<CreditsRules::RefRow> CreditsRules::refRow(const RefLink &ref)
{
    const std::optional<QUrl> link = webLink(ref.url);
    if (!link)
        return std::nullopt;
    return RefRow{ref.title + QStringLiteral(" \u2014 ") + ref.publisher, *link};
}

QString CreditsRules::websiteText(const QUrl &website)
{
    QString host = website.host();
    if (host.startsWith(QLatin1String("www.")))
        host.remove(0, 4);
    return host;
}
