#pragma once

#include "data/sqldb.h"
#include "garagecode.h"
#include "garagecodetext.h"
#include "garagevehicle.h"
#include "serviceentry.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

// The user's garage database "My Garage.sqlite": one read-write connection and
// in-memory copies of its three tables. The lists change only by reload(),
// which runs after opening and after every successful write, and announces
// itself with changed(). Writes go through GarageActions.
class GarageStore final : public QObject
{
    Q_OBJECT

public:
    // FV_GARAGE_PATH when set and not empty (no folder is made); otherwise
    // "Brackenfold/Fenwhistle Vorel/My Garage.sqlite" in the user's data
    // folder (the temporary folder when there is none), its folder made.
    static QString defaultURL();

    // Opens or creates the file (and its folder) and reads the lists; the
    // schema is written only into a file that lacks it. Opening a file that
    // has content waits at most openWaitMs for another process's lock (the
    // app's start-up passes openBusyTimeoutMs). Throws SQLError when the file
    // does not open or read (busy() tells a lock held elsewhere) or the
    // schema cannot be written. A read-only file opens for reading.
    explicit GarageStore(const QString &path = defaultURL(), QObject *parent = nullptr);
    GarageStore(const QString &path, int openWaitMs, QObject *parent = nullptr);

    // A garage held in memory only, made from the bytes of a garage file
    // (an empty garage for no bytes). Throws SQLError as the constructor does.
    struct InMemory
    {
        QByteArray image;
    };
    explicit GarageStore(const InMemory &copy, QObject *parent = nullptr);

    const QString &path() const { return m_path; }

    // Said when another program's write keeps the garage locked.
    static QString busyMessage();

    // Re-reads all three lists; a failing query leaves its list empty.
    void reload();
    // Why the last reload could not read every list; empty when it could.
    const QString &readError() const { return m_readError; }
    // Whether the file opened for reading only (its writes fail).
    bool readOnly() const;
    // Why the last write failed, as a sentence for the user; empty after a
    // successful write.
    const QString &writeError() const { return m_writeError; }

    // All vehicles by id; all service entries newest date first (dates
    // compare as text), then latest added; all saved codes by id.
    const QList<GarageVehicle> &vehicles() const { return m_vehicles; }
    const QList<ServiceEntry> &entries() const { return m_entries; }
    const QList<GarageCode> &codes() const { return m_codes; }
    QList<ServiceEntry> entries(qint64 garageID) const;
    QList<GarageCode> codes(qint64 garageID) const;
    // Codes written in the vehicle's notes and its service titles and details.
    QStringList codesMentioned(qint64 garageID) const;

    // The current time as ISO 8601 UTC with whole seconds ("2025-03-05T14:07:09Z").
    static QString now();

    QString csv() const;
    QString html(const QDateTime &exported = QDateTime::currentDateTime()) const;

    static QStringList findCodes(const QString &text) { return GarageCodeText::find(text); }
    static std::optional<QString> normalizeCode(const QString &text) { return GarageCodeText::normalize(text); }

    // How long a statement waits for another connection's lock.
    static constexpr int busyTimeoutMs = 5000;
    static constexpr int openBusyTimeoutMs = 500;

signals:
    void changed();

private:
    friend class GarageActions;

    // Each throws SQLError and reloads only after success; a mileage, date or
    // cost that GarageInput refuses is not written.
    qint64 insertVehicle(const GarageVehicle &vehicle);
    // False when no row has the vehicle's id.
    bool updateVehicle(const GarageVehicle &vehicle);
    // The id of an equal code the vehicle already holds, or of the new row.
    qint64 insertCode(const GarageCode &code);
    // Stores the entry and raises the vehicle's mileage in one transaction.
    qint64 insertEntry(const ServiceEntry &entry);
    // Deletes by id with one integer argument; `sqls` run in one transaction.
    void deleteRows(const QStringList &sqls, qint64 id);

    qint64 insertVehicleRow(const GarageVehicle &vehicle);
    bool updateVehicleRow(const GarageVehicle &vehicle);
    qint64 insertCodeRow(const GarageCode &code);
    qint64 insertEntryRow(const ServiceEntry &entry);
    // Throws when `problem` is not empty: a value the garage does not keep.
    static void refuse(const QString &problem);
    // Runs a write, keeping writeError() up to date; rethrows its SQLError.
    template <typename Fn>
    auto writing(Fn fn) -> decltype(fn());
    QString writeFailure(const SQLError &error) const;
    bool hasSchema();
    // Reads the lists, writing the schema first into a file that lacks it.
    void open();

    QString m_path;
    SQLDB m_db;
    QList<GarageVehicle> m_vehicles;
    QList<ServiceEntry> m_entries;
    QList<GarageCode> m_codes;
    QString m_readError;
    QString m_writeError;
};
