// Renders the start screen, the picker after 2002 → Lincoln → Navigator and
// that vehicle's page from the generated sample database, at zoom 1.0 and
// 1.5, into <build>/screens-shots/ for a look by eye; checks that the
// pictures are made, the layout fits its panels and the pages show what they
// were opened on. Skipped when the sample database has not been generated.
#include "app/appmodel.h"
#include "data/vorel.h"
#include "kit/kvscale.h"
#include "look/fvrender.h"
#include "look/fvthemeroot.h"
#include "screens/guides/guidesview.h"
#include "screens/start/homeview.h"
#include "screens/start/pickercolumn.h"
#include "screens/vehicle/vehicleheader.h"
#include "screens/start/pickeractions.h"
#include "screens/search/searchresultsview.h"
#include "screens/vehicle/vehicleview.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QListView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <tuple>

class TestScreensRender : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    std::unique_ptr<AppModel> m_model;
    QString m_out;

    static QString sampleDb() { return QStringLiteral(FV_TESTDATA_DIR "/vorel-sample.db"); }

    // The view in a theme root, laid out at `width` points wide and at least
    // `height` points (or as tall as the flat page wants), grabbed to a PNG.
    QImage render(const QString &name, double factor, double width, double height,
                  const std::function<QWidget *()> &make, const std::function<void(QWidget *)> &inspect = {})
    {
        KVScale::shared().setFactor(factor);
        FVThemeRoot root(make);
        root.resize(KVScale::ipt(width), KVScale::ipt(height));
        root.show();
        QCoreApplication::processEvents();
        const int wanted = root.content()->sizeHint().height();
        if (wanted > root.height())
            root.resize(root.width(), wanted);
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
        if (inspect)
            inspect(root.content());
        const QImage image = root.grab().toImage();
        const QString file = QDir(m_out).filePath(name + QStringLiteral("@%1x.png").arg(factor, 0, 'f', 1));
        image.save(file);
        KVScale::shared().setFactor(1.0);
        return image;
    }

