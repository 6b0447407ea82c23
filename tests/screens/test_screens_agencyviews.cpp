// The vehicle page's complaint, recall, investigation and bulletin panels,
// the recall sheet and the credits screen, driven offscreen.
#include "app/appmodel.h"
#include "shell/mainwindow.h"
#include "platform/netstatus.h"
#include "data/provenance.h"
#include "data/vorel.h"
#include "kit/kvchromebutton.h"
#include "kit/kvnote.h"
#include "platform/opener.h"
#include "screens/vehicle/complaintchart.h"
#include "screens/credits/creditsview.h"
#include "screens/vehicle/investigationlist.h"
#include "screens/vehicle/recalllist.h"
#include "screens/vehicle/recallrules.h"
#include "screens/vehicle/recallsheet.h"
#include "screens/credits/creditsrules.h"
#include "screens/screensetup.h"
#include "screens/vehicle/tsblist.h"
#include "screens/vehicle/tsblistrules.h"
#include "screens/vehicle/tsbrow.h"
#include "look/tag.h"
#include "support/fakehttp.h"
#include "support/fixturedb.h"
#include "support/fixturemodels.h"
#include "support/settle.h"
#include "support/sqltrace.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

namespace {

// The four panels in one shown column, as the vehicle page holds them.
struct Page
{
    explicit Page(AppModel &m, HttpClient &http)
    {
        auto *outer = new QVBoxLayout(&window);
        outer->addWidget(scroll = new QScrollArea);
        scroll->setWidgetResizable(true);
        auto *column = new QWidget;
        auto *box = new QVBoxLayout(column);
        box->addWidget(chart = new ComplaintChart(m));
        box->addWidget(recalls = new RecallList(m));
        box->addWidget(investigations = new InvestigationList(m));
        box->addWidget(tsbs = new TSBList(m, NetStatus::shared(), http, {[this] { return showAll; }, [this](bool on) { showAll = on; }}));
        scroll->setWidget(column);
        window.resize(1200, 900);
        window.show();
        settle();
    }
    QWidget window;
    QScrollArea *scroll;
    bool showAll = false;
    ComplaintChart *chart;
    RecallList *recalls;
    InvestigationList *investigations;
    TSBList *tsbs;
};

} // namespace

class TestScreensAgencyViews : public QObject
{
    Q_OBJECT

private:
    FixtureDb m_fx;
    FixtureModels m_models{m_fx};
    QList<QUrl> m_opened;

    std::unique_ptr<AppModel> model(qint64 vid, qint64 year)
    {
        auto m = m_models.make();
        m->setCurrentVehicle(vid);
        m->setCurrentYear(year);
        return m;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fx.ok(), qPrintable(m_fx.error()));
        // 45 bulletins for the 2010 Hauler.
        QList<qint64> ids;
        QString rows;
        for (int i = 0; i < 45; ++i) {
            ids << 920000 + i;
            rows += QStringLiteral("%1(%2, 'H-%3', '2010-01-%4', '2010-02-01', 'Service bulletin', 'ENGINE', 'SUMMARY %3')")
                        .arg(i ? "," : "")
                        .arg(920000 + i)
                        .arg(i)
                        .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        }
        QVERIFY(m_fx.exec(QStringLiteral("INSERT INTO tsbs VALUES ") + rows + u';'));
        QVERIFY(m_fx.exec(QStringLiteral("INSERT INTO tsb_links (vehicle_id, model_year, ids, count) VALUES (9103, 2010, X'%1', 45);")
                              .arg(QString::fromLatin1(Vorel::encodeIDs(ids).toHex()))));
        QImage photo(64, 40, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        QVERIFY(photo.save(m_fx.photosFolder() + QStringLiteral("/ford_f150.jpg"), "JPG"));
        Opener::setOpen([this](const QUrl &url) { m_opened << url; });
    }

