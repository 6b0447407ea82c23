// The vehicle page's rules (which vehicle it shows, its credit line, the
// header's texts and garage action, the per-page flags, the EPA table) and
// the search results' texts.
#include "app/appmodel.h"
#include "data/vorel.h"
#include "garage/garagestore.h"
#include "screens/vehicle/epatablerules.h"
#include "screens/vehicle/headerrules.h"
#include "screens/vehicle/knownfortext.h"
#include "screens/search/searchresultsrules.h"
#include "screens/vehicle/vehiclepage.h"
#include "screens/vehicle/vehicleyearflag.h"
#include "support/fixturedb.h"

#include <QTemporaryDir>
#include <QTest>

class TestScreensVehicle : public QObject
{
    Q_OBJECT

private:
    FixtureDb m_fx;
    QTemporaryDir m_home;
    std::unique_ptr<Vorel> m_data;

    static VehicleInfo vehicle(const QString &confidence, bool floor, const QString &notes)
    {
        VehicleInfo v;
        v.id = 7;
        v.makeDisplay = QStringLiteral("Lincoln");
        v.model = QStringLiteral("Navigator");
        v.confidence = confidence;
        v.startsAtVPICFloor = floor;
        v.notes = notes;
        return v;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fx.ok(), qPrintable(m_fx.error()));
        m_data = m_fx.open();
    }

    void pageResolvesOnlyAWholeVehicleYear()
    {
        const auto page = VehiclePage::resolve(m_data.get(), 1, 2002);
        QVERIFY(page);
        QCOMPARE(page->vehicle.name(), QStringLiteral("Lincoln Navigator"));
        QCOMPARE(page->year, 2002);
        QVERIFY(!VehiclePage::resolve(nullptr, 1, 2002));
        QVERIFY(!VehiclePage::resolve(m_data.get(), std::nullopt, 2002));
        QVERIFY(!VehiclePage::resolve(m_data.get(), 999, 2002));
        QVERIFY(!VehiclePage::resolve(m_data.get(), 1, std::nullopt));

        QCOMPARE(VehiclePage::knownForName(2002, page->vehicle), QStringLiteral("2002 Lincoln Navigator"));
        QCOMPARE(KnownForText::heading(QStringLiteral("2002 Lincoln Navigator")),
                 QStringLiteral("What the 2002 Lincoln Navigator is known for"));

        QCOMPARE(VehiclePage::creditLine(m_data->meta),
                 QStringLiteral("Data from NHTSA and EPA; not endorsed by them. Recalls are listed as NHTSA publishes them."));
        QCOMPARE(VehiclePage::creditLine({}), QStringLiteral("Data from NHTSA and EPA; not endorsed by them. "));

        const auto order = VehiclePage::sections();
        QCOMPARE(order.size(), 8);
        QCOMPARE(order.first(), VehiclePage::Section::Header);
        QCOMPARE(order[6], VehiclePage::Section::Engines);
        QCOMPARE(order.last(), VehiclePage::Section::Credit);
    }

    void headerTagsAndNotes()
    {
        using T = HeaderRules::TagInfo;
        QCOMPARE(HeaderRules::confidenceTag(QStringLiteral("high")), (T{"Official model data", Tone::Green}));
        QCOMPARE(HeaderRules::confidenceTag(QStringLiteral("medium")), (T{"Medium confidence", Tone::Amber}));
        QCOMPARE(HeaderRules::confidenceTag(QStringLiteral("High")), (T{"Low confidence", Tone::Grey}));
        QCOMPARE(HeaderRules::confidenceTag(QString()), (T{"Low confidence", Tone::Grey}));

        // High confidence from the catalog: no note, the notes are not shown at all.
        QVERIFY(!HeaderRules::cautionNote(vehicle("high", false, "Some notes")));
        QCOMPARE(HeaderRules::cautionNote(vehicle("High", false, "Some notes")), QStringLiteral("Some notes"));
        QCOMPARE(HeaderRules::cautionNote(vehicle("medium", false, "")),
                 QStringLiteral("Years before 1981 come only from NHTSA record mentions; the official catalog starts in 1981."));
        QCOMPARE(HeaderRules::cautionNote(vehicle("high", true, "")), HeaderRules::cautionNote(vehicle("low", false, "")));
        VehicleInfo from1981 = vehicle("medium", false, "");
        from1981.firstYear = 1981;
        QVERIFY(!HeaderRules::cautionNote(from1981));

        QCOMPARE(HeaderRules::typeLine(QStringLiteral("Truck,MPV")), QStringLiteral("Type: Truck, SUV/van (MPV)"));
        QCOMPARE(HeaderRules::typeLine(QStringLiteral("Multipurpose Passenger Vehicle (MPV)")),
                 QStringLiteral("Type: Multipurpose Passenger Vehicle (SUV/van (MPV))"));
        QVERIFY(!HeaderRules::typeLine(QString()));

        VehicleInfo heavy = vehicle("high", false, "");
        QVERIFY(!HeaderRules::heavyTag(heavy));
        heavy.heavy = true;
        QCOMPARE(HeaderRules::heavyTag(heavy), (T{"Heavy / commercial", Tone::Grey}));
        QCOMPARE(HeaderRules::makeLine(heavy), QStringLiteral("LINCOLN"));
    }

    void headerPhotoCreditYearsAndMenu()
    {
        QCOMPARE(HeaderRules::creditLines(std::nullopt, 2002),
                 QStringList{"No licensed photo for this model yet \u2014 outline drawing shown."});
        // The credit follows the record even when its file is missing (the fixture has no image files).
        const auto photo = m_data->photo(1);
        QVERIFY(photo);
        QCOMPARE(HeaderRules::creditLines(photo, 2002),
                 (QStringList{"Photo: A. Author, CC BY-SA 4.0 \u2014 see Data & Photo Credits",
                              "Representative photo; it may show a different generation than 2002."}));

        QCOMPARE(HeaderRules::yearLabel(2002), QStringLiteral("Model year 2002"));
        const QList<ModelYear> years{{2001, "v"}, {2002, "v"}, {2004, "o"}};
        QCOMPARE(HeaderRules::yearMenu(years), (QList<qint64>{2004, 2002, 2001}));
        QCOMPARE(HeaderRules::yearMenu(m_data->yearsFor(8)), (QList<qint64>{2004, 2003, 2001, 1999, 1998, 1997}));
        QVERIFY(HeaderRules::yearMenu({}).isEmpty());
        QCOMPARE(HeaderRules::recallLookupURL().scheme(), QStringLiteral("https"));
        QCOMPARE(HeaderRules::recallLookupURL().path(), QStringLiteral("/recalls"));
    }

    void addToGarageSelectsTheNewRow()
    {
        AppModel m(AppModel::Locations{m_fx.path(), m_fx.photosFolder(), m_home.filePath("garage.sqlite")});
        QVERIFY(m.garage());
        const VehicleInfo v = *m_data->vehicle(1);

        const GarageVehicle g = HeaderRules::garageVehicle(v, 2002);
        QCOMPARE(g.title, QStringLiteral("2002 Lincoln Navigator"));
        QCOMPARE(g.vehicleID, 1);
        QCOMPARE(g.year, 2002);
        QVERIFY(g.nickname.isEmpty() && g.vin.isEmpty() && !g.mileage);

        const auto first = HeaderRules::addToGarage(m, v, 2002);
        QVERIFY(first);
        QCOMPARE(m.selectedGarage(), first);
        QCOMPARE(m.garage()->vehicles().size(), 1);
        QCOMPARE(m.garage()->vehicles().first().title, QStringLiteral("2002 Lincoln Navigator"));
        // No duplicate check: the same vehicle and year again is a second row.
        const auto second = HeaderRules::addToGarage(m, v, 2002);
        QVERIFY(second && *second != *first);
        QCOMPARE(m.garage()->vehicles().size(), 2);

        // Without an open garage nothing happens.
        AppModel closed(AppModel::Locations{m_fx.path(), m_fx.photosFolder(), m_home.path()});
        QVERIFY(!closed.garage());
        QVERIFY(!HeaderRules::addToGarage(closed, v, 2002));
        QVERIFY(!closed.selectedGarage());
    }

    void pageFlagsResetForAnotherVehicleOrYear()
    {
        VehicleYearFlag f;
        QVERIFY(!f.follow(1, 2002));
        f.set(true);
        QVERIFY(!f.follow(1, 2002)); // a refresh of the same page keeps it
        QVERIFY(f.value());
        QVERIFY(f.follow(1, 2001)); // another year
        QVERIFY(!f.value());
        f.set(true);
        f.follow(1, 2002);
        QVERIFY(!f.value());
        f.set(true);
        QVERIFY(f.follow(3, 2002)); // another vehicle, same year
        QVERIFY(!f.value());
        QVERIFY(!f.follow(1, 2002)); // nothing set: nothing cleared
    }

    void epaRowsAndNotes()
    {
        for (const bool heavy : {false, true})
            QCOMPARE(EPATableRules::emptyNote(0, 1983, heavy),
                     QStringLiteral("EPA engine and transmission listings start with the 1984 model year."));
        // The heavy-duty reason only for heavy and commercial lines.
        QCOMPARE(EPATableRules::emptyNote(0, 1984, true),
                 QStringLiteral("No EPA listing for this model year (heavy-duty and some commercial vehicles aren't "
                                "fuel-economy labeled)."));
        QCOMPARE(EPATableRules::emptyNote(0, 1984, false), QStringLiteral("This database lists no engines for this model year."));
        QVERIFY(!EPATableRules::emptyNote(1, 1970, true));
        QVERIFY(!EPATableRules::emptyNote(2, 2020, false));

        const auto rows = EPATableRules::rows(m_data->epa(2, 2015));
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.first(), (EPATableRules::Row{"2.7L 6-cyl turbo", "Automatic (S6)", "Rear-Wheel Drive",
                                                   "Regular Gasoline", "F150 Pickup 2WD"}));
        QCOMPARE(rows[1].engine, QStringLiteral("3.5L 6-cyl turbo (FFV)"));
        const auto electric = EPATableRules::rows(m_data->epa(2, 2016));
        QCOMPARE(electric.size(), 1);
        QCOMPARE(electric.first().engine, QStringLiteral("Electric (150 kW)"));
    }

    void searchTexts()
    {
        QCOMPARE(SearchResultsRules::heading(0, QString()), QStringLiteral("0 results for \u201c\u201d"));
        QCOMPARE(SearchResultsRules::heading(1, QStringLiteral("P0420")), QStringLiteral("1 result for \u201cP0420\u201d"));
        QCOMPARE(SearchResultsRules::heading(2, QStringLiteral("  nav ")), QStringLiteral("2 results for \u201c  nav \u201d"));

        QStringList labels;
        QList<Tone> tones;
        for (SearchKind k : SearchKind::allCases()) {
            labels << SearchResultsRules::label(k);
            tones << SearchResultsRules::tone(k);
        }
        QCOMPARE(labels, (QStringList{"Vehicle", "Code", "Guide", "OBD-I", "Recall"}));
        QCOMPARE(tones, (QList<Tone>{Tone::Accent, Tone::Amber, Tone::Green, Tone::Grey, Tone::Red}));

        SearchHit hit{SearchKind::Vehicle, "1", "Lincoln Navigator", "", 2002};
        QCOMPARE(SearchResultsRules::titleLine(hit), QStringLiteral("2002 Lincoln Navigator"));
        hit.year.reset();
        QCOMPARE(SearchResultsRules::titleLine(hit), QStringLiteral("Lincoln Navigator"));

        QVERIFY(SearchResultsRules::hits(nullptr, QStringLiteral("navigator")).isEmpty());
        const auto hits = SearchResultsRules::hits(m_data.get(), QStringLiteral("  navigator 2002 "));
        QVERIFY(!hits.isEmpty());
        QCOMPARE(hits.first().kind, SearchKind(SearchKind::Vehicle));
        QCOMPARE(SearchResultsRules::titleLine(hits.first()), QStringLiteral("2002 Lincoln Navigator"));
        QVERIFY(SearchResultsRules::hits(m_data.get(), QStringLiteral("alpha")).size() <= SearchResultsRules::limit);
        QCOMPARE(SearchResultsRules::hits(m_data.get(), QStringLiteral("alpha")).size(), SearchResultsRules::limit);
    }
};

QTEST_GUILESS_MAIN(TestScreensVehicle)
#include "test_screens_vehicle.moc"
