#include "vinchecks.h"

#include "vin/vin.h"

namespace VINChecks {

namespace {

// The check of a VIN is valid with the given model year.
bool validFor(const QString &vin, qint64 year)
{
    const VIN::Check c = VIN::check(vin);
    return c.isValid() && c.modelYear == year;
}

const char *const navigatorAnswer =
    R"json({"Count":1,"Results":[{"Make":"LINCOLN","Model":"Navigator","ModelYear":"2002","DisplacementL":"5.4",)json"
    R"json("EngineCylinders":"8","FuelTypePrimary":"Gasoline","DriveType":"4WD/4-Wheel Drive/4x4",)json"
    R"json("BodyClass":"Sport Utility Vehicle (SUV)/Multi-Purpose Vehicle (MPV)","PlantCountry":"UNITED STATES (USA)",)json"
    R"json("ErrorCode":"0"}]})json";

} // namespace

bool run(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;

    const VIN::Check classic = VIN::check(QStringLiteral("1M8GDM9AXKP042788"));
    run.check(classic.isValid() && classic.expectedCheckDigit == QStringLiteral("X") && classic.modelYear == 1989,
              QStringLiteral("1M8GDM9AXKP042788 (classic check-digit example): check digit X, model year 1989"));
    run.check(validFor(QStringLiteral("1HGCM82633A004352"), 2003), QStringLiteral("1HGCM82633A004352: valid, model year 2003"));
    run.check(validFor(QStringLiteral("1ftfw1e59jfa00001"), 2018),
              QStringLiteral("1FTFW1E59JFA00001 (constructed test VIN, letter in position 7): valid, model year 2018"));
    run.check(validFor(QStringLiteral("11111111111111111"), 2001),
              QStringLiteral("11111111111111111: valid check digit 1, model year 2001"));

    const VIN::Check mistyped = VIN::check(QStringLiteral("1HGCM82643A004352"));
    run.check(!mistyped.isValid() && mistyped.expectedCheckDigit == QStringLiteral("3") && !mistyped.checkDigitOK(),
              QStringLiteral("a mistyped VIN fails the check digit (expected 3, got 4)"));

    const VIN::Check short_ = VIN::check(QStringLiteral("ABC123"));
    run.check(!VIN::check(QStringLiteral("1HGCM8263IA004352")).problems.isEmpty() && !short_.isValid() &&
                  !short_.modelYear,
              QStringLiteral("letters I/O/Q and short (pre-1981) numbers are explained, not decoded"));

    const std::optional<VIN::Decoded> decoded = VIN::parse(QByteArray(navigatorAnswer));
    std::optional<VehicleInfo> matched;
    if (decoded)
        matched = ctx.vorel->find(decoded->make, decoded->model);
    run.check(decoded && decoded->make == QStringLiteral("LINCOLN") && decoded->year == QStringLiteral("2002") &&
                  decoded->engine == QStringLiteral("5.4L 8-cyl") && matched && matched->id == ctx.navigator->id,
              QStringLiteral("online decode (NHTSA vPIC format) is read correctly and matched to the vorel"));

    const QString expected =
        QStringLiteral("https://vpic.nhtsa.dot.gov/api/vehicles/DecodeVinValues/1HGCM82633A004352?format=json");
    const std::optional<QUrl> url = VIN::vpicURL(QStringLiteral("1hgcm82633a004352"));
    run.check(url && url->toString() == expected, QStringLiteral("online decode asks NHTSA vPIC"));

    const QString offline = VIN::offlineMessage();
    run.check(offline.contains(QStringLiteral("offline")) && offline.contains(QStringLiteral("Decode Online")),
              QStringLiteral("clear offline message"));
    return true;
}

} // namespace VINChecks
