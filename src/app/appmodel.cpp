#include "appmodel.h"

#include "data/sqlerror.h"
#include "data/vorel.h"
#include "fvprefs.h"
#include "garage/garagestore.h"
#include "platform/prefs.h"
#include "platform/text.h"

#include <QDateTime>
#include <exception>

namespace {

AppModel *&sharedInstance()
{
    static AppModel *instance = nullptr;
    return instance;
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

    openData(locations);
    m_garagePath = locations.garagePath;
    openGarage();

    restoreLastVehicle();
}

AppModel::~AppModel() = default;

QString AppModel::damagedText()
{
    return QStringLiteral("The reference data is damaged, so its pages could be incomplete or wrong. "
                          "Reinstall the app to restore it.");
}

void AppModel::openData(const Locations &locations)
{
    try {
        m_data = std::make_unique<Vorel>(locations.vorelPath, locations.photosPath);
    } catch (const SQLError &e) {
        m_data.reset();
        m_dataDamaged = e.damaged();
        m_loadError = m_dataDamaged ? damagedText() : e.description();
        return;
    } catch (const std::exception &e) {
        m_data.reset();
        m_loadError = QString::fromUtf8(e.what());
        return;
    }
    m_loadError.reset();
    // Reported in the middle of some view's query: taken up afterwards.
    m_data->db->setDamageHandler([this] {
        QMetaObject::invokeMethod(this, &AppModel::takeDamageReport, Qt::QueuedConnection);
    });
}

void AppModel::takeDamageReport()
{
    if (m_dataDamaged)
        return;
    m_dataDamaged = true;
    m_loadError = damagedText();
    emitChanged(Field::LoadError);
}

bool AppModel::openGarage() const
{
    m_garageTriedAt = QDateTime::currentMSecsSinceEpoch();
    try {
        // Start-up and later retries wait only briefly for a lock.
        m_garage = std::make_unique<GarageStore>(m_garagePath, GarageStore::openBusyTimeoutMs);
        m_garageError.reset();
        m_garageBusy = false;
        return true;
    } catch (const SQLError &e) {
        m_garage.reset();
        m_garageError = e.description();
        m_garageBusy = e.busy();
    } catch (const std::exception &e) {
        m_garage.reset();
        m_garageError = QString::fromUtf8(e.what());
        m_garageBusy = false;
    }
    return false;
}

GarageStore *AppModel::garage() const
{
    if (!m_garage && m_garageBusy && QDateTime::currentMSecsSinceEpoch() - m_garageTriedAt >= 1000 && openGarage()) {
        auto *self = const_cast<AppModel *>(this);
        QMetaObject::invokeMethod(self, [self] {
            self->emitChanged(Field::Garage);
            self->emitChanged(Field::GarageError);
        }, Qt::QueuedConnection);
    }
    return m_garage.get();
}

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
    // A line merged into another opens as that line; a year the vehicle no
    // longer lists is replaced the way openVehicle does.
    const qint64 id = m_data->lineID(parsed->first);
    const std::optional<qint64> year = chooseYear(listedYears(id), parsed->second);
    setCurrentVehicle(id);
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

void AppModel::openVehicle(qint64 stored, std::optional<qint64> year)
{
    if (!m_data || !m_data->vehicle(stored))
        return;
    // A saved id of a line merged into another opens the line it joined.
    const qint64 id = m_data->lineID(stored);
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
