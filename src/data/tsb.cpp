#include "tsb.h"

#include "nhtsatext.h"

#include <QTextBoundaryFinder>

namespace {
constexpr QLatin1String kBulletinHost("static.nhtsa.gov");
constexpr QLatin1String kAgencyHost("www.nhtsa.gov");
} // namespace

QString TSB::componentGroup() const
{
    if (components.isEmpty())
        return QStringLiteral("Other");
    return NHTSAText::group(components.first());
}

QString TSB::pdfPrefix()
{
    return QStringLiteral("https://") + kBulletinHost + QStringLiteral("/odi/tsbs/");
}

QList<QUrl> TSB::nhtsaPDFCandidates() const
{
    QList<QUrl> out;
    if (addedDate.size() < 4)
        return out;
    const QString year = addedDate.left(4);
    for (QChar c : year) {
        if (c < u'0' || c > u'9')
            return out;
    }
    // The four digits must be four whole characters: a combining mark after
    // the last one makes it another character.
    if (addedDate.size() > 4) {
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, addedDate);
        finder.setPosition(4);
        if (!finder.isAtBoundary())
            return out;
    }
    for (const char *suffix : {"0001", "9999"}) {
        const QUrl url(pdfPrefix() + year + QStringLiteral("/MC-") + QString::number(nhtsaID) + u'-'
                           + QLatin1String(suffix) + QStringLiteral(".pdf"),
                       QUrl::StrictMode);
        if (url.isValid())
            out << url;
    }
    return out;
}

const QUrl &TSB::fallbackURL()
{
    static const QUrl url(QStringLiteral("https://") + kAgencyHost + QStringLiteral("/recalls"));
    return url;
}
