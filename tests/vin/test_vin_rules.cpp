// The offline check, the reading of the decode service's answer and the
// screen's wording, without a display.
#include "vin/vin.h"
#include "vin/vinrules.h"

#include <QElapsedTimer>
#include <QTest>

class TestVinRules : public QObject
{
    Q_OBJECT

private slots:
    void validVins()
    {
        const VIN::Check c = VIN::check(QStringLiteral("1M8GDM9AXKP042788"));
        QCOMPARE(c.expectedCheckDigit, QStringLiteral("X"));
        QCOMPARE(c.modelYear, 1989);
        QCOMPARE(c.yearNote, QStringLiteral("Position 7 is a number, so the 1980–2009 cycle applies."));
        QVERIFY(c.isValid());
        // Case, blanks, line breaks and dashes do not count.
        QCOMPARE(VIN::check(QStringLiteral(" 1m8-gdm9ax\nKP 042788\t")), c);
        QVERIFY(VIN::check(QStringLiteral("1HGCM82633A004352")).isValid());
        QCOMPARE(VIN::check(QStringLiteral("1ftfw1e59jfa00001")).modelYear, 2018); // letter at 7
        QVERIFY(VIN::check(QStringLiteral("11111111111111111")).isValid());
    }

    void problems()
    {
        const VIN::Check typo = VIN::check(QStringLiteral("1HGCM82643A004352"));
        QCOMPARE(typo.problems, QStringList{QStringLiteral(
            "The check digit (9th character) should be 3 but is 4. The VIN may be mistyped. "
            "(Some imported or very early vehicles don't use a check digit.)")});
        QCOMPARE(VINRules::checkDigitValue(typo), QStringLiteral("should be 3"));

        // A forbidden letter: no expected digit and no year (an O for a 0 at
        // position 7 would move it by thirty years).
        const VIN::Check withI = VIN::check(QStringLiteral("1HGCM82I33A004352"));
        QCOMPARE(withI.problems.size(), 1);
        QVERIFY(withI.problems[0].endsWith(QStringLiteral("Check: I.")));
        QVERIFY(!withI.expectedCheckDigit);
        QCOMPARE(withI.actualCheckDigit, QStringLiteral("3"));
        QVERIFY(!withI.modelYear);
        QVERIFY(!VIN::check(QStringLiteral("1HGCM82O33A004352")).modelYear);
        QCOMPARE(VINRules::checkDigitValue(withI), QStringLiteral("—"));
        QCOMPARE(VIN::check(QStringLiteral("1HGCM8263IA004352")).yearNote,
                 QStringLiteral("The 10th character 'I' is not a model-year code."));

        const VIN::Check empty = VIN::check(QString());
        QCOMPARE(empty.problems, QStringList{QStringLiteral("A modern VIN has exactly 17 characters (this one has 0).")});
        QVERIFY(!empty.modelYear);
        QVERIFY(VINRules::shownProblems(empty).isEmpty());
        QCOMPARE(VINRules::shownProblems(VIN::check(QStringLiteral("1"))).size(), 1);
        QCOMPARE(VINRules::lengthValue(empty), QStringLiteral("0 / 17"));
        QVERIFY(VIN::check(QStringLiteral("ABC12")).problems[0].startsWith(QStringLiteral("This VIN has 5 ")));
        QVERIFY(VIN::check(QString(18, u'1')).problems[0].endsWith(QStringLiteral("has 18).")));

        // Length first, then each bad character once in code-point order.
        const VIN::Check both = VIN::check(QStringLiteral("IOI.O12345"));
        QCOMPARE(both.problems.size(), 2);
        QVERIFY(both.problems[1].endsWith(QStringLiteral("Check: ., I, O.")));

        QCOMPARE(VIN::modelYear(QStringLiteral("1HGCM8A339A004352"), 2038).year, 2039);
    }

