// The zoom host's layout rule and scrolling, and the View menu's zoom items.

#include "kit/kvscale.h"
#include "kit/kvzoom.h"
#include "kit/kvzoomgeometry.h"
#include "kit/kvzoomhost.h"
#include "kit/kvzoommenu.h"
#include "platform/prefs.h"

#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QAction *action(QMenu &menu, const QString &text)
{
    for (QAction *a : menu.actions()) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

double stored()
{
    return Prefs::shared().value(KVZoom::key()).toDouble();
}

} // namespace

class TestZoomHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs.ini")));
        KVZoom::bindScale();
    }

    void init()
    {
        Prefs::shared().remove(KVZoom::key());
        KVScale::shared().setFactor(1.0);
    }

    void layoutRule_data()
    {
        QTest::addColumn<QSizeF>("viewport");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QSizeF>("layout");
        QTest::addColumn<QSizeF>("scaled");
        QTest::addColumn<bool>("indicators");
        QTest::newRow("fits at 100%") << QSizeF(1400, 880) << 1.0 << QSizeF(1400, 880) << QSizeF(1400, 880) << false;
        QTest::newRow("85% lays out larger") << QSizeF(1400, 880) << 0.85 << QSizeF(1400 / 0.85, 880 / 0.85)
                                             << QSizeF(1400, 880) << false;
        QTest::newRow("115% still fits") << QSizeF(1400, 880) << 1.15 << QSizeF(1400 / 1.15, 880 / 1.15)
                                         << QSizeF(1400, 880) << false;
        QTest::newRow("150% hits the minimum") << QSizeF(1400, 880) << 1.5 << QSizeF(1180, 760)
                                               << QSizeF(1770, 1140) << true;
        QTest::newRow("minimum viewport at 115%") << QSizeF(1180, 760) << 1.15 << QSizeF(1180, 760)
                                                  << QSizeF(1357, 874) << true;
        QTest::newRow("one axis over by 3") << QSizeF(1000, 700) << 0.85 << QSizeF(1180, 700 / 0.85)
                                            << QSizeF(1003, 700) << true;
        QTest::newRow("zero viewport") << QSizeF(0, 0) << 1.0 << QSizeF(1180, 760) << QSizeF(1180, 760) << true;
    }

    void layoutRule()
    {
        QFETCH(QSizeF, viewport);
        QFETCH(double, zoom);
        QFETCH(QSizeF, layout);
        QFETCH(QSizeF, scaled);
        QFETCH(bool, indicators);
        const KVZoomGeometry::Layout l = KVZoomGeometry::compute(viewport, zoom, QSizeF(1180, 760));
        QCOMPARE(l.layout.width(), layout.width());
        QCOMPARE(l.layout.height(), layout.height());
        QCOMPARE(l.scaled.width(), scaled.width());
        QCOMPARE(l.scaled.height(), scaled.height());
        QCOMPARE(l.indicators, indicators);
    }

    void layoutEdges()
    {
        // Exactly at the minimum: the minimum itself, no scroll bars.
        KVZoomGeometry::Layout l = KVZoomGeometry::compute(QSizeF(1180 * 1.5, 760 * 1.5), 1.5, QSizeF(1180, 760));
        QCOMPARE(l.layout, QSizeF(1180, 760));
        QVERIFY(!l.indicators);
        // One point larger than the viewport shows no scroll bars.
        l = KVZoomGeometry::compute(QSizeF(1179, 760), 1.0, QSizeF(1180, 760));
        QCOMPARE(l.scaled.width(), 1180.0);
        QVERIFY(!l.indicators);
        l = KVZoomGeometry::compute(QSizeF(1178.5, 760), 1.0, QSizeF(1180, 760));
        QVERIFY(l.indicators);
    }

    void hostDefaultsAndMinimum()
    {
        KVZoomHost plain(new QWidget);
        QCOMPARE(plain.minSize(), QSizeF(960, 640));

        auto *content = new QWidget;
        KVZoomHost host(content, QSizeF(1180, 760));
        host.setAttribute(Qt::WA_DontShowOnScreen);
        host.resize(1400, 880);
        host.show();
        QCOMPARE(content->minimumSize(), QSize(1180, 760));
        QCOMPARE(host.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

        KVZoom::setLevel(150);
        QCOMPARE(host.zoom(), 1.5);
        QCOMPARE(content->minimumSize(), QSize(1770, 1140));
        QCOMPARE(host.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        QCOMPARE(host.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

        KVZoom::actualSize();
        QCOMPARE(content->minimumSize(), QSize(1180, 760));
        QCOMPARE(host.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void scrollHomeAfterZoomChange()
    {
        auto *content = new QWidget;
        KVZoomHost host(content, QSizeF(1180, 760));
        host.setAttribute(Qt::WA_DontShowOnScreen);
        host.resize(1000, 700);
        host.show();
        QCoreApplication::processEvents();
        KVZoom::setLevel(200);
        QTRY_VERIFY(host.horizontalScrollBar()->maximum() > 0);
        QTest::qWait(1800); // the schedules of showing and zooming have run

        const int before = host.scrollHomeRequests();
        host.horizontalScrollBar()->setValue(300);
        host.verticalScrollBar()->setValue(200);
        // Writing the same value again is no change: no scroll home.
        KVZoom::setLevel(200);
        QCOMPARE(host.scrollHomeRequests(), before);
        QCOMPARE(host.horizontalScrollBar()->value(), 300);

        // A stored 3.0 is drawn at 2.0; writing 2.5 next still counts as a change.
        Prefs::shared().setValue(KVZoom::key(), 3.0);
        const int afterRaw = host.scrollHomeRequests();
        QVERIFY(afterRaw > before);
        host.horizontalScrollBar()->setValue(300);
        Prefs::shared().setValue(KVZoom::key(), 2.5);
        QCOMPARE(KVScale::factor(), 2.0);
        QCOMPARE(host.horizontalScrollBar()->value(), 0);
        QCOMPARE(host.verticalScrollBar()->value(), 0);
        // Each schedule runs six requests: one at once and five deferred.
        QTRY_COMPARE_WITH_TIMEOUT(host.scrollHomeRequests(), afterRaw + 6 + 5, 3000);
    }

    void deferredRequestsUndoLateScrolling()
    {
        auto *content = new QWidget;
        KVZoomHost host(content, QSizeF(1180, 760));
        host.setAttribute(Qt::WA_DontShowOnScreen);
        host.resize(900, 600);
        host.show();
        QCoreApplication::processEvents();
        host.scrollHome();
        // Something scrolls the view in between: a later request brings it home.
        host.verticalScrollBar()->setValue(100);
        QTRY_COMPARE_WITH_TIMEOUT(host.verticalScrollBar()->value(), 0, 1000);
    }

    void resizeScrollsHome()
    {
        auto *content = new QWidget;
        KVZoomHost host(content, QSizeF(1180, 760));
        host.setAttribute(Qt::WA_DontShowOnScreen);
        host.resize(900, 600);
        host.show();
        QCoreApplication::processEvents();
        QTRY_VERIFY(host.horizontalScrollBar()->maximum() > 0);
        QTest::qWait(1800);
        host.horizontalScrollBar()->setValue(100);
        QCOMPARE(host.horizontalScrollBar()->value(), 100);
        host.resize(950, 620);
        QCOMPARE(host.horizontalScrollBar()->value(), 0);
    }

    void zoomMenu()
    {
        QMenu menu;
        KVZoomMenu::fill(&menu);
        QAction *in = action(menu, QStringLiteral("Zoom In"));
        QAction *out = action(menu, QStringLiteral("Zoom Out"));
        QAction *actual = action(menu, QStringLiteral("Actual Size (100%)"));
        QAction *level = action(menu, QStringLiteral("Zoom Level"));
        QVERIFY(in && out && actual && level && level->menu());
        QCOMPARE(in->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Plus));
        QCOMPARE(out->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
        QCOMPARE(actual->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
        QVERIFY(menu.actions().last()->isSeparator());

        QStringList titles;
        for (QAction *a : level->menu()->actions())
            titles.append(a->text());
        QCOMPARE(titles, QStringList({"85%", "100%", "115%", "130%", "150%", "175%", "200%"}));

        // From nothing stored: in 1.15, then out twice to 0.85 where it stays.
        in->trigger();
        QCOMPARE(stored(), 1.15);
        QCOMPARE(KVScale::factor(), 1.15);
        out->trigger();
        out->trigger();
        out->trigger();
        QCOMPARE(stored(), 0.85);
        // Steps of 0.15 from a chosen level, clamped at 2.0.
        level->menu()->actions().at(4)->trigger();
        QCOMPARE(stored(), 1.5);
        for (int i = 0; i < 5; ++i)
            in->trigger();
        QCOMPARE(stored(), 2.0);
        actual->trigger();
        QCOMPARE(stored(), 1.0);
        QCOMPARE(KVScale::factor(), 1.0);
        for (QAction *a : menu.actions())
            QVERIFY(a->isEnabled() && !a->isChecked());
    }

    void storedZeroReadsAsActualSize()
    {
        // The zoom setting reads a stored 0 as 100%, and so does the host.
        Prefs::shared().setValue(KVZoom::key(), 0.0);
        QCOMPARE(KVScale::factor(), 1.0);
        auto *content = new QWidget;
        KVZoomHost host(content, QSizeF(1180, 760));
        QCOMPARE(content->minimumSize(), QSize(1180, 760));
        KVZoom::zoomIn();
        QCOMPARE(stored(), 1.15);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestZoomHost)
#include "test_zoomhost.moc"
