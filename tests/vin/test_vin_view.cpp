// The VIN screen against a fake HTTP client: offline and online states, the
// request's life cycle (answer, failure, time-out, stale answer), opening the
// match and saving to My Garage.
#include "app/appmodel.h"
#include "platform/netstatus.h"
#include "garage/garagestore.h"
#include "kit/kvchromebutton.h"
#include "support/fakehttp.h"
#include "support/fixturedb.h"
#include "support/settle.h"
#include "vin/vin.h"
#include "vin/vinfield.h"
#include "vin/vinsession.h"
#include "vin/vinstat.h"
#include "vin/vinview.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kNavigator = R"({"Count":1,"Results":[{"Make":"LINCOLN","Model":"NAVIGATOR","ModelYear":"2002",
    "DisplacementL":"5.4","EngineCylinders":"8","ErrorCode":"0"}]})";

HttpReply answer(const QByteArray &body)
{
    return HttpReply{200, body, {}, false};
}

} // namespace

class TestVinView : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    FixtureDb m_db;
    std::unique_ptr<AppModel> m_model;
    FakeHttp m_http;
    std::unique_ptr<VINView> m_view;

    void type(const QString &text)
    {
        m_view->field()->selectAll();
        QTest::keyClicks(m_view->field(), text);
        settle();
    }
    QStringList statValues() const
    {
        QStringList out;
        for (const VINStat *s : m_view->stats())
            out << s->value();
        return out;
    }

