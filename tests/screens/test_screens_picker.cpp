// The start screen's rules: what the three picker columns list, how clicks
// walk the picker, the example vehicles and the counts line.
#include "app/appmodel.h"
#include "data/vorel.h"
#include "screens/start/homerules.h"
#include "screens/start/pickeractions.h"
#include "screens/start/pickercontent.h"
#include "support/fixturedb.h"

#include <QTemporaryDir>
#include <QTest>

class TestScreensPicker : public QObject
{
    Q_OBJECT

private:
    FixtureDb m_fx;
    QTemporaryDir m_home;
    std::unique_ptr<Vorel> m_data;

    std::unique_ptr<AppModel> model()
    {
        return std::make_unique<AppModel>(
            AppModel::Locations{m_fx.path(), m_fx.photosFolder(), m_home.filePath(QStringLiteral("garage.sqlite"))});
    }

    static QStringList makeKeys(const QList<MakeChoice> &makes)
    {
        QStringList out;
        for (const MakeChoice &m : makes)
            out << m.make;
        return out;
    }
    static QStringList modelNames(const QList<ModelChoice> &models)
    {
        QStringList out;
        for (const ModelChoice &m : models)
            out << m.model;
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fx.ok(), qPrintable(m_fx.error()));
        m_data = m_fx.open();
    }

    void columnsFollowThePickedYearAndMake()
    {
        // Nothing picked: every year newest first, only the hints elsewhere.
        PickerContent c = PickerContent::read(m_data.get(), std::nullopt, std::nullopt, false);
        QVERIFY(!c.years.isEmpty());
        QCOMPARE(c.years.first(), 2016);
        QCOMPARE(c.years.last(), 1975); // 1969 and 2031 lie outside the listed range
        QVERIFY(std::is_sorted(c.years.rbegin(), c.years.rend()));
        QVERIFY(c.makes.isEmpty() && c.models.isEmpty());
        QCOMPARE(c.makeHint, PickerContent::makeHintText());
        QCOMPARE(c.modelHint, PickerContent::modelHintText());
        QCOMPARE(c.makeHint, QStringLiteral("Choose a year first."));
        QCOMPARE(c.modelHint, QStringLiteral("Choose a make."));
        QVERIFY(!c.earlyNote);

        // A year: its makes by display name, heavy-only makes left out.
        c = PickerContent::read(m_data.get(), 2002, std::nullopt, false);
        QVERIFY(!c.makeHint);
        QCOMPARE(c.modelHint, QStringLiteral("Choose a make."));
        QCOMPARE(makeKeys(c.makes), (QStringList{"DODGE", "FORD", "HONDA", "LINCOLN"}));
        QCOMPARE(c.makes[1].count, 3);
        c = PickerContent::read(m_data.get(), 2002, std::nullopt, true);
        QVERIFY(makeKeys(c.makes).contains(QStringLiteral("FREIGHTLINER")));

        // A make: its models, no hint.
        c = PickerContent::read(m_data.get(), 2002, QStringLiteral("FORD"), false);
        QVERIFY(!c.makeHint && !c.modelHint);
        QCOMPARE(modelNames(c.models), (QStringList{"escort wagon", "Explorer", "RANGER"}));

        // Heavy trucks switched off while a heavy-only make is picked: the
        // make stays picked, nothing is listed and no hint shows.
        c = PickerContent::read(m_data.get(), 2002, QStringLiteral("FREIGHTLINER"), false);
        QVERIFY(c.models.isEmpty());
        QVERIFY(!c.modelHint);
        QVERIFY(!makeKeys(c.makes).contains(QStringLiteral("FREIGHTLINER")));
        c = PickerContent::read(m_data.get(), 2002, QStringLiteral("FREIGHTLINER"), true);
        QCOMPARE(modelNames(c.models), QStringList{"M2 106"});
        QCOMPARE(PickerContent::modelTags(c.models.first()), QStringList{"heavy / commercial"});

        // Without reference data nothing at all, not even hints.
        c = PickerContent::read(nullptr, 2002, QStringLiteral("FORD"), false);
        QVERIFY(c.years.isEmpty() && c.makes.isEmpty() && c.models.isEmpty());
        QVERIFY(!c.makeHint && !c.modelHint && !c.earlyNote);
    }

    void earlyYearNoteAndModelTags()
    {
        const auto note = PickerContent::earlyYearNote(1980);
        QVERIFY(note);
        QVERIFY(note->contains(QStringLiteral("models listed for 1980 come only")));
        QVERIFY(note->startsWith(QStringLiteral("Before 1981 there is no official model catalog")));
        QVERIFY(!PickerContent::earlyYearNote(1981));
        QVERIFY(!PickerContent::earlyYearNote(std::nullopt));
        QVERIFY(PickerContent::read(m_data.get(), 1975, std::nullopt, false).earlyNote);

        ModelChoice m{1, QStringLiteral("X"), QStringLiteral("o"), false};
        QCOMPARE(PickerContent::modelTags(m), QStringList{"low confidence"});
        m.sources = QStringLiteral("vo"); // merely containing "o" is not enough
        QVERIFY(PickerContent::modelTags(m).isEmpty());
        m.sources = QStringLiteral("o");
        m.heavy = true;
        QCOMPARE(PickerContent::modelTags(m), (QStringList{"low confidence", "heavy / commercial"}));
    }

    void clicksWalkThePickerLeftToRight()
    {
        auto m = model();
        PickerActions::pickYear(*m, 2002);
        PickerActions::pickMake(*m, QStringLiteral("LINCOLN"));
        QCOMPARE(m->make(), QStringLiteral("LINCOLN"));
        QVERIFY(!m->pickedVehicle());

        PickerActions::pickModel(*m, 1);
        QCOMPARE(m->pickedVehicle(), 1);
        QCOMPARE(m->screen(), Screen(Screen::Vehicle));
        QCOMPARE(m->currentVehicle(), 1);
        QCOMPARE(m->currentYear(), 2002);
        QCOMPARE(m->year(), 2002); // the picker state is kept for the way back

        // A make click clears the model; a year click (even the same year) clears both.
        PickerActions::pickMake(*m, QStringLiteral("FORD"));
        QVERIFY(!m->pickedVehicle());
        PickerActions::pickModel(*m, 3);
        PickerActions::pickYear(*m, 2002);
        QCOMPARE(m->year(), 2002);
        QVERIFY(!m->make() && !m->pickedVehicle());

        // A model picked for a year it lacks opens its latest year.
        m->setYear(2015);
        PickerActions::pickModel(*m, 1);
        QCOMPARE(m->currentYear(), 2003);

        // An example leaves the picker alone.
        PickerActions::pickYear(*m, 2014);
        PickerActions::openExample(*m, 2, 2015);
        QCOMPARE(m->currentVehicle(), 2);
        QCOMPARE(m->currentYear(), 2015);
        QCOMPARE(m->year(), 2014);
        QVERIFY(!m->make() && !m->pickedVehicle());
    }

    void examplesTheDataHoldsInTableOrder()
    {
        const QList<HomeRules::ExampleRow> table = HomeRules::exampleTable();
        QCOMPARE(table.size(), 4);
        QCOMPARE(table[0].year + table[0].make + table[0].model, QStringLiteral("2002LINCOLNNavigator"));
        QCOMPARE(table[3].year + table[3].make + table[3].model, QStringLiteral("1995JEEPCherokee"));

        // The fixture holds the Navigator and the F-150, not the Focus or the Cherokee.
        const QList<HomeRules::Example> ex = HomeRules::examples(*m_data);
        QCOMPARE(ex.size(), 2);
        QCOMPARE(ex[0].label, QStringLiteral("2002 Lincoln Navigator"));
        QCOMPARE(ex[0].vehicleID, 1);
        QCOMPARE(ex[0].year, 2002);
        QCOMPARE(ex[1].label, QStringLiteral("2015 Ford F-150"));

        // Make and model match in any case; a year text that is no number opens no particular year.
        const auto odd = HomeRules::examples(*m_data, {{QStringLiteral("20x2"), QStringLiteral("lincoln"),
                                                        QStringLiteral("NAVIGATOR")}});
        QCOMPARE(odd.size(), 1);
        QCOMPARE(odd[0].label, QStringLiteral("20x2 Lincoln Navigator"));
        QVERIFY(!odd[0].year);
    }

    void countsLine()
    {
        QCOMPARE(HomeRules::countsLine(m_data->counts()),
                 QStringLiteral("12 models \u00b7 3 recalls \u00b7 4 service bulletins \u00b7 120 owner complaints "
                                "(counts) \u00b7 9 trouble codes \u00b7 3 guides"));
        QCOMPARE(HomeRules::countsLine({}),
                 QStringLiteral("0 models \u00b7 0 recalls \u00b7 0 service bulletins \u00b7 0 owner complaints "
                                "(counts) \u00b7 0 trouble codes \u00b7 0 guides"));
        // Counts group their thousands; the guides number never does.
        const QString line = HomeRules::countsLine({{"recalls", 1234}, {"guides", 1234}, {"complaints_total", 2235000}});
        QVERIFY(line.contains(QStringLiteral("1,234 recalls")));
        QVERIFY(line.contains(QStringLiteral("2,235,000 owner complaints")));
        QVERIFY(line.endsWith(QStringLiteral("1234 guides")));

        // The user's locale decides when it is not the C locale.
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(HomeRules::localeCount(1234), QStringLiteral("1.234"));
        QLocale::setDefault(saved);
        QCOMPARE(HomeRules::localeCount(1234), QStringLiteral("1,234"));
    }
};

QTEST_GUILESS_MAIN(TestScreensPicker)
#include "test_screens_picker.moc"
