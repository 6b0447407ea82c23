// The trouble-code, guide and OBD-I screens driven offscreen as a user would:
// typing in the code filter, clicking and keying through the lists, walking a
// guide, reading the OBD-I cards, and search hits landing on the screens.
#include "app/appmodel.h"
#include "shell/mainwindow.h"
#include "platform/netstatus.h"
#include "data/vorel.h"
#include "kit/kvchromebutton.h"
#include "kit/kvkittheme.h"
#include "kit/kvlinklabel.h"
#include "kit/kvscale.h"
#include "kit/kvsearchfield.h"
#include "kit/kvtextlabel.h"
#include "screens/codes/codedetail.h"
#include "screens/codes/codelistmodel.h"
#include "screens/codes/coderowdelegate.h"
#include "screens/codes/codesview.h"
#include "screens/codes/filterchip.h"
#include "screens/guides/guidelistmodel.h"
#include "screens/guides/guiderunner.h"
#include "screens/guides/guidestepbox.h"
#include "screens/guides/guidesview.h"
#include "screens/obd1/obd1view.h"
#include "screens/codes/tagflow.h"
#include "look/fvrender.h"
#include "look/gaugelabel.h"
#include "look/tag.h"
#include "platform/opener.h"
#include "support/fixturedb.h"
#include "support/fixturemodels.h"
#include "support/settle.h"

#include <QLabel>
#include <QLineEdit>
#include <QHBoxLayout>
#include <QListView>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

void show(QWidget &w)
{
    w.resize(1300, 900);
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    settle();
}

void clickRow(QListView *list, int row)
{
    const QRect r = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    settle();
}

// What a pane shows and where: its visible texts, tags included, in order.
QStringList shownTexts(const QWidget *pane)
{
    QStringList out;
    for (const QWidget *w : pane->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(pane))
            continue;
        const QRect r(w->mapTo(pane, QPoint()), w->size());
        const QString at = QStringLiteral(" @%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        if (const auto *l = qobject_cast<const QLabel *>(w))
            out << l->text() + at;
        else if (const auto *t = qobject_cast<const Tag *>(w))
            out << t->text() + at;
    }
    return out;
}

QString labelNamed(const QWidget *w, const QString &name)
{
    const auto *l = w->findChild<QLabel *>(name);
    return l ? l->text() : QString();
}

} // namespace

