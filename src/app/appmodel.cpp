#include "appmodel.h"

#include "data/sqlerror.h"
#include "data/vorel.h"
#include "fvprefs.h"
#include "garage/garagestore.h"
#include "platform/prefs.h"
#include "platform/text.h"

#include <exception>

namespace {

AppModel *&sharedInstance()
{
    static AppModel *instance = nullptr;
    return instance;
}

// The text of whatever opening threw.
template <typename Fn>
std::optional<QString> failureOf(Fn fn)
{
    try {
        fn();
        return std::nullopt;
    } catch (const SQLError &e) {
        return e.description();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("unknown error");
    }
}

} // namespace

AppModel::Locations AppModel::Locations::defaults()
{
    return {Vorel::bundledURL(), Vorel::bundledPhotos(), GarageStore::defaultURL()};
}

AppModel &AppModel::shared()
{
    static AppModel *instance = [] {
        auto *model = new AppModel(Locations::defaults());
        sharedInstance() = model;
        return model;
    }();
    return *instance;
}

bool AppModel::sharedExists()
{
    return sharedInstance() != nullptr;
}

AppModel::AppModel(const Locations &locations, QObject *parent)
    : QObject(parent)
{
    m_includeHeavy = Prefs::shared().value(FVPrefs::includeHeavyKey(), false).toBool();

    m_loadError = failureOf([&] { m_data = std::make_unique<Vorel>(locations.vorelPath, locations.photosPath); });
    if (m_loadError)
        m_data.reset();
    m_garageError = failureOf([&] { m_garage = std::make_unique<GarageStore>(locations.garagePath); });
    if (m_garageError)
        m_garage.reset();

    restoreLastVehicle();
}

AppModel::~AppModel() = default;

// ---- Fields ----

void AppModel::setScreen(Screen screen)
{
    m_screen = screen;
    emitChanged(Field::Screen);
}

void AppModel::setYear(std::optional<qint64> year)
{
    m_year = year;
    emitChanged(Field::Year);
}

void AppModel::setMake(const std::optional<QString> &make)
{
    m_make = make;
    emitChanged(Field::Make);
}

void AppModel::setPickedVehicle(std::optional<qint64> id)
{
    m_pickedVehicle = id;
    emitChanged(Field::PickedVehicle);
}

void AppModel::setIncludeHeavy(bool include)
{
    m_includeHeavy = include;
    Prefs::shared().setValue(FVPrefs::includeHeavyKey(), include);
    emitChanged(Field::IncludeHeavy);
}

void AppModel::setCurrentVehicle(std::optional<qint64> id)
{
    m_currentVehicle = id;
    emitChanged(Field::CurrentVehicle);
}

void AppModel::setCurrentYear(std::optional<qint64> year)
{
    m_currentYear = year;
    emitChanged(Field::CurrentYear);
}

void AppModel::setTsbFilter(const QString &filter)
{
    m_tsbFilter = filter;
    emitChanged(Field::TsbFilter);
}

void AppModel::setExpandedArea(const std::optional<QString> &area)
{
    m_expandedArea = area;
    emitChanged(Field::ExpandedArea);
}

void AppModel::setCodeFilter(const QString &filter)
{
    m_codeFilter = filter;
    emitChanged(Field::CodeFilter);
}

void AppModel::setCodeLevel(std::optional<Seriousness> level)
{
    m_codeLevel = level;
    emitChanged(Field::CodeLevel);
}

void AppModel::setSelectedCode(const std::optional<QString> &code)
{
    m_selectedCode = code;
    emitChanged(Field::SelectedCode);
}

void AppModel::setSelectedGuide(const std::optional<QString> &id)
{
    m_selectedGuide = id;
    emitChanged(Field::SelectedGuide);
}

void AppModel::setGuidePath(const QStringList &path)
{
    m_guidePath = path;
    emitChanged(Field::GuidePath);
}

void AppModel::setVinText(const QString &text)
{
    m_vinText = text;
    emitChanged(Field::VinText);
}

void AppModel::setSelectedGarage(std::optional<qint64> id)
{
    m_selectedGarage = id;
    emitChanged(Field::SelectedGarage);
}

void AppModel::setSearchText(const QString &text)
{
    m_searchText = text;
    emitChanged(Field::SearchText);
}

void AppModel::setRecallShown(const std::optional<QString> &campaign)
{
    m_recallShown = campaign;
    emitChanged(Field::RecallShown);
}

// ---- Start-up ----

std::optional<std::pair<qint64, qint64>> AppModel::parseLastVehicle(const QString &text)
{
    QList<qint64> numbers;
    for (const QString &piece : text.split(u':', Qt::SkipEmptyParts)) {
        if (const auto n = Text::parseInt64(piece))
            numbers.append(*n);
    }
    if (numbers.size() != 2)
        return std::nullopt;
    return std::make_pair(numbers[0], numbers[1]);
}

void AppModel::restoreLastVehicle()
{
    const QVariant stored = Prefs::shared().value(FVPrefs::lastVehicleKey());
    if (!stored.isValid())
        return;
    const auto parsed = parseLastVehicle(stored.toString());
    if (!parsed || !m_data || !m_data->vehicle(parsed->first))
        return;
    // A year the vehicle no longer lists is replaced the way openVehicle does.
    const std::optional<qint64> year = chooseYear(listedYears(parsed->first), parsed->second);
    setCurrentVehicle(parsed->first);
    setCurrentYear(year);
}

// ---- Operations ----

QList<qint64> AppModel::listedYears(qint64 id) const
{
    QList<qint64> years;
    if (m_data) {
        for (const ModelYear &y : m_data->yearsFor(id))
            years.append(y.year);
    }
    return years;
}

std::optional<qint64> AppModel::chooseYear(const QList<qint64> &listed, std::optional<qint64> wanted)
{
    if (wanted && listed.contains(*wanted))
        return wanted;
    if (listed.isEmpty())
        return std::nullopt;
    return listed.last();
}

void AppModel::openVehicle(qint64 id, std::optional<qint64> year)
{
    if (!m_data || !m_data->vehicle(id))
        return;
    const std::optional<qint64> chosen = chooseYear(listedYears(id), year);
    setCurrentVehicle(id);
    setCurrentYear(chosen);
    setTsbFilter(QString());
    setExpandedArea(std::nullopt);
    if (chosen)
        Prefs::shared().setValue(FVPrefs::lastVehicleKey(), QString::number(id) + u':' + QString::number(*chosen));
    setScreen(Screen::Vehicle);
}

void AppModel::openCode(const QString &code)
{
    setSelectedCode(code.toUpper());
    setScreen(Screen::Codes);
}

void AppModel::openGuide(const QString &id)
{
    setSelectedGuide(id);
    setGuidePath({});
    setScreen(Screen::Guides);
}

void AppModel::runSearch()
{
    if (!Text::trimBlanks(m_searchText).isEmpty())
        setScreen(Screen::Search);
}

void AppModel::open(const SearchHit &hit)
{
    switch (hit.kind.value()) {
    case SearchKind::Vehicle:
        // A reference that is not a number names no vehicle.
        if (const auto id = Text::parseInt64(hit.ref))
            openVehicle(*id, hit.year);
        break;
    case SearchKind::Code:
        openCode(hit.ref);
        break;
    case SearchKind::Guide:
        openGuide(hit.ref);
        break;
    case SearchKind::Obd1:
        setScreen(Screen::Obd1);
        break;
    case SearchKind::Recall:
        setRecallShown(hit.ref);
        break;
    }
}