private slots:
    void init()
    {
        QVERIFY(m_db.ok());
        m_model = std::make_unique<AppModel>(AppModel::Locations{m_db.path(), m_db.photosFolder(),
                                                                 m_home.filePath(QStringLiteral("garage.sqlite"))});
        QVERIFY(m_model->data() && m_model->garage());
        NetStatus::shared().override(true);
        m_http.requests.clear();
        m_http.hold = false;
        m_http.answer = [](HttpClient::Method, const QUrl &) { return answer(kNavigator); };
        m_view = std::make_unique<VINView>(*m_model, NetStatus::shared(), m_http);
        m_view->resize(900, 1200);
        m_view->show();
        settle();
    }
    void cleanup() { m_view.reset(); m_model.reset(); }

    void offlineCheck()
    {
        QCOMPARE(statValues(), (QStringList{"—", "—", "0 / 17"}));
        // Nothing typed yet: no problem is listed.
        QVERIFY(m_view->problemTexts().isEmpty());
        QVERIFY(!m_view->decodeButton()->isEnabled());

        type(QStringLiteral("1m8-gdm9axkp042788"));
        QCOMPARE(m_model->vinText(), QStringLiteral("1m8-gdm9axkp042788"));
        QCOMPARE(statValues(), (QStringList{"1989", "X ✔︎", "17 / 17"}));
        QVERIFY(m_view->problemTexts().isEmpty());
        QVERIFY(m_view->showsValidTag());
        QVERIFY(m_view->yearNoteText().startsWith(QStringLiteral("Position 7 is a number")));
        QVERIFY(m_view->decodeButton()->isEnabled());

        // Offline: the button says why through the amber text, and comes back by itself.
        NetStatus::shared().override(false);
        settle();
        QVERIFY(!m_view->decodeButton()->isEnabled());
        QVERIFY(m_view->offlineText().contains(QStringLiteral("Decode Online")));
        NetStatus::shared().override(true);
        settle();
        QVERIFY(m_view->decodeButton()->isEnabled());
        QVERIFY(m_view->offlineText().isEmpty());

        // Return decodes the VIN online; a VIN that forms no plain address is not sent.
        QTest::keyClick(m_view->field(), Qt::Key_Return);
        settle();
        QCOMPARE(m_http.requests.size(), 1);
        m_http.requests.clear();
        type(QStringLiteral("1HGCM82633A00435É"));
        QVERIFY(!m_view->decodeButton()->isEnabled());
        QVERIFY(!m_view->session()->decode(VIN::clean(m_model->vinText())));
        settle();
        QVERIFY(m_http.requests.isEmpty());
    }

    void decodeOpenAndSave()
    {
        type(QStringLiteral("5lm fu28r 42lj 12345"));
        m_http.hold = true;
        QTest::mouseClick(m_view->decodeButton(), Qt::LeftButton);
        settle();
        QCOMPARE(m_view->decodeButton()->text(), QStringLiteral("Decoding…"));
        QVERIFY(!m_view->decodeButton()->isEnabled());
        QCOMPARE(m_view->statusText(), QStringLiteral("Asking NHTSA…"));
        QCOMPARE(m_http.requests.size(), 1);
        QVERIFY(m_http.requests[0].url.path().endsWith(QStringLiteral("/5LMFU28R42LJ12345")));
        QCOMPARE(m_http.requests[0].timeout, VINSession::timeout);
        m_http.release();
        settle();
        QCOMPARE(m_view->decodeButton()->text(), QStringLiteral("Decode Online"));
        QCOMPARE(m_view->statusText(), QString());
        QCOMPARE(m_view->rowTexts().value(3), (std::pair<QString, QString>("Engine", "5.4L 8-cyl")));
        QCOMPARE(m_view->openButton()->text(), QStringLiteral("Open 2002 Lincoln Navigator"));

        QTest::mouseClick(m_view->saveButton(), Qt::LeftButton);
        const QList<GarageVehicle> saved = m_model->garage()->vehicles();
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved[0].title, QStringLiteral("2002 Lincoln Navigator"));
        QCOMPARE(saved[0].vin, QStringLiteral("5LMFU28R42LJ12345"));
        QCOMPARE(saved[0].vehicleID, 1);
        QCOMPARE(m_model->selectedGarage(), saved[0].id);
        QCOMPARE(m_model->screen(), Screen::Garage);

        QTest::mouseClick(m_view->openButton(), Qt::LeftButton);
        QCOMPARE(m_model->screen(), Screen::Vehicle);
        QCOMPARE(m_model->currentVehicle(), 1);
        QCOMPARE(m_model->currentYear(), 2002);
    }

    void withoutReferenceData()
    {
        m_view.reset();
        m_model = std::make_unique<AppModel>(AppModel::Locations{m_home.filePath(QStringLiteral("none.db")), {},
                                                                 m_home.filePath(QStringLiteral("g2.sqlite"))});
        QVERIFY(!m_model->data() && m_model->garage());
        m_view = std::make_unique<VINView>(*m_model, NetStatus::shared(), m_http);
        m_model->setVinText(QStringLiteral("5LMFU28R42LJ12345"));
        settle();
        m_view->decode(QStringLiteral("5LMFU28R42LJ12345"));
        settle();
        QVERIFY(m_view->openButton()->isHidden());
        m_view->saveToGarage(*m_view->session()->decoded(), QStringLiteral("5LMFU28R42LJ12345"));
        const GarageVehicle saved = m_model->garage()->vehicles().value(0);
        QCOMPARE(saved.title, QStringLiteral("2002 Lincoln NAVIGATOR"));
        QVERIFY(!saved.vehicleID);
    }

    void failures()
    {
        type(QStringLiteral("5LMFU28R42LJ12345"));
        m_view->decode(QStringLiteral("5LMFU28R42LJ12345"));
        settle();
        // A later failure keeps the earlier result under its line.
        m_http.answer = [](HttpClient::Method, const QUrl &) { return answer("<html>Service Unavailable</html>"); };
        m_view->decode(QStringLiteral("5LMFU28R42LJ12345"));
        settle();
        QCOMPARE(m_view->statusText(), QStringLiteral("NHTSA answered with something other than a decode. The offline "
                                                      "results above still apply."));
        QVERIFY(!m_view->rowTexts().isEmpty());

        m_http.answer = [](HttpClient::Method, const QUrl &) { return HttpReply{0, {}, QStringLiteral("x"), true}; };
        m_view->decode(QStringLiteral("5LMFU28R42LJ12345"));
        settle();
        QVERIFY(m_view->statusText().startsWith(QStringLiteral("Couldn't reach NHTSA (the request timed out)")));
        QVERIFY(m_view->decodeButton()->isEnabled());

        // An error page that reads like a decode is still a failure.
        m_http.answer = [](HttpClient::Method, const QUrl &) {
            return HttpReply{404, R"({"Results":[{"Make":"WRONG","ModelYear":"2002"}]})", QStringLiteral("HTTP 404"), false};
        };
        m_view->decode(QStringLiteral("5LMFU28R42LJ12345"));
        settle();
        QVERIFY(m_view->statusText().startsWith(QStringLiteral("Couldn't reach NHTSA (HTTP 404)")));
        for (const auto &row : m_view->rowTexts())
            QVERIFY(row.second != QStringLiteral("WRONG"));
        const HttpOptions sent = m_http.requests.constLast().options;
        QVERIFY(sent.redirects == HttpOptions::Redirects::SameOrigin);
        QCOMPARE(sent.maxBody, qint64(1024 * 1024));
    }

    void decodedTextIsPrintable()
    {
        VIN::Decoded d;
        d.make = QStringLiteral("LIN\uFFFFCOLN");
        d.model = QStringLiteral("Navi") + QChar(0) + QStringLiteral("gator\nX");
        const VIN::Decoded clean = VINSession::printable(d);
        QCOMPARE(clean.make, QStringLiteral("LIN\uFFFDCOLN"));
        QCOMPARE(clean.model, QStringLiteral("Navi\uFFFDgator X"));
    }

    void staleAnswerDropped()
    {
        type(QStringLiteral("5LMFU28R42LJ12345"));
        m_http.hold = true;
        m_view->decode(QStringLiteral("5LMFU28R42LJ12345"));
        type(QStringLiteral("1M8GDM9AXKP042788"));
        // The edit clears the panel but the request still runs.
        QCOMPARE(m_view->statusText(), QString());
        QCOMPARE(m_view->decodeButton()->text(), QStringLiteral("Decoding…"));
        QVERIFY(!m_view->session()->decode(QStringLiteral("1M8GDM9AXKP042788")));
        m_http.release();
        settle();
        QVERIFY(m_view->rowTexts().isEmpty());
        QCOMPARE(m_view->statusText(), QString());
        QVERIFY(m_view->decodeButton()->isEnabled());

        // An answer for a screen already left does nothing.
        m_view->decode(QStringLiteral("1M8GDM9AXKP042788"));
        m_view.reset();
        m_http.release();
        settle();
    }
};

QTEST_MAIN(TestVinView)
#include "test_vin_view.moc"