private slots:
    void initTestCase()
    {
        if (!QFileInfo::exists(sampleDb()))
            QSKIP("the sample reference database has not been generated (target vorel_sample)");
        FVRender::snapshotMode = true;
        m_model = std::make_unique<AppModel>(AppModel::Locations{
            sampleDb(), QStringLiteral(FV_TESTDATA_DIR "/photos-sample"), m_home.filePath(QStringLiteral("g.sqlite"))});
        QVERIFY(m_model->data());
        m_out = QStringLiteral(FV_BIN_DIR "/../screens-shots");
        QVERIFY(QDir().mkpath(m_out));
    }

    void screens_data()
    {
        QTest::addColumn<double>("factor");
        QTest::newRow("100%") << 1.0;
        QTest::newRow("150%") << 1.5;
    }

    void screens()
    {
        QFETCH(double, factor);
        AppModel &m = *m_model;
        m.setYear(std::nullopt);
        m.setMake(std::nullopt);
        m.setPickedVehicle(std::nullopt);
        QImage start = render(QStringLiteral("start"), factor, 1180, 860, [&] { return new HomeView(m); });
        QVERIFY(!start.isNull());

        PickerActions::pickYear(m, 2002);
        PickerActions::pickMake(m, QStringLiteral("LINCOLN"));
        const auto navigator = m.data()->find(QStringLiteral("LINCOLN"), QStringLiteral("Navigator"));
        QVERIFY(navigator);
        PickerActions::pickModel(m, navigator->id);
        QCOMPARE(m.currentYear(), 2002);
        render(QStringLiteral("picker-2002-lincoln-navigator"), factor, 1180, 860, [&] { return new HomeView(m); });

        render(QStringLiteral("vehicle-2002-lincoln-navigator"), factor, 1180, 760, [&] { return new VehicleView(m); });

        m.setSearchText(QStringLiteral("navigator 2002"));
        render(QStringLiteral("search-navigator-2002"), factor, 1180, 760, [&] { return new SearchResultsView(m); });
    }

    // The early-year picker, and pages with the other tags and notes: an
    // early low-confidence car without a photo, and a heavy truck.
    void otherVehicles()
    {
        AppModel &m = *m_model;
        // The picker in an early year: the note under the columns and the
        // low-confidence tags of the models.
        PickerActions::pickYear(m, 1977);
        PickerActions::pickMake(m, QStringLiteral("AMC"));
        QImage picker = render(QStringLiteral("picker-1977-amc"), 1.0, 1180, 860, [&] { return new HomeView(m); },
                               [](QWidget *w) {
                                   auto *home = qobject_cast<HomeView *>(w);
                                   QVERIFY(home);
                                   QVERIFY(home->earlyNote().contains(QStringLiteral("1977")));
                                   QVERIFY(home->modelColumn()->rows().size() >= 2); // Gremlin, Pacer
                               });
        QVERIFY(!picker.isNull());
        const std::tuple<const char *, const char *, int, const char *> pages[] = {
            {"AMC", "Pacer", 1977, "Low confidence"}, {"CHEVROLET", "Silverado 3500 HD", 2015, "Heavy / commercial"}};
        for (const auto &[make, model, year, tag] : pages) {
            const auto v = m.data()->find(QString::fromLatin1(make), QString::fromLatin1(model));
            QVERIFY2(v, model);
            m.openVehicle(v->id, year);
            const QImage page = render(
                QStringLiteral("vehicle-%1-%2").arg(QString::fromLatin1(make), QString::fromLatin1(model)).replace(u' ', u'-'),
                1.0, 1180, 760, [&] { return new VehicleView(m); },
                [&](QWidget *w) {
                    auto *view = qobject_cast<VehicleView *>(w);
                    QVERIFY(view && view->showsPage());
                    QCOMPARE(view->header()->modelText(), QString::fromLatin1(model));
                    QVERIFY2(view->header()->tagTexts().contains(QString::fromLatin1(tag)),
                             qPrintable(view->header()->tagTexts().join(u',')));
                });
            QVERIFY(!page.isNull());
        }
    }

    // In snapshot mode the guide list is drawn whole: every row, no scroll bar.
    void guideListWhole()
    {
        KVScale::shared().setFactor(1.0);
        GuidesView *view = nullptr;
        FVThemeRoot root([&] { return view = new GuidesView(*m_model); });
        root.resize(1180, 760);
        root.show();
        QCoreApplication::processEvents();
        root.resize(root.width(), std::max(760, root.content()->sizeHint().height()));
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
        QListView *list = view->listView();
        QVERIFY(list->model()->rowCount() > 28); // guides and their group headings
        QCOMPARE(list->verticalScrollBar()->maximum(), 0);
        const QModelIndex last = list->model()->index(list->model()->rowCount() - 1, 0);
        QVERIFY(list->visualRect(last).bottom() < list->viewport()->height());
    }

    // A page built at 100% and zoomed while shown follows the new factor.
    void liveZoom()
    {
        KVScale::shared().setFactor(1.0);
        FVThemeRoot root([&] { return new VehicleView(*m_model); });
        root.resize(1180, 760);
        root.show();
        QCoreApplication::processEvents();
        const int before = root.content()->sizeHint().height();
        KVScale::shared().setFactor(1.5);
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
        root.resize(1770, std::max(1140, root.content()->sizeHint().height()));
        QCoreApplication::processEvents();
        root.grab().save(QDir(m_out).filePath(QStringLiteral("vehicle-zoomed-live@1.5x.png")));
        QVERIFY(root.content()->sizeHint().height() > before * 1.3);
        KVScale::shared().setFactor(1.0);
    }

    void cleanupTestCase()
    {
        FVRender::snapshotMode = false;
        if (!m_out.isEmpty())
            qInfo("pictures in %s", qPrintable(QDir(m_out).absolutePath()));
    }
};

QTEST_MAIN(TestScreensRender)
#include "test_screens_render.moc"