    void chartAndInvestigationsKeepTheirOpenRow()
    {
        auto m = model(9102, 2014);
        FakeHttp http;
        Page page(*m, http);
        QCOMPARE(page.chart->countText(), QStringLiteral("1,500 complaints"));
        QVERIFY(page.chart->totalsText().startsWith(QStringLiteral("Reports with these complaints: 3 crash")));
        QAbstractButton *powerTrain = page.chart->areaButtons().first();
        powerTrain->click();
        QCOMPARE(m->expandedArea(), QStringLiteral("POWER TRAIN"));
        settle();
        QVERIFY(page.chart->detailLines().first().contains(QStringLiteral("(6.2\u00d7 the usual share)")));
        m->setTsbFilter(QStringLiteral("x")); // another refresh of the page
        settle();
        QVERIFY(!page.chart->detailLines().isEmpty());
        QCOMPARE(page.chart->areaButtons().first(), powerTrain); // the same row, not rebuilt
        powerTrain->click();
        settle();
        QVERIFY(!m->expandedArea());
        QVERIFY(page.chart->detailLines().isEmpty());

        m->setCurrentVehicle(9101);
        m->setCurrentYear(2002);
        settle();
        QCOMPARE(page.recalls->countText(), QStringLiteral("4"));
        QCOMPARE(page.investigations->countText(), QStringLiteral("2"));
        const auto rows = page.investigations->rowButtons();
        rows[1]->click();
        QVERIFY(page.investigations->openLines().isEmpty()); // applied after the click, not inside it
        settle();
        QCOMPARE(page.investigations->openLines(), (QStringList{"Summary one"}));
        m->setCurrentYear(2002);
        settle();
        QCOMPARE(*page.investigations->openAction(), QStringLiteral("PE91001"));
        rows[0]->click();
        settle();
        QCOMPARE(page.investigations->openLines(), (QStringList{"Summary two", "Led to recall 91V002000"}));

        page.recalls->rowButtons().first()->click();
        QVERIFY(m->recallShown());
    }

    void bulletinFilterShowAllAndOffline()
    {
        auto m = model(9103, 2010);
        FakeHttp http;
        Page page(*m, http);
        QCOMPARE(page.tsbs->countText(), QStringLiteral("45 of 45"));
        QCOMPARE(page.tsbs->shownIDs().size(), 40);
        // The pressed button goes, the page stays where it was.
        KVChromeButton *more = page.tsbs->showAllButton();
        page.window.activateWindow();
        page.scroll->ensureWidgetVisible(more);
        settle();
        const int at = page.scroll->verticalScrollBar()->value();
        QVERIFY(at > 0);
        more->setFocus();
        QTest::keyClick(more, Qt::Key_Space);
        settle();
        QVERIFY(page.showAll);
        QCOMPARE(page.tsbs->shownIDs().size(), 45);
        QVERIFY(!page.tsbs->showAllButton());
        QCOMPARE(page.scroll->verticalScrollBar()->value(), at);
        QCOMPARE(QApplication::focusWidget(), page.tsbs->rowButtons().at(40));

        // Typing keeps focus and cursor while the rows refresh.
        QLineEdit *field = page.tsbs->filterField();
        page.window.activateWindow();
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("h-4"));
        settle();
        QCOMPARE(m->tsbFilter(), QStringLiteral("h-4"));
        QCOMPARE(page.tsbs->countText(), QStringLiteral("6 of 45"));
        QVERIFY(field->hasFocus());
        QCOMPARE(field->cursorPosition(), 3);
        QTest::keyClicks(field, QStringLiteral("zz"));
        settle();
        QCOMPARE(page.tsbs->countText(), QStringLiteral("0 of 45"));
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        settle();
        QCOMPARE(page.tsbs->countText(), QStringLiteral("45 of 45"));

        NetStatus::shared().override(false);
        settle();
        for (KVChromeButton *b : page.tsbs->rowButtons())
            QVERIFY(!b->isEnabled() && b->text() == QStringLiteral("Needs internet"));
        NetStatus::shared().override(true);
        settle();
        QVERIFY(page.tsbs->rowButtons().first()->isEnabled());