class TestScreensRefWidgets : public QObject
{
    Q_OBJECT

private:
    FixtureDb m_fx;
    FixtureModels m_models{m_fx};

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fx.ok(), qPrintable(m_fx.error()));
        // A thousand more codes, as in the real list.
        QVERIFY(m_fx.exec(QStringLiteral(
            "INSERT INTO obd_codes (code, system, family, title, meaning, causes, symptoms, check_first, "
            "seriousness, note, review_status) WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
            "WHERE i < 999) SELECT printf('P2%03d', i), 'Engine', 'filler', 'Filler code ' || i, '', '', '', '', "
            "'drive', '', 'draft' FROM n;")));
        NetStatus::shared().override(true);
    }

    void filterTypingKeepsFocusAndSelection()
    {
        auto m = m_models.make();
        CodesView view(*m);
        show(view);
        QCOMPARE(view.listModel()->rowCount(), 1009);
        QCOMPARE(view.countText(), QStringLiteral("1009 of 1009 codes"));

        QLineEdit *edit = view.filterField()->lineEdit();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("p04"));
        settle();
        QVERIFY(edit->hasFocus());
        QCOMPARE(edit->cursorPosition(), 3);
        QCOMPARE(m->codeFilter(), QStringLiteral("p04"));
        QCOMPARE(view.listModel()->codeAt(0), QStringLiteral("P0420"));
        // Typing never selects; the detail follows the first match meanwhile.
        QVERIFY(!m->selectedCode());
        QCOMPARE(view.detail()->code(), QStringLiteral("P0420"));

        QTest::keyClick(edit, Qt::Key_Return);
        settle();
        QCOMPARE(m->selectedCode(), QStringLiteral("P0420"));
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("p1234"));
        QTest::keyClick(edit, Qt::Key_Return);
        settle();
        QCOMPARE(m->selectedCode(), QStringLiteral("P1234"));
        QCOMPARE(view.detail()->content(), CodeDetailRules::Content::Structure);
        QCOMPARE(labelNamed(view.detail(), QStringLiteral("code")), QStringLiteral("P1234"));
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("hello"));
        QTest::keyClick(edit, Qt::Key_Return);
        settle();
        QCOMPARE(view.detail()->content(), CodeDetailRules::Content::Prompt);
        QVERIFY(view.detail()->garageSlot()->isHidden());
    }

    // The code and guide lists' scroll bars take the theme's palette, as every
    // other scroller does, not the application's light one.
    void listScrollBarsFollowTheTheme()
    {
        auto m = m_models.make();
        QWidget root;
        const KVKitTheme theme = KVKitTheme::current();
        root.setPalette(theme.widgetPalette(theme.accent));
        auto *box = new QHBoxLayout(&root);
        box->addWidget(new CodesView(*m));
        box->addWidget(new GuidesView(*m));
        show(root);
        for (const char *name : {"codeList", "guideList"}) {
            auto *list = root.findChild<QListView *>(QLatin1String(name));
            QVERIFY(list);
            QCOMPARE(list->verticalScrollBar()->palette().color(QPalette::Window), KVKitTheme::current().bg);
            QCOMPARE(list->verticalScrollBar()->palette().color(QPalette::Button), KVKitTheme::current().panelBottom);
        }
    }

    void clicksAndKeysInTheCodeList()
    {
        auto m = m_models.make();
        CodesView view(*m);
        show(view);
        // The Stop chip narrows the list; a row click then changes the model
        // that rebuilt the list, and the detail follows.
        view.chips()[3]->click();
        settle();
        QCOMPARE(m->codeLevel(), Seriousness::Stop);
        QVERIFY(view.chips()[3]->active());
        QVERIFY(!view.chips()[0]->active());
        QCOMPARE(view.listModel()->rowCount(), 2);
        clickRow(view.listView(), 1);
        QCOMPARE(m->selectedCode(), QStringLiteral("U0100"));
        QCOMPARE(view.detail()->content(), CodeDetailRules::Content::Explanation);
        QCOMPARE(labelNamed(view.detail(), QStringLiteral("title")), QStringLiteral("Lost communication with ECM/PCM A"));

        // The selection stays shown when the filter hides its row.
        view.chips()[1]->click();
        settle();
        QCOMPARE(view.detail()->code(), QStringLiteral("U0100"));

        view.chips()[0]->click();
        settle();
        view.listView()->setFocus();
        view.listView()->setCurrentIndex(view.listModel()->index(0, 0));
        QTest::keyClick(view.listView(), Qt::Key_Down);
        QTest::keyClick(view.listView(), Qt::Key_Down);
        QCOMPARE(m->selectedCode(), view.listModel()->codeAt(2)); // the arrows open the row
        QTest::keyClick(view.listView(), Qt::Key_Return);
        settle();
        QCOMPARE(m->selectedCode(), view.listModel()->codeAt(2));
    }

    void garageRowHook()
    {
        auto m = m_models.make();
        QVERIFY(m->garage());
        QStringList asked;
        CodeDetail::setGarageRowMaker([&asked](GarageStore &, AppModel &, const QString &code) {
            asked << code;
            return new QLabel(code);
        });
        CodeDetail detail(*m);
        detail.showCode(m->data(), QStringLiteral("p0301"));
        QPointer<QLabel> first = detail.garageSlot()->findChild<QLabel *>();
        detail.showCode(m->data(), QStringLiteral("X1234"));
        // A replaced panel waits, hidden, for the next change; the slot stays.
        QVERIFY(first && first->isHidden());
        detail.showCode(m->data(), QStringLiteral("P1234"));
        CodeDetail::setGarageRowMaker({});
        QVERIFY(!first);
        QCOMPARE(asked, (QStringList{"P0301", "P1234"}));
        QVERIFY(!detail.garageSlot()->isHidden());
        QCOMPARE(detail.garageSlot()->findChildren<QLabel *>().size(), 1);
        // What the earlier codes showed is gone at once, not on a later round.
        QCOMPARE(detail.findChildren<QLabel *>(QStringLiteral("code")).size(), 1);
    }

    void guideWalkBackAndStartOver()
    {
        auto m = m_models.make();
        GuidesView view(*m);
        show(view);
        // No selection: the first guide of the table runs, no row is lit.
        QCOMPARE(view.runner()->path(), QStringList{"crank"});
        QCOMPARE(view.listModel()->data(view.listModel()->index(0, 0), GuideListModel::HeadingRole).toBool(), true);

        clickRow(view.listView(), view.listModel()->rowOf(QStringLiteral("overheating")));
        QCOMPARE(m->selectedGuide(), QStringLiteral("overheating"));
        GuideStepBox *step = view.runner()->stepBox();
        QVERIFY(step && !step->backButton());
        step->answerButtons()[0]->setFocus();
        QTest::keyClick(step->answerButtons()[0], Qt::Key_Space);
        settle();
        QCOMPARE(m->guidePath(), (QStringList{"level", "topup"}));
        // The keyboard stays in the new step box.
        step = view.runner()->stepBox();
        QVERIFY(step->answerButtons()[0]->hasFocus());
        QCOMPARE(step->answerButtons()[0]->text(), QStringLiteral("Done \u2014 next"));
        step->answerButtons()[0]->click();
        settle();
        step = view.runner()->stepBox();
        QVERIFY(step->answerButtons().isEmpty());
        QCOMPARE(view.runner()->findChild<QLabel *>(QStringLiteral("answers"))->text(),
                 QStringLiteral("Your answers: Is the coolant level low when the engine is \u2026 \u2192 Yes   \u203a   "
                                "Top up with the coolant type in the manual. \u2192 Done"));
        step->backButton()->click();
        settle();
        QCOMPARE(m->guidePath(), (QStringList{"level", "topup"}));
        view.runner()->stepBox()->startOverButton()->click();
        settle();
        QVERIFY(m->guidePath().isEmpty());
        QCOMPARE(view.runner()->path(), QStringList{"level"});
    }

    void obd1CardsInSortOrder()
    {
        auto m = m_models.make();
        OBD1View view(*m);
        show(view);
        const QList<QWidget *> cards = view.cards();
        QCOMPARE(cards.size(), 3);
        QCOMPARE(labelNamed(cards[0], QStringLiteral("cardTitle")), QStringLiteral("Ford"));
        QCOMPARE(labelNamed(cards[1], QStringLiteral("cardTitle")), QStringLiteral("GM"));
        // Steps that did not parse: the reading text stands without its heading.
        QStringList fordTexts;
        for (const QLabel *l : cards[0]->findChildren<QLabel *>())
            fordTexts << l->text();
        QVERIFY(fordTexts.contains(QStringLiteral("Needle sweeps or flashes")));
        QVERIFY(!cards[1]->findChildren<QLabel *>().isEmpty());
        for (const QLabel *l : view.findChildren<QLabel *>())
            QCOMPARE(l->textFormat(), Qt::PlainText);
    }

    void listModelsKeepTheirRowsAndSkipHeadings()
    {
        auto m = m_models.make();
        CodeListModel codes;
        const QList<OBDCode> all = m->data()->allCodes();
        codes.setCodes(all);
        QSignalSpy resets(&codes, &QAbstractItemModel::modelReset);
        QSignalSpy changes(&codes, &QAbstractItemModel::dataChanged);
        codes.setCodes(all);
        QCOMPARE(resets.size(), 0);
        codes.setSelectedCode(QStringLiteral("P0171"));
        codes.setSelectedCode(QStringLiteral("U0100"));
        QCOMPARE(changes.size(), 3); // on, then off and on
        QVERIFY(codes.data(codes.index(codes.rowOf(QStringLiteral("U0100"))), CodeListModel::SelectedRole).toBool());
        QVERIFY(!codes.data(codes.index(codes.rowOf(QStringLiteral("P0171"))), CodeListModel::SelectedRole).toBool());

        // Arrow keys pass over the group headings.
        GuidesView view(*m);
        show(view);
        QListView *list = view.listView();
        GuideListModel *rows = view.listModel();
        QCOMPARE(rows->guideAt(0), QString());
        QCOMPARE(rows->flags(rows->index(0)), Qt::NoItemFlags);
        list->setFocus();
        list->setCurrentIndex(rows->index(rows->rowOf(QStringLiteral("brakes"))));
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(rows->guideAt(list->currentIndex().row()), QStringLiteral("overheating"));
        QTest::keyClick(list, Qt::Key_Return);
        settle();
        QCOMPARE(m->selectedGuide(), QStringLiteral("overheating"));
    }

    void runnerIgnoresAnotherGuidesWalk()
    {
        auto m = m_models.make();
        m->openGuide(QStringLiteral("no-start"));
        m->setGuidePath({QStringLiteral("level"), QStringLiteral("topup")});
        GuidesView view(*m);
        show(view);
        // The first id is not a node of this guide: the run starts over.
        QCOMPARE(view.runner()->path(), QStringList{"crank"});
        QVERIFY(!view.runner()->stepBox()->backButton());
        // A last id of no node shows the start node, numbered by the whole walk.
        m->setGuidePath({QStringLiteral("crank"), QStringLiteral("fuel")});
        settle();
        QCOMPARE(labelNamed(view.runner()->stepBox(), QStringLiteral("stepText")),
                 QStringLiteral("Does the engine crank?"));
        QCOMPARE(view.runner()->stepBox()->findChild<GaugeLabel *>(QStringLiteral("stepLabel"))->text(),
                 QStringLiteral("Step 2"));
        QVERIFY(view.runner()->stepBox()->backButton());

        // A guide without steps (and whose sources did not parse): no step
        // box; the professional box keeps its link, the note without a source has none.
        m->openGuide(QStringLiteral("brakes"));
        settle();
        QVERIFY(!view.runner()->stepBox());
        QVERIFY(view.runner()->findChild<QWidget *>(QStringLiteral("proBox")));
        QCOMPARE(labelNamed(view.runner(), QStringLiteral("safetyTitle")), QStringLiteral("Use jack stands"));
        auto linkTexts = [&view] {
            QStringList texts;
            for (KVLinkLabel *l : view.runner()->findChildren<KVLinkLabel *>())
                texts << l->text();
            return texts;
        };
        QCOMPARE(linkTexts(), QStringList{"Find an ASE-certified technician"});

        QList<QUrl> opened;
        Opener::setOpen([&opened](const QUrl &u) { opened << u; });
        m->openGuide(QStringLiteral("overheating"));
        settle();
        QCOMPARE(linkTexts(), (QStringList{"Source: NHTSA \u2014 Cooling system care", "Find an ASE-certified technician",
                                           "NHTSA: Cooling system care"}));
        view.runner()->findChildren<KVLinkLabel *>().last()->activate();
        Opener::reset();
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("https://www.nhtsa.gov/cooling"))});
    }

    void detailTagsNoteAndSnapshotRows()
    {
        auto m = m_models.make();
        CodeDetail detail(*m);
        detail.showCode(m->data(), QStringLiteral("P0301"));
        const auto *tags = detail.findChild<TagFlow *>(QStringLiteral("tags"));
        QStringList chips;
        for (QWidget *w : tags->chips())
            chips << static_cast<Tag *>(w)->text();
        QCOMPARE(chips, (QStringList{"Draft \u2014 under technician review", "Ignition", "misfire", "Generic (all makes)"}));
        const auto *note = detail.findChild<QWidget *>(QStringLiteral("note"));
        QVERIFY(note && note->isVisibleTo(&detail));
        detail.showCode(m->data(), QStringLiteral("B1000"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        note = detail.findChild<QWidget *>(QStringLiteral("note"));
        QVERIFY(!note || !note->isVisibleTo(&detail));

        // Another listed code reuses the explanation: it shows what a new pane
        // would, whatever came before (tags, note, longer and shorter blocks).
        detail.resize(640, 1300);
        detail.show();
        for (const char *code : {"P0301", "P0171", "U0100", "P0171", "P0301"}) {
            detail.showCode(m->data(), QString::fromLatin1(code));
            CodeDetail fresh(*m);
            fresh.showCode(m->data(), QString::fromLatin1(code));
            fresh.resize(detail.size());
            fresh.show();
            settle();
            QCOMPARE(shownTexts(&detail), shownTexts(&fresh));
        }

        // Chips wrap rather than widen the pane.
        const auto *flow = detail.findChild<TagFlow *>(QStringLiteral("tags"));
        QVERIFY(flow->heightForWidth(flow->minimumSizeHint().width()) > flow->heightForWidth(2000));

        FVRender::snapshotMode = true;
        CodesView view(*m);
        FVRender::snapshotMode = false;
        QCOMPARE(view.listModel()->rowCount(), 24);
        QCOMPARE(view.countText(), QStringLiteral("1009 of 1009 codes"));

        KVScale::shared().setFactor(1.5);
        const int zoomed = CodeRowDelegate::rowHeight();
        KVScale::shared().setFactor(1.0);
        QVERIFY(zoomed > CodeRowDelegate::rowHeight() * 1.3);
    }

    void obd1SourcesAndHeadings()
    {
        auto m = m_models.make();
        OBD1View view(*m);
        show(view);
        const QList<QWidget *> cards = view.cards();
        auto linksOf = [](const QWidget *card) { return card->findChildren<KVLinkLabel *>().size(); };
        QCOMPARE(linksOf(cards[0]), 2);
        QCOMPARE(linksOf(cards[1]), 1);
        // Sources that did not parse: no "Sources" heading at all.
        QStringList chrysler;
        for (const QLabel *l : cards[2]->findChildren<QLabel *>())
            chrysler << l->text();
        QVERIFY(!chrysler.contains(QStringLiteral("Sources")));
        QVERIFY(labelNamed(&view, QStringLiteral("obd1Footer")).startsWith(QStringLiteral("Written in our own words")));
    }

    void searchHitsLandOnTheScreens()
    {
        auto m = m_models.make();
        AppModel *pm = m.get();
        MainWindow::registerScreen(Screen::Codes, [pm] { return new CodesView(*pm); });
        MainWindow::registerScreen(Screen::Guides, [pm] { return new GuidesView(*pm); });
        MainWindow::registerScreen(Screen::Obd1, [pm] { return new OBD1View(*pm); });
        MainWindow window(*m, NetStatus::shared());
        show(window);
        m->open(SearchHit{SearchKind::Code, QStringLiteral("p0171"), QString(), QString(), std::nullopt});
        settle();
        auto *codes = qobject_cast<CodesView *>(window.screenView());
        QVERIFY(codes);
        QCOMPARE(codes->detail()->code(), QStringLiteral("P0171"));
        m->open(SearchHit{SearchKind::Guide, QStringLiteral("brakes"), QString(), QString(), std::nullopt});
        settle();
        auto *guides = qobject_cast<GuidesView *>(window.screenView());
        QVERIFY(guides);
        QCOMPARE(labelNamed(guides->runner(), QStringLiteral("guideTitle")), QStringLiteral("Brake pedal feels soft"));
        m->open(SearchHit{SearchKind::Obd1, QStringLiteral("gm-aldl"), QString(), QString(), std::nullopt});
        settle();
        QVERIFY(qobject_cast<OBD1View *>(window.screenView()));
        MainWindow::clearMakers();
    }
};

QTEST_MAIN(TestScreensRefWidgets)
#include "test_screens_refwidgets.moc"
