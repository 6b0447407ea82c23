// The reference screens as a user drives them, offscreen: the picker walk,
// the vehicle page with its header, and opening every kind of search hit.
#include "app/appmodel.h"
#include "data/vorel.h"
#include "garage/garagestore.h"
#include "kit/kvchromebutton.h"
#include "kit/kvnote.h"
#include "kit/kvscale.h"
#include "look/chromerow.h"
#include "platform/opener.h"
#include "screens/shared/clampedtext.h"
#include "screens/vehicle/epatable.h"
#include "screens/start/homeview.h"
#include "screens/vehicle/knownproblems.h"
#include "screens/shared/monodigitstext.h"
#include "screens/vehicle/photoframe.h"
#include "screens/start/pickeractions.h"
#include "screens/start/pickercolumn.h"
#include "screens/search/searchhitrow.h"
#include "screens/search/searchresultsview.h"
#include "screens/start/switchtoggle.h"
#include "screens/vehicle/vehicleheader.h"
#include "screens/vehicle/vehicleview.h"
#include "screens/vehicle/yearmenubutton.h"
#include "support/fixturedb.h"
#include "support/fixturemodels.h"
#include "support/settle.h"

#include <QApplication>
#include <QPushButton>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QPointer>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

namespace {

// Clicks through the window, as a user's click would arrive, after
// scrolling the target into view as the user would.
void clickOn(QWidget *target)
{
    for (QWidget *w = target->parentWidget(); w; w = w->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(w)) {
            area->ensureWidgetVisible(target);
            break;
        }
    }
    QCoreApplication::processEvents();
    QWidget *window = target->window();
    const QPoint at = target->mapTo(window, target->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
}

template <typename W>
void showOffscreen(W &w, QSize size = QSize(1400, 1100))
{
    w.resize(size);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    settle();
}

// Every label of a screen shows its text as plain text.
bool allPlain(const QWidget &screen)
{
    for (const QLabel *label : screen.findChildren<QLabel *>()) {
        if (label->textFormat() != Qt::PlainText)
            return false;
    }
    return true;
}

} // namespace

