#include "fvsnapshotshots.h"

#include "app/appmodel.h"
#include "platform/netstatus.h"

namespace FVSnapshotShots {

namespace {

const QString cobalt = QStringLiteral("cobalt-gunmetal");

} // namespace

QList<FVSnapshotShot> table(const FVSnapshotVehicles &v)
{
    using S = FVSnapshotShot;
    const qint64 nav = v.navigator;
    const qint64 focus = v.focus;
    const qint64 silhouette = v.sienna.value_or(v.navigator);
    return {
        S{QStringLiteral("01-find-vehicle"), cobalt,
          [nav](AppModel &m, NetStatus &) {
              m.setYear(2002);
              m.setMake(QStringLiteral("LINCOLN"));
              m.setPickedVehicle(nav);
              m.setScreen(Screen::Home);
          }},
        S{QStringLiteral("02-vehicle-2002-navigator"), cobalt,
          [nav](AppModel &m, NetStatus &) { m.openVehicle(nav, 2002); }},
        S{QStringLiteral("03-vehicle-2014-focus"), QStringLiteral("candy-red-titanium"),
          [focus](AppModel &m, NetStatus &) {
              m.openVehicle(focus, 2014);
              m.setExpandedArea(QStringLiteral("POWER TRAIN"));
          }},
        S{QStringLiteral("04-code-P0300"), cobalt,
          [](AppModel &m, NetStatus &) {
              m.setCodeFilter(QString());
              m.setSelectedCode(QStringLiteral("P0300"));
              m.setScreen(Screen::Codes);
          }},
        S{QStringLiteral("05-code-P0457-midnight"), QStringLiteral("midnight-black"),
          [](AppModel &m, NetStatus &) {
              m.setSelectedCode(QStringLiteral("P0457"));
              m.setScreen(Screen::Codes);
          }},
        S{QStringLiteral("06-guide-overheating"), cobalt,
          [](AppModel &m, NetStatus &) {
              m.openGuide(QStringLiteral("overheating"));
              m.setGuidePath({QStringLiteral("start"), QStringLiteral("cool"), QStringLiteral("hybrid"), QStringLiteral("fan")});
          }},
        S{QStringLiteral("07-obd1"), QStringLiteral("brushed-gray"),
          [](AppModel &m, NetStatus &) { m.setScreen(Screen::Obd1); }},
        S{QStringLiteral("08-vin-offline"), cobalt,
          [](AppModel &m, NetStatus &net) {
              m.setVinText(QStringLiteral("1HGCM82633A004352"));
              net.override(false);
              m.setScreen(Screen::Vin);
          }},
        S{QStringLiteral("09-garage"), QStringLiteral("rose-gold"),
          [](AppModel &m, NetStatus &) { m.setScreen(Screen::Garage); }},
        S{QStringLiteral("10-credits"), cobalt,
          [](AppModel &m, NetStatus &) { m.setScreen(Screen::Credits); }},
        S{QStringLiteral("11-search"), QStringLiteral("lavender-pearl"),
          [](AppModel &m, NetStatus &) {
              m.setSearchText(QStringLiteral("2002 navigator"));
              m.setScreen(Screen::Search);
          }},
        S{QStringLiteral("12-vehicle-silhouette"), cobalt,
          [silhouette](AppModel &m, NetStatus &) { m.openVehicle(silhouette, 2005); }},
    };
}

QString pickerName()
{
    return QStringLiteral("01b-picker-only");
}

QString pickerTheme()
{
    return cobalt;
}

void setUpPicker(AppModel &m)
{
    m.setYear(2002);
    m.setMake(QStringLiteral("LINCOLN"));
    m.setPickedVehicle(std::nullopt);
    m.setScreen(Screen::Home);
}

} // namespace FVSnapshotShots