    void modelYears()
    {
        // A letter at 7 reading a year still to come takes the cycle before.
        const VIN::Check renault = VIN::check(QStringLiteral("VF14SRAP451234567"));
        QCOMPARE(renault.modelYear, 2005);
        QVERIFY(renault.yearNote.contains(QStringLiteral("2035 is still to come")));
        QCOMPARE(VIN::check(QStringLiteral("6FPAAAJGS4WA12345")).modelYear, 2004); // Ford Australia
        QCOMPARE(VIN::modelYear(QStringLiteral("1HGCM8A339A004352"), 2026).year, 2009);
        QCOMPARE(VIN::modelYear(QStringLiteral("1HGCM8A339A004352"), 2038).year, 2039); // next year's models
        QCOMPARE(VIN::modelYear(QStringLiteral("1FUJGLDR0CLBP1234"), 2026).year, 2012); // heavy truck, letter at 7

        // 1980 from position 10 says that it is doubtful (a heavy truck of 2010 reads the same).
        for (const char *vin : {"1HGCM8263AA004352", "1XKAD49X0AJ123456"}) {
            const VIN::YearReading y = VIN::modelYear(QString::fromLatin1(vin), 2026);
            QCOMPARE(y.year, 1980);
            QVERIFY(y.note.contains(QStringLiteral("began with model year 1981")));
        }

        // 0, U and Z are VIN characters but no year code: a problem, not a silent blank.
        for (const QChar c : {u'0', u'U', u'Z'}) {
            QString vin = QStringLiteral("1M8GDM9AXKP042788");
            vin[9] = c;
            const VIN::Check bad = VIN::check(vin);
            QVERIFY(!bad.modelYear);
            QVERIFY(!bad.isValid());
            QVERIFY(bad.problems.last().startsWith(QStringLiteral("The 10th character '%1' is not a model-year code").arg(c)));
        }
    }

    void hostileText()
    {
        // One user-perceived character each: an emoji family, a combining accent.
        const VIN::Check c = VIN::check(QStringLiteral("1HGCM8263👨‍👩‍👧e\u0301A00435"));
        QCOMPARE(VINRules::lengthValue(c), QStringLiteral("17 / 17"));
        QCOMPARE(c.problems.size(), 1);
        QVERIFY(c.problems[0].contains(QStringLiteral("👨‍👩‍👧")));
        QVERIFY(!VIN::vpicURL(c.vin)); // É stays unencoded: no plain address

        // Ten thousand characters of mixed text answer at once.
        QString paste;
        for (int i = 0; i < 10000; ++i)
            paste += QChar(0x4e00 + i % 3000);
        QElapsedTimer t;
        t.start();
        const VIN::Check big = VIN::check(paste + QStringLiteral("ÅÇ🚗"));
        QVERIFY(t.elapsed() < 2000);
        QCOMPARE(big.problems.size(), 2);
        QVERIFY(big.problems[0].contains(QStringLiteral("10003")));
    }

    void mutation()
    {
        VIN::mutateForSelfTest = true;
        const VIN::Check c = VIN::check(QStringLiteral("1M8GDM9AXKP042788"));
        VIN::mutateForSelfTest = false;
        QVERIFY(!c.isValid());
        QCOMPARE(c.modelYear, 1989);
    }

    void address()
    {
        const std::optional<QUrl> url = VIN::vpicURL(QStringLiteral("1hg-cm82633a004352"));
        QVERIFY(url);
        QCOMPARE(url->toString(), VIN::vpicBase() + "/api/vehicles/DecodeVinValues/1HGCM82633A004352?format=json");
        QVERIFY(url->scheme() == u"https");
        // Symbols cannot leave the path.
        const std::optional<QUrl> odd = VIN::vpicURL(QStringLiteral("A/B?C#D%"));
        QVERIFY(odd);
        QCOMPARE(odd->host(), QUrl(VIN::vpicBase()).host());
        QCOMPARE(odd->path(QUrl::FullyEncoded), QStringLiteral("/api/vehicles/DecodeVinValues/A%2FB%3FC%23D%25"));
    }

