#include "tsblistrules.h"

#include "data/nhtsatext.h"

QString TSBListRules::heading()
{
    return QStringLiteral("Manufacturer service bulletins (TSBs)");
}

QString TSBListRules::placeholder()
{
    return QStringLiteral("Filter bulletins (e.g. transmission, stall, 4R100)");
}

QString TSBListRules::note()
{
    return QStringLiteral("Short NHTSA summaries. The full bulletins belong to the vehicle maker; \"Open at NHTSA\" "
                          "opens NHTSA's public copy when one exists.");
}

QString TSBListRules::sampleNote()
{
    return QStringLiteral("Generated sample summaries, not NHTSA's. No agency copy of these bulletins exists; "
                          "\"Open at NHTSA\" says so rather than look for one.");
}

QString TSBListRules::emptyText()
{
    return QStringLiteral("No service bulletins on file for this model year.");
}

QString TSBListRules::searchText(const TSB &tsb)
{
    return (tsb.summary + u' ' + tsb.components.join(u' ') + u' ' + tsb.documentID).toLower();
}

QList<TSB> TSBListRules::matching(const QList<TSB> &all, const QString &filter)
{
    if (filter.isEmpty())
        return all;
    const QString needle = filter.toLower();
    QList<TSB> out;
    for (const TSB &t : all) {
        if (searchText(t).contains(needle))
            out.append(t);
    }
    return out;
}

QList<TSB> TSBListRules::shown(const QList<TSB> &matching, bool showAll)
{
    return showAll ? matching : matching.mid(0, limit);
}

QString TSBListRules::countLine(qint64 matching, qint64 all)
{
    return QString::number(matching) + QStringLiteral(" of ") + QString::number(all);
}

QString TSBListRules::showAllButton(qint64 matching)
{
    return QStringLiteral("Show all ") + QString::number(matching);
}

QString TSBListRules::components(const TSB &tsb)
{
    QStringList names;
    for (const QString &c : tsb.components.mid(0, 2))
        names << NHTSAText::display(c);
    return names.join(QStringLiteral(", "));
}

bool TSBListRules::showsType(const TSB &tsb)
{
    return tsb.type != QLatin1String("Service bulletin");
}

QString TSBListRules::summary(const TSB &tsb)
{
    return NHTSAText::sentenceCase(tsb.summary.isEmpty() ? QStringLiteral("(No summary provided)") : tsb.summary);
}

QString TSBListRules::buttonText(bool online)
{
    return online ? QStringLiteral("Open at NHTSA") : QStringLiteral("Needs internet");
}

QString TSBListRules::buttonText(bool online, bool offlineByFailure)
{
    return !online && offlineByFailure ? QStringLiteral("Show address") : buttonText(online);
}

QString TSBListRules::searching(const TSB &tsb)
{
    return QStringLiteral("Looking for NHTSA's copy of bulletin ") + tsb.documentID + u'\u2026';
}

namespace {
QString lookupAdvice(const TSB &tsb)
{
    return QStringLiteral(" NHTSA's lookup page is open: search this vehicle and look under Manufacturer "
                          "Communications for NHTSA ID ")
        + QString::number(tsb.nhtsaID) + u'.';
}
} // namespace

QString TSBListRules::notHosted(const TSB &tsb)
{
    return QStringLiteral("NHTSA doesn't host a copy of bulletin ") + tsb.documentID
        + QStringLiteral(" at the usual address.") + lookupAdvice(tsb);
}

QString TSBListRules::unreachable(const TSB &tsb)
{
    return QStringLiteral("NHTSA's server could not be reached to look for bulletin ") + tsb.documentID + u'.'
        + lookupAdvice(tsb);
}

TSBListRules::Status TSBListRules::status(const TSB &tsb, const TSBOpener::Result &result)
{
    using O = TSBOpener::Outcome;
    if (result.opened) {
        switch (result.outcome) {
        case O::Opened:
            return {};
        case O::NotHosted:
            return {notHosted(tsb), {}};
        case O::Unreachable:
            return {unreachable(tsb), {}};
        }
    }
    const QString address = QString::fromUtf8(result.address.toEncoded());
    const QString look = QStringLiteral("search this vehicle and look under Manufacturer Communications for NHTSA ID ")
        + QString::number(tsb.nhtsaID) + u'.';
    QString text;
    switch (result.outcome) {
    case O::Opened:
        text = QStringLiteral("NHTSA has a copy of bulletin ") + tsb.documentID
            + QStringLiteral(", but no web browser could be opened. Copy its address into a browser:");
        break;
    case O::NotHosted:
        text = QStringLiteral("NHTSA doesn't host a copy of bulletin ") + tsb.documentID
            + QStringLiteral(" at the usual address, and no web browser could be opened. In a browser, open "
                             "NHTSA's lookup page, ")
            + look;
        break;
    case O::Unreachable:
        text = QStringLiteral("NHTSA's server could not be reached to look for bulletin ") + tsb.documentID
            + QStringLiteral(", and no web browser could be opened. When you are online, open NHTSA's lookup "
                             "page in a browser, ")
            + look;
        break;
    }
    return {text, address};
}

TSBListRules::Status TSBListRules::offlineAddress(const TSB &tsb)
{
    const QList<QUrl> candidates = tsb.nhtsaPDFCandidates();
    const QString look = QStringLiteral("search this vehicle and look under Manufacturer Communications for NHTSA ID ")
        + QString::number(tsb.nhtsaID) + u'.';
    if (candidates.isEmpty())
        return {QStringLiteral("NHTSA could not be reached a moment ago; the app keeps trying. When you are online, "
                               "open NHTSA's lookup page in a browser, ")
                    + look,
                QString::fromUtf8(TSB::fallbackURL().toEncoded())};
    return {QStringLiteral("NHTSA could not be reached a moment ago; the app keeps trying. When you are online, "
                           "NHTSA's copy of bulletin ")
                + tsb.documentID
                + QStringLiteral(" is usually at this address. If it is not there, open NHTSA's lookup page, ") + look,
            QString::fromUtf8(candidates.first().toEncoded())};
}

QString TSBListRules::sampleCopy(const TSB &tsb)
{
    return QStringLiteral("Bulletin ") + tsb.documentID
           + QStringLiteral(" is a generated sample record: no NHTSA copy of it exists, and its bulletin number and "
                            "NHTSA ID are made up.");
}

QString TSBListRules::copyAddress()
{
    return QStringLiteral("Copy address");
}

QString TSBListRules::addressCopied()
{
    return QStringLiteral("Address copied");
}
