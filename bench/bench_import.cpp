// A full reference build from the agencies' files at their real size: makes
// synthetic files in the published layouts (about two million complaint
// lines, 400,000 bulletins with 2.4 million vehicle lines, 300,000 recall
// lines, 12,000 investigation lines and EPA's 48,000 configurations), then
// times one generator run over them with its peak memory as the counter
// peak_mb. Goals: at most 10 minutes and 1.5 GB. The vPIC catalogue is used
// as the build found it (FV_VPIC_DB).

#include <benchmark/benchmark.h>

#include "generatorrun.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <cstdio>
#include <random>
#include <string>

namespace {

struct Line
{
    const char *make, *model;
};
// Agency spellings of common lines, and some that name no line of the build.
const Line kLines[] = {{"FORD", "F-150"}, {"FORD", "F150 SUPERCREW"}, {"FORD", "FOCUS"}, {"FORD", "EXPLORER"}, {"FORD", "ESCAPE"},
                       {"TOYOTA", "CAMRY"}, {"TOYOTA", "COROLLA"}, {"TOYOTA", "RAV4"}, {"HONDA", "CIVIC"}, {"HONDA", "ACCORD"},
                       {"HONDA", "CR-V"}, {"CHEVROLET", "SILVERADO 1500"}, {"CHEVROLET", "MALIBU"}, {"NISSAN", "ALTIMA"},
                       {"JEEP", "GRAND CHEROKEE"}, {"LINCOLN", "NAVIGATOR"}, {"DODGE", "RAM 1500 PICKUP"}, {"HYUNDAI", "SONATA"},
                       {"SUBARU", "OUTBACK"}, {"KIA", "SORENTO"}, {"ACME TRAILERS", "HAULER 12"}, {"GOODYEAR", "WRANGLER"}};
const char *kComponents[] = {"POWER TRAIN:AUTOMATIC TRANSMISSION", "ENGINE AND ENGINE COOLING:ENGINE", "ELECTRICAL SYSTEM",
                             "SERVICE BRAKES, HYDRAULIC:ANTILOCK", "AIR BAGS:FRONTAL", "STEERING", "STRUCTURE:BODY",
                             "FUEL/PROPULSION SYSTEM", "VEHICLE SPEED CONTROL", "UNKNOWN OR OTHER"};

class Writer
{
public:
    explicit Writer(const QString &path) : m_file(std::fopen(path.toLocal8Bit().constData(), "wb"))
    {
        std::setvbuf(m_file, nullptr, _IOFBF, 1 << 20);
    }
    ~Writer() { std::fclose(m_file); }
    // Fields joined by tabs, the line ended by CR LF as the agency writes it.
    template <typename... T>
    void line(const T &...fields)
    {
        bool first = true;
        ((std::fputs(first ? "" : "\t", m_file), first = false, std::fputs(text(fields), m_file)), ...);
        std::fputs("\r\n", m_file);
    }

private:
    static const char *text(const char *s) { return s; }
    static const char *text(const std::string &s) { return s.c_str(); }
    std::FILE *m_file;
};

std::string words(std::mt19937 &r, int n)
{
    static const char *pool[] = {"THE", "VEHICLE", "MAY", "STALL", "WHILE", "DRIVING", "AT", "HIGHWAY", "SPEED", "DEALER", "REPLACED",
                                 "MODULE", "WARNING", "LIGHT", "CAME", "ON", "TRANSMISSION", "SLIPPED", "BRAKES", "FAILED"};
    std::string s;
    for (int i = 0; i < n; ++i)
        s += std::string(i ? " " : "") + pool[r() % 20];
    return s;
}

std::string num(long long n) { return std::to_string(n); }

void makeFiles(const QTemporaryDir &dir)
{
    std::mt19937 r(42);
    const auto pick = [&] { return kLines[r() % (sizeof kLines / sizeof *kLines)]; };
    const auto year = [&] { return num(1995 + long(r() % 30)); };
    const auto date = [&](int y) { return num(y * 10000 + 100 + long(r() % 12) * 100 + 1 + long(r() % 28)); };
    {
        Writer w(dir.filePath(QStringLiteral("FLAT_CMPL.txt")));
        const std::string empty(27, '\t'); // the 28 fields after the complaint type
        for (long i = 0; i < 2000000; ++i) {
            const Line l = pick();
            const long odi = 10000000 + i - long(r() % 3 == 0); // every third complaint names a second component
            w.line(num(i + 1), num(odi), "Manufacturer", l.make, l.model, r() % 50 ? year() : "9999", r() % 20 ? "N" : "Y", date(2015),
                   r() % 40 ? "N" : "Y", "0", "0", kComponents[r() % 10], "SPRINGFIELD", "IL", "1FAHP3F2XCL", date(2016), date(2016),
                   "42000", "1", words(r, 60), "EVOQ", empty);
        }
    }
    {
        Writer w(dir.filePath(QStringLiteral("TSBS_RECEIVED_2020-2024.txt")));
        for (long b = 0; b < 400000; ++b) {
            const std::string summary = words(r, 120);
            const Line l = pick();
            const int first = 1995 + int(r() % 28);
            for (int k = 0; k < 6; ++k)
                w.line(num(10000000 + b), "", date(2022), "SB-" + num(b), date(2021), "", "Service Bulletin/Repair Instructions", l.make,
                       l.model, num(first + k / 2), kComponents[(b + k) % 10], "", "", summary);
        }
    }
    {
        Writer w(dir.filePath(QStringLiteral("FLAT_RCL_POST_2010.txt")));
        for (long i = 0; i < 300000; ++i) {
            const long campaign = i / 10;
            const Line l = pick();
            const std::string c = num(100000000 + campaign);
            w.line(num(i + 1), c, l.make, l.model, year(), "", kComponents[campaign % 10], "Maker", "", "", "V", num(5000), "", "MFR",
                   "Maker", date(2015), date(2015), "", "", words(r, 80), words(r, 30), words(r, 30), "", "", "", "", "", "N", "N");
        }
    }
    {
        Writer w(dir.filePath(QStringLiteral("FLAT_INV.txt")));
        for (long i = 0; i < 12000; ++i) {
            const Line l = pick();
            w.line("PE" + num(10000 + i / 4), l.make, l.model, year(), kComponents[i % 10], "Maker", date(2010), date(2011), "",
                   "Subject", words(r, 150));
        }
    }
    std::FILE *epa = std::fopen(dir.filePath(QStringLiteral("vehicles.csv")).toLocal8Bit().constData(), "wb");
    std::fputs("barrels08,cylinders,displ,drive,eng_dscr,fuelType,make,model,trany,VClass,year,baseModel,tCharger,sCharger,atvType,evMotor\r\n", epa);
    for (long i = 0; i < 48000; ++i) {
        const Line l = pick();
        std::fprintf(epa, "15.6,6,3.5,Front-Wheel Drive,\"(FFS,TRBO)\",Regular,%s,%s FWD,Automatic (S6),Midsize Cars,%s,%s,T,,,\r\n", l.make,
                     l.model, year().c_str(), l.model);
    }
    std::fclose(epa);
}

void importBuild(benchmark::State &state)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    makeFiles(dir);
    const QByteArray agency = dir.path().toLocal8Bit();
    timeGenerator(state, dir, {"--agency-dir", agency});
}

} // namespace

BENCHMARK(importBuild)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK_MAIN();
