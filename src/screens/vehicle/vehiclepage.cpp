#include "vehiclepage.h"

#include "platform/fvinfo.h"
#include "data/provenance.h"
#include "data/vorel.h"

QList<VehiclePage::Section> VehiclePage::sections()
{
    return {Section::Header,         Section::KnownFor,  Section::Complaints, Section::Recalls,
            Section::Investigations, Section::Bulletins, Section::Engines,    Section::Credit};
}

QString VehiclePage::sectionName(Section section)
{
    switch (section) {
    case Section::Header:
        return QStringLiteral("header");
    case Section::KnownFor:
        return QStringLiteral("knownFor");
    case Section::Complaints:
        return QStringLiteral("complaints");
    case Section::Recalls:
        return QStringLiteral("recalls");
    case Section::Investigations:
        return QStringLiteral("investigations");
    case Section::Bulletins:
        return QStringLiteral("bulletins");
    case Section::Engines:
        return QStringLiteral("engines");
    case Section::Credit:
        return QStringLiteral("credit");
    }
    return {};
}

std::optional<VehiclePage> VehiclePage::resolve(const Vorel *data, std::optional<qint64> vehicleID,
                                                std::optional<qint64> year)
{
    if (!data || !vehicleID)
        return std::nullopt;
    std::optional<VehicleInfo> v = data->vehicle(*vehicleID);
    if (!v || !year)
        return std::nullopt;
    VehicleYearRecords records = data->records(v->id, *year);
    return VehiclePage{std::move(*v), *year, std::move(records)};
}

QString VehiclePage::knownForName(qint64 year, const VehicleInfo &v)
{
    return QString::number(year) + u' ' + v.name();
}

QString VehiclePage::creditLine(const QHash<QString, QString> &meta)
{
    return Provenance::fromMeta(meta).dataCredit() + u' ' + meta.value(QStringLiteral("recall_note"));
}

bool VehiclePage::knownForSample(const Provenance &provenance)
{
    return provenance.generated(Provenance::Kind::Complaints) || provenance.generated(Provenance::Kind::Recalls)
        || provenance.generated(Provenance::Kind::Bulletins);
}

QString VehiclePage::emptyText()
{
    return QStringLiteral("Pick a vehicle in Find a Vehicle, or search for one.");
}

QString VehiclePage::emptyButton()
{
    return QStringLiteral("Find a Vehicle");
}
