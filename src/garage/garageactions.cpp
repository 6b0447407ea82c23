#include "garageactions.h"

#include "garageexporterror.h"
#include "garagestore.h"

#include <QDir>
#include <QSaveFile>
#include <algorithm>

namespace {

void writeAtomically(const QString &path, const QString &text)
{
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw GarageExportError(QStringLiteral("Could not write ") + QDir::toNativeSeparators(path) + QStringLiteral(": ")
                                + file.errorString());
}

} // namespace

std::optional<qint64> GarageActions::add(const GarageVehicle &vehicle, GarageStore &store)
{
    try {
        return store.insertVehicle(vehicle);
    } catch (const SQLError &) {
        return std::nullopt;
    }
}

bool GarageActions::save(const GarageVehicle &vehicle, GarageStore &store)
{
    try {
        return store.updateVehicle(vehicle);
    } catch (const SQLError &) {
        return false;
    }
}

bool GarageActions::remove(qint64 garageID, GarageStore &store)
{
    try {
        store.deleteRows({QStringLiteral("DELETE FROM service WHERE garage_id = ?"),
                          QStringLiteral("DELETE FROM codes WHERE garage_id = ?"),
                          QStringLiteral("DELETE FROM garage WHERE id = ?")},
                         garageID);
        return true;
    } catch (const SQLError &) {
        return false;
    }
}

std::optional<qint64> GarageActions::log(const ServiceEntry &entry, GarageStore &store)
{
    try {
        return store.insertEntry(entry);
    } catch (const SQLError &) {
        return std::nullopt;
    }
}

bool GarageActions::removeEntry(qint64 id, GarageStore &store)
{
    try {
        store.deleteRows({QStringLiteral("DELETE FROM service WHERE id = ?")}, id);
        return true;
    } catch (const SQLError &) {
        return false;
    }
}

std::optional<qint64> GarageActions::addCode(const QString &text, qint64 garageID, GarageStore &store, const QString &note)
{
    const auto code = GarageStore::normalizeCode(text);
    if (!code)
        return std::nullopt;
    const auto &vehicles = store.vehicles();
    if (std::none_of(vehicles.cbegin(), vehicles.cend(), [&](const GarageVehicle &v) { return v.id == garageID; }))
        return std::nullopt;
    try {
        return store.insertCode(GarageCode{0, garageID, *code, QString(), note});
    } catch (const SQLError &) {
        return std::nullopt;
    }
}

bool GarageActions::removeCode(qint64 id, GarageStore &store)
{
    try {
        store.deleteRows({QStringLiteral("DELETE FROM codes WHERE id = ?")}, id);
        return true;
    } catch (const SQLError &) {
        return false;
    }
}

QStringList GarageActions::exportTo(const GarageStore &store, const QString &folder)
{
    // Empty lists from a failed read must not replace good earlier exports.
    if (!store.readError().isEmpty())
        throw GarageExportError(QStringLiteral("My Garage could not be read: ") + store.readError());
    const QDir dir(folder);
    const QString csvPath = dir.filePath(QStringLiteral("My Garage.csv"));
    const QString htmlPath = dir.filePath(QStringLiteral("My Garage.html"));
    writeAtomically(csvPath, store.csv());
    writeAtomically(htmlPath, store.html());
    return {csvPath, htmlPath};
}
