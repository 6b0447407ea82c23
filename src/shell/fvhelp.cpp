#include "fvhelp.h"

#include "data/nhtsatext.h"
#include "helptexts.h"
#include "platform/fvinfo.h"
#include "platform/maker.h"

namespace FVHelp {

namespace {

QString text(const QString &name)
{
    return HelpTexts::bundled().text(name);
}

// A spliced value stays on its own line of help text.
QString oneLine(const QString &text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    out.replace(u'\n', u' ');
    out.replace(u'\r', u' ');
    return out;
}

// "A, b and c", the first name capitalised.
QString listed(QStringList names)
{
    names.first()[0] = names.first()[0].toUpper();
    const QString last = names.takeLast();
    return names.isEmpty() ? last : names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

// The bullets on where the agency records come from: the agency's for the
// kinds that are real, plain words for the kinds that are generated.
QString recordSources(const Provenance &provenance)
{
    if (!provenance.anyGenerated())
        return text(QStringLiteral("sources.real"));
    static const QList<Provenance::Kind> kinds = {Provenance::Kind::Recalls, Provenance::Kind::Complaints,
                                                  Provenance::Kind::Investigations, Provenance::Kind::Bulletins};
    const QStringList names = text(QStringLiteral("sources.kinds")).split(u'\n');
    QStringList real, made;
    for (qsizetype i = 0; i < kinds.size(); ++i)
        (provenance.generated(kinds[i]) ? made : real) << names.value(i);
    QStringList out;
    if (!real.isEmpty())
        out << HelpTexts::fill(text(QStringLiteral("sources.agency")), {{QStringLiteral("kinds"), listed(real)}});
    if (!made.isEmpty())
        out << HelpTexts::fill(text(QStringLiteral("sources.generated")), {{QStringLiteral("kinds"), listed(made)}});
    out << text(provenance.generated(Provenance::Kind::Engines) ? QStringLiteral("sources.engines.generated")
                                                                 : QStringLiteral("sources.engines.real"));
    return out.join(u'\n');
}

// The values spliced into the topics' bodies.
QHash<QString, QString> values(const QList<PhotoCredit> &photoCredits, const Provenance &provenance)
{
    const bool sampleComplaints = provenance.generated(Provenance::Kind::Complaints);
    const QString complaintsLabel = sampleComplaints ? provenance.complaintsLabel() : FVInfo::complaintsLabel();
    QStringList credits;
    for (const PhotoCredit &c : photoCredits) {
        credits.append(HelpTexts::fill(text(QStringLiteral("photos.credit")),
                                       {{QStringLiteral("make"), oneLine(NHTSAText::pretty(c.make))},
                                        {QStringLiteral("model"), oneLine(c.model)},
                                        {QStringLiteral("attribution"), oneLine(c.attribution)},
                                        {QStringLiteral("license"), oneLine(c.license)},
                                        {QStringLiteral("licenseURL"), oneLine(c.licenseURL)}}));
    }
    return {
        {QStringLiteral("complaintsIntro"),
         HelpTexts::fill(text(sampleComplaints ? QStringLiteral("complaints.sample") : QStringLiteral("complaints.real")),
                         {{QStringLiteral("complaintsLabel"), complaintsLabel}})},
        {QStringLiteral("draftLabel"), FVInfo::draftLabel()},
        {QStringLiteral("appName"), FVInfo::appName()},
        {QStringLiteral("website"), Maker::website()},
        {QStringLiteral("dataCredit"), provenance.anyGenerated() ? provenance.dataCredit() : FVInfo::dataCredit()},
        {QStringLiteral("recordSources"), recordSources(provenance)},
        {QStringLiteral("pictures"),
         text(provenance.drawnPhotos() ? QStringLiteral("pictures.drawn") : QStringLiteral("pictures.real"))},
        {QStringLiteral("disclaimer"), FVInfo::disclaimer()},
        {QStringLiteral("photosIntro"),
         text(provenance.drawnPhotos() ? QStringLiteral("photos.drawn") : QStringLiteral("photos.real"))},
        {QStringLiteral("credits"), credits.join(u'\n')},
    };
}

} // namespace

QString photosBody(const QList<PhotoCredit> &photoCredits, const Provenance &provenance)
{
    for (const KVRNHelpTopic &t : topics(photoCredits, provenance)) {
        if (t.id == QLatin1String("photos"))
            return t.body;
    }
    return QString();
}

KVRNHelpTopics topics(const QList<PhotoCredit> &photoCredits, const Provenance &provenance)
{
    const QHash<QString, QString> spliced = values(photoCredits, provenance);
    KVRNHelpTopics out;
    for (const HelpTexts::Topic &t : HelpTexts::bundled().topics())
        out.append({t.id, t.title, HelpTexts::fill(t.body, spliced), t.keywords});
    return out;
}

} // namespace FVHelp
