#include "repairestimate.h"

#include "platform/text.h"

#include <QHash>
#include <iterator>

namespace {

struct FamilyRow
{
    const char *family;
    qint64 low;
    qint64 high;
    const char *fix;
};

// Keys are compared exactly, case included.
constexpr FamilyRow familyRows[] = {
    {"A/C", 150, 1500,
     "Repair the refrigerant leak and recharge, or replace the failed A/C pressure sensor or switch. A compressor "
     "costs more."},
    {"ABS / chassis", 150, 1200,
     "Clean or replace a wheel-speed sensor or repair its wiring. An ABS module costs more."},
    {"EGR", 150, 700, "Clean carbon out of the EGR valve and passages, or replace the EGR valve or its sensor."},
    {"EVAP", 25, 600,
     "Tighten or replace the gas cap, or replace the leaking EVAP hose, purge valve or vent valve (a smoke test "
     "finds the leak)."},
    {"air metering", 20, 450, "Clean or replace the mass air flow (MAF) sensor and fix any air leak after it."},
    {"airbag (SRS)", 150, 1200,
     "Repair the connector (often under a seat) or replace the clock spring, crash sensor or airbag module. Airbag "
     "work is for a professional."},
    {"brake switch", 50, 250, "Adjust or replace the brake-light switch and check its wiring."},
    {"catalyst", 150, 2500,
     "Fix any misfire, fuel-trim or oxygen-sensor problem first, then repair exhaust leaks or the downstream oxygen "
     "sensor. Replace the catalytic converter only if it has truly worn out."},
    {"charging", 150, 900,
     "Clean and tighten the battery cables, then replace the battery, alternator or a charging fuse or wire as "
     "tests show."},
    {"cooling", 100, 700,
     "Correct the coolant level and fix leaks, then replace the thermostat or coolant temperature sensor."},
    {"cooling fan", 100, 800, "Replace the fan fuse, relay, fan motor or its control module."},
    {"crank / cam sensor", 120, 500,
     "Repair the wiring or replace the crankshaft or camshaft position sensor. If the reading is off, check the "
     "timing chain or belt."},
    {"diesel", 200, 3000,
     "Diagnose with a diesel-capable scan tool. Often a sensor, DEF/SCR or particulate-filter part; some diesel "
     "emissions parts are expensive."},
    {"electronic throttle", 150, 900,
     "Clean the throttle body and repair wiring, or replace the throttle body or accelerator pedal sensor."},
    {"engine", 100, 2500,
     "Test the base engine (compression and leak-down) before buying parts. The cost depends on what is found."},
    {"engine computer", 100, 1500,
     "Check the computer's power, grounds and connectors; update (reflash) or replace the engine computer."},
    {"fuel level", 150, 800,
     "Repair the wiring or replace the fuel level sender (often part of the fuel pump module)."},
    {"fuel pressure", 150, 900, "Test the pump, then replace the fuel filter, pressure regulator or pressure sensor."},
    {"fuel pump", 100, 1200, "Repair the pump circuit (fuse, relay, wiring) or replace the fuel pump module."},
    {"fuel trim", 20, 600,
     "Fix the vacuum or air leak (often a cracked hose or gasket), clean the MAF sensor, or repair fuel delivery."},
    {"glow plug", 150, 900, "Replace the failed glow plugs or the glow plug control module."},
    {"hybrid / EV", 200, 4000,
     "High-voltage work is for a trained technician. Repairs range from a cooling fan or sensor to a battery "
     "module."},
    {"idle", 50, 400, "Clean the throttle body or idle air control valve and fix vacuum leaks."},
    {"ignition coil", 100, 450,
     "Replace the failed ignition coil (and the spark plugs if they are worn), or repair the coil wiring."},
    {"injector", 150, 700, "Repair the injector wiring or replace the faulty fuel injector."},
    {"intake", 100, 900, "Repair intake air leaks or the intake runner / manifold control parts."},
    {"knock sensor", 150, 700,
     "Repair the wiring or replace the knock sensor (labor is high on some V engines)."},
    {"misfire", 100, 800,
     "Find the cause first: spark plug, ignition coil, injector or vacuum leak. A mechanical problem costs more."},
    {"network", 100, 1200,
     "Find the module or wiring that stopped talking (often a connector, ground or weak battery). Replacing a "
     "module costs more."},
    {"oil pressure", 50, 500,
     "Check the oil level first, then replace the oil pressure sensor or switch. Truly low oil pressure means "
     "engine repair."},
    {"oxygen sensor", 150, 450, "Repair the wiring or replace the oxygen sensor, and fix exhaust leaks near it."},
    {"oxygen sensor heater", 150, 400,
     "Replace the oxygen sensor (the heater is inside it) or repair its fuse and wiring."},
    {"secondary air", 200, 1200, "Replace the air pump, check valve or air control valve, or repair a hose."},
    {"security", 100, 600, "Reprogram or replace the key (transponder) or the immobilizer part."},
    {"starting", 150, 700, "Repair the starter circuit (battery, cables, relay) or replace the starter."},
    {"steering", 150, 1500,
     "Repair the wiring or replace the steering angle sensor or power-steering assist part."},
    {"timing", 150, 2000,
     "Check the timing chain or belt and its sensors. Timing chain or belt work is labor-heavy."},
    {"transmission", 150, 3500,
     "Check the fluid level and condition, then repair wiring or replace a solenoid or sensor. Internal repair costs "
     "much more."},
    {"transmission computer", 150, 1200,
     "Check power and connectors; update (reflash) or replace the transmission computer."},
    {"turbo / supercharger", 150, 2500,
     "Repair boost leaks or replace the wastegate control or boost sensor. A turbocharger costs more."},
    {"variable valve timing", 50, 1500,
     "Change the oil (correct type and level) first, then replace the oil control solenoid or cam phaser."},
    {"vehicle speed", 100, 400, "Repair the wiring or replace the vehicle or wheel speed sensor."},
    {"cruise control", 75, 400, "Repair the cruise control switch, brake switch or wiring."},
};

static_assert(std::size(familyRows) == 43);

// Built once on first use (thread-safe static initialisation).
const QHash<QString, RepairEstimate> &byFamily()
{
    static const QHash<QString, RepairEstimate> table = [] {
        QHash<QString, RepairEstimate> t;
        for (const FamilyRow &r : familyRows)
            t.insert(QString::fromUtf8(r.family), RepairEstimate{QString::fromUtf8(r.fix), r.low, r.high});
        return t;
    }();
    return table;
}

RepairEstimate general()
{
    return {QStringLiteral("Diagnose the circuit or part named in the code, then repair the wiring or replace the "
                           "part."),
            100, 1000};
}

} // namespace