        // Another year: abridged again, and a late answer for the old one is dropped.
        http.hold = true;
        m_opened.clear();
        page.tsbs->rowButtons().first()->click();
        QVERIFY(page.tsbs->messageText().startsWith(QStringLiteral("Looking for NHTSA's copy of bulletin H-")));
        m->setCurrentYear(2012);
        settle();
        QVERIFY(!page.showAll);
        QVERIFY(page.tsbs->messageText().isEmpty());
        http.release();
        QTRY_COMPARE(http.requests.size(), 2);
        http.release();
        QTRY_COMPARE(m_opened.size(), 1);
        settle();
        QVERIFY(page.tsbs->messageText().isEmpty());
    }

    void bulletinButtonSaysWhenNoBrowserOpened()
    {
        auto m = model(9103, 2010);
        FakeHttp http; // no route
        Page page(*m, http);
        NetStatus::shared().watch(http);
        Opener::setHandler([](const QUrl &, const Opener::Done &done) { done(false); });
        KVChromeButton *button = page.tsbs->rowButtons().at(3);
        QVERIFY(button->isEnabled());
        button->click();
        QTRY_COMPARE(http.requests.size(), 2);
        // The list's own line claims no page is open, and the failed
        // requests took the app offline.
        QTRY_VERIFY(!NetStatus::shared().online());
        QTRY_VERIFY(page.tsbs->messageText().isEmpty());

        // Offline only by that failure: the buttons stay reachable and show
        // the address; a press asks again, and the first answer brings back
        // "Open at NHTSA".
        QVERIFY(NetStatus::shared().offlineByFailure());
        QVERIFY(NetStatus::shared().retryPending());
        settle();
        QVERIFY(button->isEnabled() && button->focusPolicy() & Qt::TabFocus);
        QCOMPARE(button->text(), QStringLiteral("Show address"));
        http.answer = [](HttpClient::Method, const QUrl &) { return HttpReply{404, {}, {}, false}; };
        const qsizetype asked = http.requests.size();
        button->click();
        KVNote *note = KVNote::current();
        QVERIFY(note);
        QVERIFY(note->detail().startsWith(QStringLiteral("https://")));
        QCOMPARE(note->buttons().value(0)->text(), TSBListRules::copyAddress());
        QCOMPARE(http.requests.size(), asked + 1);
        QCOMPARE(http.requests.last().url.path(), QStringLiteral("/"));
        QTRY_VERIFY(NetStatus::shared().online());
        settle();
        QCOMPARE(button->text(), QStringLiteral("Open at NHTSA"));
        note->close();

        // Route loss keeps "Needs internet".
        NetStatus::shared().applyUpdate(false);
        settle();
        QVERIFY(!button->isEnabled() && button->text() == QStringLiteral("Needs internet"));
        http.setObserver({});
        NetStatus::shared().override(true);
        Opener::setOpen([this](const QUrl &url) { m_opened << url; });
    }

    // Filtering shows and hides the rows it built; Tab goes from the filter
    // to the rows' buttons and Return works one; the status line shows under
    // the clicked bulletin; a year without bulletins shows only its line.
    void bulletinRowsKeysAndStatusLine()
    {
        auto m = model(9103, 2010);
        FakeHttp http;
        http.hold = true;
        Page page(*m, http);
        const QList<KVChromeButton *> buttons = page.tsbs->rowButtons();
        QCOMPARE(buttons.size(), 40);
        m->setTsbFilter(QStringLiteral("h-4"));
        settle();
        m->setTsbFilter(QString());
        settle();
        QCOMPARE(page.tsbs->rowButtons(), buttons);

        QLineEdit *field = page.tsbs->filterField();
        page.window.activateWindow();
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), buttons.at(0));
        QTest::keyClick(buttons.at(0), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), buttons.at(1));
        QTest::keyClick(buttons.at(1), Qt::Key_Return);
        settle();
        QVERIFY(page.tsbs->messageText().startsWith(QStringLiteral("Looking for NHTSA's copy")));
        const QWidget *line = page.tsbs->findChild<QWidget *>(QStringLiteral("tsbMessage"));
        QVERIFY(line->y() > buttons.at(1)->parentWidget()->geometry().bottom());
        QVERIFY(line->geometry().bottom() < buttons.at(2)->parentWidget()->y());
        m->setTsbFilter(QStringLiteral("zz")); // its row hidden, the line with it
        settle();
        QVERIFY(line->isHidden());

        m->setCurrentYear(2012);
        settle();
        QVERIFY(page.tsbs->showsEmpty());
        QVERIFY(page.tsbs->countText().isEmpty());
        QVERIFY(!field->isVisible() && page.tsbs->rowButtons().isEmpty());
    }

    // Another vehicle-year reuses the rows: each shows its own bulletin's
    // texts and tag and searches for that bulletin; Tab follows the new rows.
    void bulletinRowsReusedForAnotherVehicle()
    {
        auto m = model(9103, 2010);
        FakeHttp http;
        http.hold = true;
        Page page(*m, http);
        const auto checkRows = [&page] {
            const QList<KVChromeButton *> buttons = page.tsbs->rowButtons();
            QCOMPARE(buttons.size(), page.tsbs->shownIDs().size());
            for (qsizetype i = 0; i < buttons.size(); ++i) {
                auto *row = qobject_cast<TSBRow *>(buttons.at(i)->parentWidget());
                QVERIFY(row && row->isVisible());
                QCOMPARE(row->bulletin().nhtsaID, page.tsbs->shownIDs().at(i));
                QStringList texts;
                for (QLabel *label : row->findChildren<QLabel *>())
                    texts << label->text();
                QVERIFY(texts.contains(TSBListRules::summary(row->bulletin())));
                const QList<Tag *> tags = row->findChildren<Tag *>();
                QCOMPARE(tags.size(), TSBListRules::showsType(row->bulletin()) ? 1 : 0);
                if (!tags.isEmpty())
                    QCOMPARE(tags.first()->text(), row->bulletin().type);
            }
        };
        QCOMPARE(page.tsbs->findChildren<TSBRow *>().size(), 40);
        m->setCurrentVehicle(9101);
        m->setCurrentYear(2002);
        settle();
        QCOMPARE(page.tsbs->shownIDs().size(), 6);
        checkRows();
        QCOMPARE(page.tsbs->findChildren<TSBRow *>().size(), 40);
        const TSB first = qobject_cast<TSBRow *>(page.tsbs->rowButtons().first()->parentWidget())->bulletin();
        page.tsbs->rowButtons().first()->click();
        QCOMPARE(page.tsbs->messageText(), TSBListRules::searching(first));

        m->setCurrentVehicle(9103);
        m->setCurrentYear(2010);
        settle();
        checkRows();
        QCOMPARE(page.tsbs->findChildren<TSBRow *>().size(), 40);
        page.window.activateWindow();
        page.tsbs->filterField()->setFocus();
        QTest::keyClick(page.tsbs->filterField(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), page.tsbs->rowButtons().at(0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), page.tsbs->rowButtons().at(1));
    }

    void pageReadsEachTableOnce()
    {
        auto m = model(9101, 2002);
        m->setScreen(Screen::Vehicle);
        FakeHttp http;
        SqlTrace trace(*m->data()->db);
        std::unique_ptr<QWidget> page(ScreenSetup::vehiclePage(*m, NetStatus::shared(), http));
        page->resize(1200, 800);
        page->show();
        settle();
        for (const char *table : {"FROM complaint_totals", "JOIN recalls", "JOIN investigations", "FROM tsb_links", "FROM tsbs"}) {
            const auto reads = std::count_if(trace.sql.cbegin(), trace.sql.cend(),
                                             [table](const QString &sql) { return sql.contains(QLatin1String(table)); });
            QVERIFY2(reads == 1, table);
        }
    }

    // Another vehicle while the page shows: its column shows again, laid out
    // with the new rows; with the focus in the column, the focus stays.
    void pageSwitchShowsItsColumnAgain()
    {
        auto m = model(9103, 2010);
        m->setScreen(Screen::Vehicle);
        FakeHttp http;
        QWidget window; // with a field outside the page, where hiding would send the focus
        auto *box = new QVBoxLayout(&window);
        box->addWidget(new QLineEdit);
        QWidget *page = ScreenSetup::vehiclePage(*m, NetStatus::shared(), http);
        box->addWidget(page);
        window.resize(1200, 800);
        window.show();
        settle();
        auto *tsbs = page->findChild<TSBList *>();
        QWidget *column = tsbs->parentWidget();
        m->setCurrentVehicle(9101);
        m->setCurrentYear(2002);
        settle();
        QVERIFY(column->isVisible());
        QCOMPARE(tsbs->rowButtons().size(), 6);
        const QWidget *last = tsbs->rowButtons().last()->parentWidget();
        QVERIFY(last->isVisible());
        QVERIFY(last->mapTo(column, QPoint(0, last->height())).y() <= tsbs->geometry().bottom());

        window.activateWindow();
        tsbs->filterField()->setFocus();
        settle();
        QCOMPARE(QApplication::focusWidget(), tsbs->filterField());
        m->setCurrentVehicle(9103);
        m->setCurrentYear(2010);
        settle();
        QVERIFY(tsbs->filterField()->hasFocus());
        QCOMPARE(tsbs->rowButtons().size(), 40);
    }

    void sheetClosesEveryWay()
    {
        auto m = model(9101, 2002);
        MainWindow::setRecallSheetMaker([&m](const QString &campaign, std::function<void()> dismiss) {
            return new RecallSheet(campaign, *m, std::move(dismiss));
        });
        MainWindow window(*m, NetStatus::shared());
        window.resize(1200, 800);
        window.show();
        m->setRecallShown(QStringLiteral("91V001000"));
        settle();
        QDialog *sheet = window.recallSheet();
        QVERIFY(sheet);
        auto *content = sheet->findChild<RecallSheet *>();
        QVERIFY(content && content->found());
        QVERIFY(content->texts().contains(QStringLiteral("Vehicles in this vorel covered (3)")));
        QVERIFY(content->texts().contains(QStringLiteral("Alder Ridgeback: 2002, 2003\nAlder Tern: 2014")));
        QTest::keyClick(sheet, Qt::Key_Escape);
        settle();
        QVERIFY(!m->recallShown());

        m->setRecallShown(QStringLiteral("91V999000"));
        settle();
        content = window.recallSheet()->findChild<RecallSheet *>();
        QVERIFY(!content->found());
        QCOMPARE(content->texts(), QStringList{QStringLiteral("Recall 91V999000 is not in this vorel.")});
        content->findChild<QAbstractButton *>(QStringLiteral("close"))->click();
        settle();
        QVERIFY(!m->recallShown());
        MainWindow::clearMakers();
    }

    // A generated recall's sheet and a generated bulletin's button say they
    // are samples of which no agency copy exists, and ask no agency host.
    void sampleRecordsOfferNoAgencyCopy()
    {
        FixtureDb fx;
        QVERIFY(fx.exec(QStringLiteral("INSERT INTO meta VALUES ('%1', 'generated'), ('%2', 'generated');")
                            .arg(Provenance::metaKey(Provenance::Kind::Recalls),
                                 Provenance::metaKey(Provenance::Kind::Bulletins))));
        FixtureModels models{fx};
        auto m = models.make();
        m->setCurrentVehicle(9101);
        m->setCurrentYear(2002);
        RecallSheet sheet(QStringLiteral("91V001000"), *m, [] {});
        QVERIFY(sheet.found());
        QVERIFY(sheet.texts().contains(Provenance::sampleRecall()));
        QVERIFY(sheet.texts().contains(RecallRules::note(true)));
        for (const QString &text : sheet.texts())
            QVERIFY2(!text.contains(QLatin1String("Recall data from NHTSA")), qPrintable(text));

        FakeHttp http;
        Page page(*m, http);
        m_opened.clear();
        KVChromeButton *button = page.tsbs->rowButtons().value(0);
        auto *row = qobject_cast<TSBRow *>(button->parentWidget());
        QVERIFY(row);
        button->click();
        settle();
        QCOMPARE(page.tsbs->messageText(), TSBListRules::sampleCopy(row->bulletin()));
        QVERIFY(page.tsbs->messageText().contains(QLatin1String("no NHTSA copy")));
        // Offline after a failed request: still no address or agency id to copy.
        NetStatus::shared().applyUpdate(true);
        NetStatus::shared().noteReply(HttpReply{0, {}, "no route", false, true});
        settle();
        QVERIFY(NetStatus::shared().offlineByFailure());
        QVERIFY(button->isEnabled());
        QCOMPARE(button->text(), TSBListRules::buttonText(true));
        button->click();
        settle();
        QVERIFY(!KVNote::current());
        QCOMPARE(page.tsbs->messageText(), TSBListRules::sampleCopy(row->bulletin()));
        QVERIFY(m_opened.isEmpty());
        for (const auto &request : http.requests)
            QVERIFY2(!request.url.path().startsWith(QLatin1String("/odi/")), qPrintable(request.url.toString()));
        NetStatus::shared().override(true);
    }

    void creditsListEveryPhoto()
    {
        auto m = model(9101, 2002);
        CreditsView view(*m);
        view.resize(1200, 900);
        view.show();
        settle();
        QCOMPARE(view.photoRowCount(), 6);
        QCOMPARE(view.thumbnailCount(), 1); // only a readable file inside the photos folder
        QStringList texts;
        for (const QLabel *label : view.findChildren<QLabel *>()) {
            QCOMPARE(label->textFormat(), Qt::PlainText);
            texts << label->text();
        }
        // The fixture carries no page checksums, and the page says so.
        QVERIFY(texts.contains(CreditsRules::uncheckedData()));
    }
};

QTEST_MAIN(TestScreensAgencyViews)
#include "test_screens_agencyviews.moc"
