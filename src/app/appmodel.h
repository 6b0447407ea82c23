#pragma once

#include "data/searchhit.h"
#include "data/seriousness.h"
#include "screen.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class GarageStore;
class Vorel;

// The state that the screens share: the screen shown, the open reference and
// garage databases (or why each did not open), the picker, the open vehicle
// page and the selections and filters of the other screens. One per process,
// AppModel::shared(), made on first use; main thread only.
//
// Every setter stores its value and then emits changed() naming the field,
// also when the value is equal. The operations (openVehicle, ...) are plain
// sequences of such sets, so observers see `screen` change last.
class AppModel final : public QObject
{
    Q_OBJECT

public:
    enum class Field {
        Screen,
        Data,
        LoadError,
        Garage,
        GarageError,
        Year,
        Make,
        PickedVehicle,
        IncludeHeavy,
        CurrentVehicle,
        CurrentYear,
        TsbFilter,
        ExpandedArea,
        CodeFilter,
        CodeLevel,
        SelectedCode,
        SelectedGuide,
        GuidePath,
        VinText,
        SelectedGarage,
        SearchText,
        RecallShown,
    };
    Q_ENUM(Field)

    // Where the model opens its databases.
    struct Locations
    {
        QString vorelPath;  // the reference database
        QString photosPath; // its photos folder
        QString garagePath; // the garage database
        static Locations defaults(); // the bundled (or VOREL_DB/VOREL_PHOTOS) data and the default garage
    };

    static AppModel &shared();
    // Whether shared() has been made yet.
    static bool sharedExists();

    // A model of its own (tests); the program uses shared() only. Opens both
    // databases and restores the last vehicle, as shared() does.
    explicit AppModel(const Locations &locations, QObject *parent = nullptr);
    ~AppModel() override;

    // ---- Fields, in order ----
    Screen screen() const { return m_screen; }
    void setScreen(Screen screen);

    // The open reference database; null when it did not open (see loadError).
    Vorel *data() const { return m_data.get(); }
    // Why the reference data cannot be used: it did not open, or SQLite
    // reported it damaged (dataDamaged).
    const std::optional<QString> &loadError() const { return m_loadError; }
    // Whether SQLite reported the reference data damaged, at opening or in any
    // later query (then loadError() holds damagedText()). A damage report
    // during a query is taken up at the next turn of the event loop, and
    // LoadError changes.
    bool dataDamaged() const { return m_dataDamaged; }
    // "The reference data is damaged …".
    static QString damagedText();
    // The open garage; null when it did not open (see garageError). A garage
    // that was busy (locked by another process) is tried again here, at most
    // once a second; when it opens, Garage and GarageError change at the next
    // turn of the event loop.
    GarageStore *garage() const;
    const std::optional<QString> &garageError() const { return m_garageError; }

    std::optional<qint64> year() const { return m_year; }
    void setYear(std::optional<qint64> year);
    const std::optional<QString> &make() const { return m_make; }
    void setMake(const std::optional<QString> &make);
    std::optional<qint64> pickedVehicle() const { return m_pickedVehicle; }
    void setPickedVehicle(std::optional<qint64> id);
    // Mirrors "fv.includeHeavy": every set writes the defaults.
    bool includeHeavy() const { return m_includeHeavy; }
    void setIncludeHeavy(bool include);

    std::optional<qint64> currentVehicle() const { return m_currentVehicle; }
    void setCurrentVehicle(std::optional<qint64> id);
    std::optional<qint64> currentYear() const { return m_currentYear; }
    void setCurrentYear(std::optional<qint64> year);
    const QString &tsbFilter() const { return m_tsbFilter; }
    void setTsbFilter(const QString &filter);
    const std::optional<QString> &expandedArea() const { return m_expandedArea; }
    void setExpandedArea(const std::optional<QString> &area);

    const QString &codeFilter() const { return m_codeFilter; }
    void setCodeFilter(const QString &filter);
    std::optional<Seriousness> codeLevel() const { return m_codeLevel; }
    void setCodeLevel(std::optional<Seriousness> level);
    const std::optional<QString> &selectedCode() const { return m_selectedCode; }
    void setSelectedCode(const std::optional<QString> &code);

    const std::optional<QString> &selectedGuide() const { return m_selectedGuide; }
    void setSelectedGuide(const std::optional<QString> &id);
    const QStringList &guidePath() const { return m_guidePath; }
    void setGuidePath(const QStringList &path);

    const QString &vinText() const { return m_vinText; }
    void setVinText(const QString &text);
    std::optional<qint64> selectedGarage() const { return m_selectedGarage; }
    void setSelectedGarage(std::optional<qint64> id);
    const QString &searchText() const { return m_searchText; }
    void setSearchText(const QString &text);
    const std::optional<QString> &recallShown() const { return m_recallShown; }
    void setRecallShown(const std::optional<QString> &campaign);

    // ---- Operations ----

    // Opens the vehicle page: nothing without reference data or for an
    // unknown id. The year is the given one when the vehicle lists it, else
    // its latest listed year (none when it lists none); remembered under
    // "fv.lastVehicle" when there is one.
    void openVehicle(qint64 id, std::optional<qint64> year);
    // Shows the code (upper-cased) on the trouble-code screen.
    void openCode(const QString &code);
    // Starts the guide at its first step.
    void openGuide(const QString &id);
    // Shows the search results when the search text holds more than blanks and tabs.
    void runSearch();
    // Acts on a search hit by its kind.
    void open(const SearchHit &hit);

    // The year that openVehicle keeps: `wanted` when `listed` holds it, else
    // the last of `listed` (ascending), else none.
    static std::optional<qint64> chooseYear(const QList<qint64> &listed, std::optional<qint64> wanted);
    // A stored "fv.lastVehicle" text as vehicle id and year: the pieces
    // between colons that read as decimal integers must be exactly two.
    static std::optional<std::pair<qint64, qint64>> parseLastVehicle(const QString &text);

    // Asks the header to put the keyboard focus in its search box with the
    // text selected (Go ▸ Search…).
    void requestSearchFocus() { emit searchFocusRequested(); }

signals:
    void changed(AppModel::Field field);
    void searchFocusRequested();

private:
    void emitChanged(Field field) { emit changed(field); }
    void restoreLastVehicle();
    void openData(const Locations &locations);
    // Opens the garage; true when it opened.
    bool openGarage() const;
    void takeDamageReport();
    QList<qint64> listedYears(qint64 id) const;

    Screen m_screen = Screen::Home;
    std::unique_ptr<Vorel> m_data;
    std::optional<QString> m_loadError;
    bool m_dataDamaged = false;
    // The garage may open late (see garage()), hence mutable.
    QString m_garagePath;
    mutable std::unique_ptr<GarageStore> m_garage;
    mutable std::optional<QString> m_garageError;
    mutable bool m_garageBusy = false;
    mutable qint64 m_garageTriedAt = 0;
    std::optional<qint64> m_year;
    std::optional<QString> m_make;
    std::optional<qint64> m_pickedVehicle;
    bool m_includeHeavy = false;
    std::optional<qint64> m_currentVehicle;
    std::optional<qint64> m_currentYear;
    QString m_tsbFilter;
    std::optional<QString> m_expandedArea;
    QString m_codeFilter;
    std::optional<Seriousness> m_codeLevel;
    std::optional<QString> m_selectedCode;
    std::optional<QString> m_selectedGuide;
    QStringList m_guidePath;
    QString m_vinText;
    std::optional<qint64> m_selectedGarage;
    QString m_searchText;
    std::optional<QString> m_recallShown;
};