QString RepairEstimate::range() const
{
    return QStringLiteral("$") + Text::grouped(low) + QStringLiteral("\u2013$") + Text::grouped(high);
}

RepairEstimate RepairEstimate::sensor()
{
    return {QStringLiteral("Repair the connector or wiring if damaged; otherwise replace the sensor."), 75, 450};
}

RepairEstimate RepairEstimate::actuator()
{
    return {QStringLiteral("Repair the circuit or replace the valve or regulator."), 150, 900};
}

RepairEstimate RepairEstimate::makerSpecific()
{
    return {QStringLiteral("Maker-specific code: have a shop with a factory-level scan tool read its exact meaning "
                           "before any parts are replaced."),
            100, 200};
}

QString RepairEstimate::costNote()
{
    return QStringLiteral("Rough 2026 U.S. independent-shop range for parts and labor. Dealer prices are often "
                          "higher, doing it yourself costs less, and prices vary a lot by vehicle and region. It is "
                          "not a quote: get a written estimate.");
}

QString RepairEstimate::diagnosticNote()
{
    return QStringLiteral("Most shops charge a diagnostic fee (often about $100\u2013$200), which some put toward "
                          "the repair.");
}

std::pair<RepairEstimate, bool> RepairEstimate::forCode(const std::optional<OBDCode> &info)
{
    if (!info)
        return {makerSpecific(), true};
    const auto &table = byFamily();
    if (const auto it = table.constFind(info->family); it != table.cend())
        return {*it, true};
    if (info->family.startsWith(QLatin1String("sensor:")))
        return {sensor(), true};
    if (info->family.startsWith(QLatin1String("actuator:")))
        return {actuator(), true};
    if (info->system == QLatin1String("Network"))
        return {table.value(QStringLiteral("network")), false};
    if (info->system == QLatin1String("Chassis"))
        return {table.value(QStringLiteral("ABS / chassis")), false};
    return {general(), false};
}
