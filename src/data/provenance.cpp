#include "provenance.h"

#include "vorel.h"

#include <QStringList>

QList<Provenance::Kind> Provenance::kinds()
{
    return {Kind::Recalls, Kind::Investigations, Kind::Bulletins, Kind::Complaints, Kind::Engines};
}

QString Provenance::metaKey(Kind kind)
{
    switch (kind) {
    case Kind::Recalls:
        return QStringLiteral("provenance.recalls");
    case Kind::Investigations:
        return QStringLiteral("provenance.investigations");
    case Kind::Bulletins:
        return QStringLiteral("provenance.bulletins");
    case Kind::Complaints:
        return QStringLiteral("provenance.complaints");
    case Kind::Engines:
        return QStringLiteral("provenance.engines");
    }
    return {};
}

QString Provenance::metaValue(bool generated)
{
    return generated ? QStringLiteral("generated") : QStringLiteral("real");
}

QString Provenance::photosKey()
{
    return QStringLiteral("provenance.photos");
}

QString Provenance::keptKey()
{
    return QStringLiteral("provenance.real_records");
}

Provenance Provenance::fromMeta(const QHash<QString, QString> &meta)
{
    Provenance p;
    // Only the word "generated" marks generated data: a database written
    // before these rows existed, or with a value it does not know, reads as real.
    for (const Kind kind : kinds())
        p.setGenerated(kind, meta.value(metaKey(kind)).trimmed() == metaValue(true));
    p.m_drawnPhotos = meta.value(photosKey()).trimmed() == QLatin1String("drawn");
    for (const QString &number : meta.value(keptKey()).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        p.m_kept.insert(number);
    return p;
}

Provenance Provenance::of(const Vorel *data)
{
    return data ? fromMeta(data->meta) : Provenance();
}

void Provenance::setGenerated(Kind kind, bool generated)
{
    if (generated)
        m_generated.insert(int(kind));
    else
        m_generated.remove(int(kind));
}

QString Provenance::dataCredit() const
{
    if (!anyGenerated())
        return QStringLiteral("Data from NHTSA and EPA; not endorsed by them.");
    return QStringLiteral("Vehicle data from NHTSA")
           + (generated(Kind::Engines) ? QString()
                                       : QStringLiteral(" and EPA (engines: EPA's list for 1984-2015, the makers' figures compiled by hand for later years)"))
           + QStringLiteral("; not endorsed by them. ") + generatedSentence();
}

QString Provenance::generatedSentence() const
{
    if (!anyGenerated())
        return {};
    static const QList<QPair<Kind, const char *>> names = {
        {Kind::Recalls, "recalls"},
        {Kind::Investigations, "investigations"},
        {Kind::Bulletins, "service bulletins"},
        {Kind::Complaints, "complaint counts"},
        {Kind::Engines, "engine details"}};
    QStringList made;
    for (const auto &[kind, name] : names)
        if (generated(kind))
            made << QLatin1String(name);
    const QString last = made.takeLast();
    const QString list = made.isEmpty() ? last : made.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    return QStringLiteral("The ") + list + QStringLiteral(" are generated sample data.");
}

QString Provenance::complaintsLabel() const
{
    if (!generated(Kind::Complaints))
        return QStringLiteral("owner complaints reported to NHTSA, not failure rates");
    return QStringLiteral("generated sample counts standing in for owner complaints, not NHTSA's and not failure rates");
}

QList<QPair<QString, QString>> Provenance::metaRows() const
{
    QList<QPair<QString, QString>> rows;
    for (const Kind kind : kinds())
        rows.append({metaKey(kind), metaValue(generated(kind))});
    if (m_drawnPhotos)
        rows.append({photosKey(), QStringLiteral("drawn")});
    if (!m_kept.isEmpty()) {
        QStringList kept(m_kept.begin(), m_kept.end());
        kept.sort();
        rows.append({keptKey(), kept.join(QLatin1Char(' '))});
    }
    rows.append({QStringLiteral("complaints_label"), complaintsLabel()});
    rows.append({QStringLiteral("data_credit"), dataCredit()});
    return rows;
}

QString Provenance::sampleRecord()
{
    return QStringLiteral("Sample record");
}

QString Provenance::sampleData()
{
    return QStringLiteral("Sample data: these records are generated, not the agency's.");
}

QString Provenance::sampleRecall()
{
    return QStringLiteral("Sample record: this recall is generated sample data, not an NHTSA recall. Its campaign number "
                          "is made up and may belong to a different real recall.");
}