    void parseAnswer()
    {
        const QByteArray navigator = R"j({"Count":1,"Results":[{"Make":"LINCOLN","Model":"Navigator","ModelYear":"2002",
            "DisplacementL":"5.4","EngineCylinders":"8","FuelTypePrimary":"Gasoline","DriveType":"4WD/4-Wheel Drive/4x4",
            "BodyClass":"Sport Utility Vehicle (SUV)/Multi-Purpose Vehicle (MPV)","PlantCountry":"UNITED STATES (USA)",
            "ErrorCode":"0"}]})j";
        const std::optional<VIN::Decoded> d = VIN::parse(navigator);
        QVERIFY(d);
        QCOMPARE(d->engine, QStringLiteral("5.4L 8-cyl"));
        QCOMPARE(d->plant, QStringLiteral("UNITED STATES (USA)"));
        QStringList labels;
        for (const auto &row : d->fields())
            labels << row.first;
        QCOMPARE(labels, (QStringList{"Year", "Make", "Model", "Body", "Engine", "Fuel", "Drive", "Built in"}));
        QCOMPARE(VINRules::answerStatus(*d), std::nullopt);

        const auto one = [](const QByteArray &fields) {
            return VIN::parse("{\"Results\":[{" + fields + "}]}").value_or(VIN::Decoded{});
        };
        QCOMPARE(one(R"("DisplacementL":"1.998","EngineModel":"K20")").engine, QStringLiteral("2.0L K20"));
        // Values that are not finite numbers never print as sizes.
        for (const char *odd : {"nan", "inf", "-infinity", "1e999", "5.4L", " ", "+-1"})
            QCOMPARE(one(QByteArray("\"DisplacementL\":\"") + odd + "\"").engine, QString());
        QCOMPARE(one(R"("TransmissionStyle":"Automatic","TransmissionSpeeds":"4")").transmission,
                 QStringLiteral("Automatic, 4-speed"));
        QCOMPARE(one(R"("Trim":" ","Series":"\tXLT ")").trim, QStringLiteral("XLT"));
        QCOMPARE(one(R"("ModelYear":2002,"Make":null,"Model":["x"])").fields(), {});
        const VIN::Decoded noted = one(R"("ErrorCode":"8","ErrorText":"No detailed data")");
        QCOMPARE(VINRules::answerStatus(noted), QStringLiteral("NHTSA notes: No detailed data"));

        for (const char *bad : {"", "<html>503</html>", "[{\"Make\":\"X\"}]", "{\"Results\":[]}", "{\"Results\":{}}",
                                "{\"Results\":[1]}", "{\"Results\":[{},\"x\"]}", "\"Results\"", "{\"Count\":1}"})
            QVERIFY2(!VIN::parse(bad), bad);
    }

    // The status line says what happened, not "couldn't reach" for every failure.
    void failureMessages()
    {
        HttpReply html{200, "<html>busy</html>", {}, false};
        QCOMPARE(VINRules::failureStatus(html),
                 QStringLiteral("NHTSA answered with something other than a decode. The offline results above still apply."));
        HttpReply big{0, {}, HttpClient::tooLarge(), false};
        QVERIFY(VINRules::failureStatus(big).startsWith(QStringLiteral("NHTSA answered with something other")));
        HttpReply tls{0, {}, HttpClient::noSecureConnection(), false};
        tls.detail = QStringLiteral("SSL handshake failed: wrong version number");
        tls.serverSpoke = true;
        const QString secure = VINRules::failureStatus(tls);
        QVERIFY(secure.startsWith(QStringLiteral("A secure connection to NHTSA could not be made")));
        QVERIFY(secure.endsWith(QStringLiteral("Details: SSL handshake failed: wrong version number")));
        HttpReply loop{0, {}, HttpClient::tooManyRedirects(), false};
        QVERIFY(VINRules::failureStatus(loop).contains(QStringLiteral("too many redirects")));
        HttpReply stalled{0, {}, QStringLiteral("the request timed out"), true};
        stalled.serverSpoke = true;
        QVERIFY(VINRules::failureStatus(stalled).startsWith(QStringLiteral("NHTSA began to answer")));
        stalled.serverSpoke = false;
        QVERIFY(VINRules::failureStatus(stalled).startsWith(QStringLiteral("Couldn't reach NHTSA (the request timed out)")));
        QVERIFY(VINRules::failureStatus(HttpReply{503, {}, QStringLiteral("HTTP 503"), false}).contains(u"(HTTP 503)"));
    }

    void saving()
    {
        VIN::Decoded d;
        d.make = QStringLiteral("LINCOLN");
        d.model = QStringLiteral("Navigator");
        d.year = QStringLiteral("2002");
        d.engine = QStringLiteral("5.4L 8-cyl");
        const GarageVehicle unmatched = VINRules::garageVehicle(d, QStringLiteral("VIN"), std::nullopt);
        QCOMPARE(unmatched.title, QStringLiteral("2002 Lincoln Navigator"));
        QCOMPARE(unmatched.year, 2002);
        QVERIFY(!unmatched.vehicleID);
        QCOMPARE(unmatched.engine, d.engine);
        VehicleInfo v;
        v.id = 7;
        v.makeDisplay = QStringLiteral("A&B");
        v.model = QStringLiteral("Van");
        QCOMPARE(VINRules::openLabel(d, v), QStringLiteral("Open 2002 A&&B Van"));
        QCOMPARE(VINRules::garageVehicle(d, {}, v).title, QStringLiteral("2002 A&B Van"));
        QCOMPARE(VINRules::capitalizedWords(QStringLiteral("mercedes-BENZ  gmc")), QStringLiteral("Mercedes-benz  Gmc"));
    }
};

QTEST_GUILESS_MAIN(TestVinRules)
#include "test_vin_rules.moc"
