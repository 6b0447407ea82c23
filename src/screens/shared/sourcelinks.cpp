#include "sourcelinks.h"

#include "platform/fvinfo.h"

std::optional<QUrl> SourceLinks::webAddress(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if ((scheme != QStringLiteral("http") && scheme != QStringLiteral("https")) || url.host().isEmpty())
        return std::nullopt;
    return url;
}

QList<SourceLinks::Link> SourceLinks::listed(const QStringList &ids, const QHash<QString, SourceRef> &sources)
{
    QList<Link> out;
    for (const QString &id : ids) {
        const auto it = sources.constFind(id);
        if (it == sources.cend())
            continue;
        if (const auto url = webAddress(it->url))
            out.append(Link{it->publisher + QStringLiteral(": ") + it->title, *url});
    }
    return out;
}

QList<SafetyNote> SourceLinks::notes(const QStringList &ids, const QHash<QString, SafetyNote> &safety)
{
    QList<SafetyNote> out;
    for (const QString &id : ids) {
        const auto it = safety.constFind(id);
        if (it != safety.cend())
            out.append(*it);
    }
    return out;
}

std::optional<SourceLinks::Link> SourceLinks::noteSource(const SafetyNote &note,
                                                         const QHash<QString, SourceRef> &sources)
{
    if (!note.sourceID)
        return std::nullopt;
    const auto it = sources.constFind(*note.sourceID);
    if (it == sources.cend())
        return std::nullopt;
    const auto url = webAddress(it->url);
    if (!url)
        return std::nullopt;
    return Link{QStringLiteral("Source: ") + it->publisher + QStringLiteral(" \u2014 ") + it->title, *url};
}

QString SourceLinks::guideClosing()
{
    return QStringLiteral("General guidance written by Brackenfold; not a repair manual and not specific to any "
                          "model. ")
        + FVInfo::disclaimer();
}

QUrl SourceLinks::technicianFinder()
{
    return QUrl(QStringLiteral("https://www.ase.com/"));
}