class TestScreensWidgets : public QObject
{
    Q_OBJECT

private:
    FixtureDb m_fx;
    QTemporaryDir m_home;
    FixtureModels m_models{m_fx};
    QList<QUrl> m_opened;

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fx.ok(), qPrintable(m_fx.error()));
        // An OBD-I entry for the search, and a readable photo for the F-150.
        QVERIFY(m_fx.exec(QStringLiteral("INSERT INTO search (kind, ref, title, body) VALUES ('obd1', 'chrysler', "
                                         "'Chrysler flash codes', 'Chrysler SMEC flash codes with the key');")));
        QVERIFY(m_fx.exec(QStringLiteral(
            "INSERT INTO vehicles (vehicle_id, make, model, make_display, vehicle_types, first_year, last_year, "
            "starts_at_vpic_floor, heavy, confidence, year_source, notes) VALUES (40, 'ACME', '<b>Roadster</b>', "
            "'Acme & <i>Co</i>', 'Passenger Car', 2002, 2002, 0, 0, 'medium', 'vpic', '');"
            "INSERT INTO vehicle_years (vehicle_id, model_year, sources) VALUES (40, 2002, 'v');"
            "INSERT INTO vehicles (vehicle_id, make, model, make_display, vehicle_types, first_year, last_year, "
            "starts_at_vpic_floor, heavy, confidence, year_source, notes) VALUES (41, 'ZED', 'Long Runner', "
            "'Zed', 'Passenger Car', 1976, 1996, 1, 0, 'low', 'nhtsa', '');"
            "INSERT INTO vehicle_years (vehicle_id, model_year, sources) WITH RECURSIVE y(n) AS "
            "(SELECT 1976 UNION ALL SELECT n + 1 FROM y WHERE n < 1996) SELECT 41, n, 'o' FROM y;")));
        QImage photo(64, 40, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        QVERIFY(photo.save(m_fx.photosFolder() + QStringLiteral("/ford_f150.jpg"), "JPG"));
        Opener::setOpen([this](const QUrl &url) { m_opened << url; });
    }

    void pickerWalksYearMakeModel()
    {
        auto m = m_models.make();
        HomeView view(*m);
        showOffscreen(view);
        QVERIFY(view.yearColumn());
        QCOMPARE(view.yearColumn()->title(), QStringLiteral("YEAR"));
        QCOMPARE(view.yearColumn()->keys().first(), QStringLiteral("2016"));
        QCOMPARE(view.makeColumn()->hint(), QStringLiteral("Choose a year first."));
        QCOMPARE(view.modelColumn()->hint(), QStringLiteral("Choose a make."));
        QVERIFY(view.makeColumn()->rows().isEmpty());
        QVERIFY(view.earlyNote().isEmpty());
        QVERIFY(view.countsText().startsWith(QStringLiteral("12 models \u00b7 3 recalls")));

        // A year click: the model changes at once, the columns at the next turn
        // of the event loop; the year rows stay the same widgets.
        QPointer<ChromeRow> row2002 = view.yearColumn()->row(QStringLiteral("2002"));
        QVERIFY(row2002);
        row2002->click();
        QCOMPARE(m->year(), 2002);
        QVERIFY(view.makeColumn()->rows().isEmpty());
        settle();
        QCOMPARE(view.yearColumn()->row(QStringLiteral("2002")), row2002.data());
        QVERIFY(row2002->selected());
        QVERIFY(view.makeColumn()->hint().isEmpty());
        QCOMPARE(view.makeColumn()->rows().size(), 5);

        ChromeRow *lincoln = view.makeColumn()->row(QStringLiteral("LINCOLN\tLincoln\t1"));
        QVERIFY(lincoln);
        clickOn(lincoln);
        settle();
        QVERIFY(lincoln->selected());
        QVERIFY(view.modelColumn()->hint().isEmpty());
        QCOMPARE(view.modelColumn()->rows().size(), 1);

        clickOn(view.modelColumn()->rows().first());
        QCOMPARE(m->screen(), Screen(Screen::Vehicle));
        QCOMPARE(m->currentVehicle(), 1);
        QCOMPARE(m->currentYear(), 2002);
        settle();
        QVERIFY(view.modelColumn()->rows().first()->selected());

        QVERIFY(allPlain(view));

        // Another year clears make and model again.
        ChromeRow *row1975 = view.yearColumn()->row(QStringLiteral("1975"));
        QVERIFY(row1975);
        clickOn(row1975);
        settle();
        QVERIFY(!m->make() && !m->pickedVehicle());
        QCOMPARE(view.modelColumn()->hint(), QStringLiteral("Choose a make."));
        QVERIFY(view.earlyNote().contains(QStringLiteral("models listed for 1975 come only")));
    }

    void heavySwitchAndExamples()
    {
        auto m = m_models.make();
        m->setIncludeHeavy(false);
        HomeView view(*m);
        showOffscreen(view);
        clickOn(view.yearColumn()->row(QStringLiteral("2002")));
        settle();
        QCOMPARE(view.makeColumn()->rows().size(), 5);
        QVERIFY(!view.heavySwitch()->isChecked());
        clickOn(view.heavySwitch());
        QVERIFY(m->includeHeavy());
        settle();
        QVERIFY(view.heavySwitch()->isChecked());
        QCOMPARE(view.makeColumn()->rows().size(), 6);
        clickOn(view.makeColumn()->row(QStringLiteral("FREIGHTLINER\tFreightliner\t1")));
        settle();
        QCOMPARE(view.modelColumn()->rows().size(), 1);
        // Switched off again: the make stays picked, nothing listed, no hint.
        clickOn(view.heavySwitch());
        settle();
        QCOMPARE(m->make(), QStringLiteral("FREIGHTLINER"));
        QVERIFY(view.modelColumn()->rows().isEmpty());
        QVERIFY(view.modelColumn()->hint().isEmpty());

        const auto examples = view.exampleButtons();
        QCOMPARE(examples.size(), 2);
        QCOMPARE(examples[1]->text(), QStringLiteral("2015 Ford F-150"));
        clickOn(examples[1]);
        QCOMPARE(m->currentVehicle(), 2);
        QCOMPARE(m->currentYear(), 2015);
        QCOMPARE(m->make(), QStringLiteral("FREIGHTLINER")); // the picker is left alone
    }

    // The years of the picker line up: every digit takes the same width.
    void yearRowsUseEvenDigits()
    {
        auto m = m_models.make();
        HomeView view(*m);
        showOffscreen(view);
        const auto yearText = [&](const QString &year) -> MonoDigitsText * {
            ChromeRow *row = view.yearColumn()->row(year);
            return row ? row->findChild<MonoDigitsText *>() : nullptr;
        };
        MonoDigitsText *y2014 = yearText(QStringLiteral("2014"));
        MonoDigitsText *y2000 = yearText(QStringLiteral("2000"));
        QVERIFY(y2014 && y2000);
        QCOMPARE(y2014->text(), QStringLiteral("2014"));
        QCOMPARE(y2014->sizeHint().width(), y2000->sizeHint().width());
        QVERIFY(y2014->digitWidth() > 0);
    }

    void noReferenceDataDrawsNothing()
    {
        AppModel m(AppModel::Locations{m_home.filePath("missing.db"), m_home.path(), m_home.filePath("g.sqlite")});
        QVERIFY(!m.data());
        HomeView home(m);
        QVERIFY(!home.yearColumn());
        QVERIFY(home.layout() == nullptr);
        VehicleView page(m);
        QVERIFY(!page.showsPage());
        SearchResultsView results(m);
        m.setSearchText(QStringLiteral("navigator"));
        settle();
        QCOMPARE(results.headingText(), QStringLiteral("0 results for \u201cnavigator\u201d"));
        QVERIFY(results.showsEmptyPanel());
    }

    void vehiclePageInOrder()
    {
        auto m = m_models.make();
        m->openVehicle(1, 2002);
        VehicleView view(*m);
        showOffscreen(view);
        QVERIFY(view.showsPage());

        QStringList order;
        for (QWidget *w : view.sectionWidgets())
            order << w->objectName();
        QCOMPARE(order, (QStringList{"header", "knownFor", "complaints", "recalls", "investigations", "bulletins",
                                     "engines", "credit"}));

        VehicleHeader *h = view.header();
        QCOMPARE(h->makeText(), QStringLiteral("LINCOLN"));
        QCOMPARE(h->modelText(), QStringLiteral("Navigator"));
        QCOMPARE(h->tagTexts(), QStringList{"Official model data"});
        QCOMPARE(h->yearRunsText(), QStringLiteral("1998\u20132003"));
        QVERIFY(h->cautionText().isEmpty());
        QCOMPARE(h->typeText(), QStringLiteral("Type: Multipurpose Passenger Vehicle (SUV/van (MPV))"));
        QCOMPARE(h->yearMenu()->text(), QStringLiteral("Model year 2002"));
        QCOMPARE(h->yearMenu()->years(), (QList<qint64>{2003, 2002, 2001, 2000, 1999, 1998}));
        // A photo record whose file is missing: the outline, with the record's credit.
        QVERIFY(!h->photo()->showsPhoto());
        QVERIFY(h->photo()->silhouette());
        QCOMPARE(h->creditTexts().size(), 2);
        QVERIFY(h->creditTexts().first().startsWith(QStringLiteral("Photo: A. Author, CC BY-SA 4.0")));

        QCOMPARE(view.knownProblems()->headingText(), QStringLiteral("What the 2002 Lincoln Navigator is known for"));
        QCOMPARE(view.knownProblems()->lines(), m->data()->knownProblems(*m->data()->vehicle(1), 2002));
        QVERIFY(view.epaTable()->noteText().isEmpty());
        QCOMPARE(view.epaTable()->itemCount(), 2); // one row and its divider
        QCOMPARE(view.creditText(),
                 QStringLiteral("Data from NHTSA and EPA; not endorsed by them. Recalls are listed as NHTSA publishes them."));

        // Another vehicle from elsewhere updates the same page in place.
        m->openVehicle(2, 2015);
        settle();
        QCOMPARE(view.header()->modelText(), QStringLiteral("F-150"));
        QVERIFY(view.header()->photo()->showsPhoto());
        QCOMPARE(view.epaTable()->itemCount(), 8);
        m->openVehicle(8, 1997);
        settle();
        QCOMPARE(view.header()->tagTexts(), QStringList{"Low confidence"});
        QCOMPARE(view.header()->cautionText(), QStringLiteral("Years from records."));
        QCOMPARE(view.header()->creditTexts(),
                 QStringList{"No licensed photo for this model yet \u2014 outline drawing shown."});
        // A passenger car without rows: no heavy-duty reason.
        QCOMPARE(view.epaTable()->noteText(), QStringLiteral("This database lists no engines for this model year."));
        QCOMPARE(view.epaTable()->itemCount(), 0);

        // Markup in the data is shown as it is.
        m->openVehicle(40, 2002);
        settle();
        QCOMPARE(view.header()->modelText(), QStringLiteral("<b>Roadster</b>"));
        QCOMPARE(view.header()->makeText(), QStringLiteral("ACME & <I>CO</I>"));
        QCOMPARE(view.header()->tagTexts(), QStringList{"Medium confidence"});
        QVERIFY(allPlain(view));
    }

    void returningToThePickerShowsThePick()
    {
        auto m = m_models.make();
        PickerActions::pickYear(*m, 1976);
        PickerActions::pickMake(*m, QStringLiteral("ZED"));
        HomeView view(*m);
        showOffscreen(view);
        // The year lies far below the top of its column, yet it is in view.
        ChromeRow *year = view.yearColumn()->row(QStringLiteral("1976"));
        QVERIFY(year && year->selected());
        QVERIFY(!year->visibleRegion().isEmpty());
        ChromeRow *newest = view.yearColumn()->row(QStringLiteral("2016"));
        QVERIFY(newest);
        QVERIFY(newest->visibleRegion().isEmpty());
        QCOMPARE(view.makeColumn()->rows().size(), 1);
        QVERIFY(view.makeColumn()->rows().first()->selected());
        QCOMPARE(view.modelColumn()->rows().size(), 1);
        QVERIFY(view.earlyNote().contains(QStringLiteral("1976")));
    }

    void headerGarageStateAndYearMenu()
    {
        auto m = m_models.make();
        m->openVehicle(1, 2002);
        VehicleView view(*m);
        showOffscreen(view);
        VehicleHeader *h = view.header();
        KVChromeButton *garage = h->garageButton();
        QCOMPARE(garage->text(), QStringLiteral("Add to My Garage"));
        clickOn(garage);
        QCOMPARE(garage->text(), QStringLiteral("Added to My Garage"));
        QVERIFY(!garage->isEnabled());
        QCOMPARE(m->garage()->vehicles().size(), 1);
        QCOMPARE(m->selectedGarage(), m->garage()->vehicles().first().id);
        view.setShowAllTSB(true);

        // A refresh of the same vehicle and year keeps both flags.
        m->setCurrentYear(2002);
        settle();
        QVERIFY(h->added());
        QVERIFY(view.showAllTSB());
        QVERIFY(!garage->isEnabled());

        // Another year from the header's menu resets both.
        h->yearMenu()->pick(2001);
        QCOMPARE(m->currentYear(), 2001);
        settle();
        QCOMPARE(h->yearMenu()->text(), QStringLiteral("Model year 2001"));
        QCOMPARE(garage->text(), QStringLiteral("Add to My Garage"));
        QVERIFY(garage->isEnabled());
        QVERIFY(!view.showAllTSB());

        // Back to the first year: the header adds a second garage vehicle.
        h->yearMenu()->pick(2002);
        settle();
        clickOn(garage);
        QCOMPARE(m->garage()->vehicles().size(), 2);

        clickOn(h->recallButton());
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(m_opened.last().path(), QStringLiteral("/recalls"));

        // No browser: the address shows beside the link, to copy.
        Opener::setHandler([](const QUrl &, const Opener::Done &done) { done(false); });
        clickOn(h->recallButton());
        QTRY_VERIFY(KVNote::current());
        QCOMPARE(KVNote::current()->detail(), QUrl(m_opened.last()).toString());
        QCOMPARE(KVNote::current()->buttons().first()->text(), QStringLiteral("Copy address"));
        KVNote::current()->close();
        Opener::setOpen([this](const QUrl &url) { m_opened << url; });
    }

    void emptyStateLeadsHome()
    {
        auto m = m_models.make();
        m->setCurrentVehicle(std::nullopt);
        m->setCurrentYear(std::nullopt);
        m->setScreen(Screen::Vehicle);
        VehicleView view(*m);
        showOffscreen(view);
        QVERIFY(!view.showsPage());
        // A vehicle without a year is no page either.
        m->setCurrentVehicle(1);
        settle();
        QVERIFY(!view.showsPage());
        auto *button = view.findChild<KVChromeButton *>(QStringLiteral("findVehicle"));
        QVERIFY(button && button->isVisible());
        clickOn(button);
        QCOMPARE(m->screen(), Screen(Screen::Home));
    }

    // A wrapping label gets the height of all its lines at the width it is
    // given, aligned or stretched, at any size and zoom.
    void wrappedLabelsAreTallEnough()
    {
        auto m = m_models.make();
        m->setCurrentVehicle(std::nullopt);
        VehicleView view(*m);
        for (const QSize size : {QSize(1400, 900), QSize(420, 700), QSize(300, 700), QSize(900, 700)}) {
            if (size.width() == 900) { // the page itself
                m->openVehicle(1, 2002);
                settle();
            }
            for (const double zoom : {1.0, 1.5}) {
                KVScale::shared().setFactor(zoom);
                showOffscreen(view, size);
                int checked = 0;
                for (const QLabel *label : view.findChildren<QLabel *>()) {
                    if (!label->isVisible() || !label->wordWrap())
                        continue;
                    ++checked;
                    QVERIFY2(label->height() >= label->QLabel::heightForWidth(label->width()),
                             qPrintable(label->text()));
                }
                QVERIFY(checked > 0);
            }
        }
        KVScale::shared().setFactor(1.0);
    }

    // Clamped text rewraps when its text or the zoom changes, at a width it
    // was asked about before.
    void clampedTextFollowsTextAndZoom()
    {
        ClampedText text(12, QFont::Normal, 2);
        text.setText(QStringLiteral("short"));
        QCOMPARE(text.linesAt(200), QStringList{QStringLiteral("short")});
        const int narrow = text.sizeHint().width();
        text.setText(QStringLiteral("a much longer line of words that needs two lines and then some more words"));
        const QStringList two = text.linesAt(200);
        QCOMPARE(two.size(), 2);
        QVERIFY(two.last().endsWith(QChar(0x2026)));
        QVERIFY(text.sizeHint().width() > narrow);
        const int height = text.heightForWidth(200);
        KVScale::shared().setFactor(1.5);
        QVERIFY(text.linesAt(200) != two);
        QVERIFY(text.heightForWidth(200) > height);
        KVScale::shared().setFactor(1.0);
        QCOMPARE(text.linesAt(200), two);
        // Lines broken again at other widths are those of a text measured afresh.
        for (int width : {90, 333, 41}) {
            ClampedText fresh(12, QFont::Normal, 2);
            fresh.setText(text.text());
            QCOMPARE(text.linesAt(width), fresh.linesAt(width));
        }
    }

    // Up and Down walk the year and make lists; Return opens the model.
    void pickerByKeyboard()
    {
        auto m = m_models.make();
        HomeView view(*m);
        showOffscreen(view);
        QApplication::setActiveWindow(&view);
        QVERIFY(view.yearColumn()->rows().size() > 1);
        ChromeRow *first = view.yearColumn()->rows().first();
        QCOMPARE(view.yearColumn()->rows().at(1)->focusPolicy(), Qt::ClickFocus);
        // Tab goes from the switch to the year column's one stop.
        auto *heavy = view.findChild<SwitchToggle *>();
        heavy->setFocus(Qt::TabFocusReason);
        QTest::keyClick(heavy, Qt::Key_Tab);
        QVERIFY(first->hasFocus());
        QTest::keyClick(first, Qt::Key_Down);
        QCOMPARE(m->year(), view.yearColumn()->keys().at(1).toLongLong());
        QVERIFY(view.yearColumn()->rows().at(1)->hasFocus());
        ChromeRow *row2002 = view.yearColumn()->row(QStringLiteral("2002"));
        QVERIFY(row2002);
        clickOn(row2002);
        settle();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!view.makeColumn()->rows().isEmpty());
        ChromeRow *make = view.makeColumn()->rows().first();
        QVERIFY(make->hasFocus());
        QTest::keyClick(make, Qt::Key_End);
        settle();
        QCOMPARE(*m->make(), QStringLiteral("LINCOLN"));
        QVERIFY(!view.modelColumn()->rows().isEmpty());
        ChromeRow *navigator = view.modelColumn()->rows().first();
        navigator->setFocus(Qt::TabFocusReason);
        QTest::keyClick(navigator, Qt::Key_Up); // nothing above: nothing opens
        QCOMPARE(m->screen(), Screen(Screen::Home));
        QTest::keyClick(navigator, Qt::Key_Return);
        QCOMPARE(m->screen(), Screen(Screen::Vehicle));
        QCOMPARE(m->currentVehicle(), 1);
    }

    // Typing in a search box beside the results keeps its focus and cursor
    // while the list follows every keystroke.
    void typingKeepsTheSearchBox()
    {
        auto m = m_models.make();
        QWidget window;
        auto *box = new QVBoxLayout(&window);
        auto *field = new QLineEdit;
        box->addWidget(field);
        auto *view = new SearchResultsView(*m);
        box->addWidget(view);
        connect(field, &QLineEdit::textChanged, m.get(), &AppModel::setSearchText);
        showOffscreen(window);
        window.activateWindow();
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("navig"));
        settle();
        QVERIFY(!view->rows().isEmpty());
        QTest::keyClicks(field, QStringLiteral("ator"));
        settle();
        QCOMPARE(field->text(), QStringLiteral("navigator"));
        QVERIFY(field->hasFocus());
        QCOMPARE(field->cursorPosition(), 9);
        QVERIFY(view->headingText().endsWith(QStringLiteral("for \u201cnavigator\u201d")));
    }

    void searchHitsOpenTheirScreens()
    {
        auto m = m_models.make();
        m->setScreen(Screen::Search);
        SearchResultsView view(*m);
        showOffscreen(view);
        QCOMPARE(view.headingText(), QStringLiteral("0 results for \u201c\u201d"));
        QVERIFY(view.showsEmptyPanel());

        const auto firstRow = [&](const QString &text) -> SearchHitRow * {
            m->setSearchText(text);
            settle();
            return view.rows().value(0);
        };

        SearchHitRow *row = firstRow(QStringLiteral("navigator 2002"));
        QVERIFY(row);
        QVERIFY(!view.showsEmptyPanel());
        QCOMPARE(row->tagText(), QStringLiteral("Vehicle"));
        QCOMPARE(row->titleText(), QStringLiteral("2002 Lincoln Navigator"));
        clickOn(row);
        QCOMPARE(m->screen(), Screen(Screen::Vehicle));
        QCOMPARE(m->currentYear(), 2002);

        row = firstRow(QStringLiteral("P0420"));
        QVERIFY(row);
        QCOMPARE(row->tagText(), QStringLiteral("Code"));
        clickOn(row);
        QCOMPARE(m->screen(), Screen(Screen::Codes));
        QCOMPARE(m->selectedCode(), QStringLiteral("P0420"));

        row = firstRow(QStringLiteral("overheating"));
        QVERIFY(row);
        QCOMPARE(row->tagText(), QStringLiteral("Guide"));
        m->setGuidePath({QStringLiteral("level")});
        clickOn(row);
        QCOMPARE(m->screen(), Screen(Screen::Guides));
        QCOMPARE(m->selectedGuide(), QStringLiteral("overheating"));
        QVERIFY(m->guidePath().isEmpty());

        row = firstRow(QStringLiteral("flash codes"));
        QVERIFY(row);
        QCOMPARE(row->tagText(), QStringLiteral("OBD-I"));
        clickOn(row);
        QCOMPARE(m->screen(), Screen(Screen::Obd1));

        // A recall opens its sheet over the results, which stay.
        m->setScreen(Screen::Search);
        row = firstRow(QStringLiteral("air suspension"));
        QVERIFY(row);
        QCOMPARE(row->tagText(), QStringLiteral("Recall"));
        QPointer<SearchHitRow> kept = row;
        clickOn(row);
        QCOMPARE(m->recallShown(), QStringLiteral("05V388000"));
        QCOMPARE(m->screen(), Screen(Screen::Search));
        settle();
        QVERIFY(kept);
        QCOMPARE(view.rows().value(0), kept.data());

        // Typing on: same hits keep their rows; nothing found shows the panel.
        m->setSearchText(QStringLiteral("air suspension "));
        settle();
        QCOMPARE(view.rows().value(0), kept.data());
        QCOMPARE(view.headingText(), QStringLiteral("1 result for \u201cair suspension \u201d"));
        m->setSearchText(QStringLiteral("zzzqqq"));
        settle();
        QVERIFY(view.rows().isEmpty());
        QVERIFY(view.showsEmptyPanel());
        QVERIFY(allPlain(view));
    }
    // A row showing the same hit with longer texts grows to fit them; the
    // results reuse their rows from search to search, and a hidden view
    // searches again only when shown, at the top.
    void hitRowsGrowAndAreReused()
    {
        QWidget holder;
        auto *row = new SearchHitRow({SearchKind::Code, QStringLiteral("P0420"), QStringLiteral("P0420"), {}, {}});
        (new QVBoxLayout(&holder))->addWidget(row, 0, Qt::AlignTop);
        showOffscreen(holder, QSize(360, 600));
        const int shortHeight = row->height();
        const QString words = QStringLiteral("catalyst efficiency below threshold on bank one ").repeated(4);
        row->setHit({SearchKind::Code, QStringLiteral("P0420"), words, words, {}});
        settle();
        QVERIFY(row->height() > shortHeight);
        for (const QWidget *w : row->findChildren<QWidget *>()) {
            if (w->isVisible() && w->hasHeightForWidth())
                QVERIFY(w->height() >= w->heightForWidth(w->width()));
        }
        QCOMPARE(row->accessibleName(), QStringLiteral("Code: ") + words);

        auto m = m_models.make();
        SearchResultsView view(*m);
        showOffscreen(view, QSize(700, 200));
        m->setSearchText(QStringLiteral("ford"));
        settle();
        const QList<SearchHitRow *> first = view.rows();
        QVERIFY(first.size() > 1);
        m->setSearchText(QStringLiteral("P0420"));
        settle();
        QVERIFY(view.rows().size() < first.size());
        QCOMPARE(view.rows().first(), first.first());
        QCOMPARE(view.rows().first()->tagText(), QStringLiteral("Code"));
        QVERIFY(view.rows().first()->isVisible() && !first.last()->isVisible());
        m->setSearchText(QStringLiteral("ford"));
        settle();
        QCOMPARE(view.rows(), first);
        QCOMPARE(view.findChildren<SearchHitRow *>().size(), first.size());

        auto *bar = view.findChild<QScrollArea *>()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        view.hide();
        m->setSearchText(QStringLiteral("P0420"));
        settle();
        QVERIFY(view.headingText().endsWith(QStringLiteral("\u201cford\u201d")));
        view.show();
        QVERIFY(view.headingText().endsWith(QStringLiteral("\u201cP0420\u201d")));
        QCOMPARE(bar->value(), 0);
    }

    // An example's name comes from the data and shows exactly as stored. The
    // vehicle it adds is taken out again, whatever the outcome, so the other
    // tests never see it.
    void exampleNamesShowVerbatim()
    {
        const auto removed = qScopeGuard([this] {
            m_fx.exec(QStringLiteral("DELETE FROM vehicle_years WHERE vehicle_id = 42;"
                                     "DELETE FROM vehicles WHERE vehicle_id = 42;"));
        });
        QVERIFY(m_fx.exec(QStringLiteral(
            "INSERT INTO vehicles (vehicle_id, make, model, make_display, vehicle_types, first_year, last_year, "
            "starts_at_vpic_floor, heavy, confidence, year_source, notes) VALUES (42, 'JEEP', 'Cherokee', "
            "'Jeep & Willys', 'MPV', 1984, 2001, 0, 0, 'high', 'vpic', '');"
            "INSERT INTO vehicle_years (vehicle_id, model_year, sources) VALUES (42, 1995, 'v');")));
        auto m = m_models.make();
        HomeView view(*m);
        showOffscreen(view);
        const auto examples = view.exampleButtons();
        QCOMPARE(examples.size(), 3);
        QCOMPARE(examples.last()->text(), QStringLiteral("1995 Jeep & Willys Cherokee"));
        clickOn(examples.last());
        QCOMPARE(m->currentVehicle(), 42);
        QCOMPARE(m->currentYear(), 1995);
    }
};

QTEST_MAIN(TestScreensWidgets)
#include "test_screens_widgets.moc"
