#include "reportcli.h"

#include "data/vorel.h"
#include "garage/garagestore.h"
#include "garagecopy.h"
#include "reportfile.h"
#include "platform/pdfdocument.h"
#include "platform/text.h"
#include "report/troublereport.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <cstdio>
#include <exception>
#include <memory>

namespace ReportCLI {

namespace {

// One line on standard output: paths and stored texts in it can carry
// line breaks, controls and bidirectional marks.
void say(const QString &line)
{
    std::fputs((Text::terminalLine(line) + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

void usage()
{
    std::fputs("usage: fenwhistle-vorel --fv-trouble-report <garage.sqlite> <out.pdf> [vehicle text]\n", stderr);
}

bool regularFile(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

int pageCount(const QString &path)
{
    const std::unique_ptr<PDFDocument> doc = PDFDocument::fromFile(path);
    return doc ? doc->pageCount() : 0;
}

// Runs `open`; false when it throws.
template <typename F>
bool opened(F &&open)
{
    try {
        open();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace

const QString &option()
{
    static const QString text = QStringLiteral("--fv-trouble-report");
    return text;
}

std::optional<GarageVehicle> chooseVehicle(const QList<GarageVehicle> &vehicles, const QString &text)
{
    for (const GarageVehicle &v : vehicles) {
        if (text.isEmpty() || (v.title + u' ' + v.nickname).toLower().contains(text))
            return v;
    }
    return std::nullopt;
}

std::optional<int> handle(const QStringList &args)
{
    const qsizetype at = args.indexOf(option());
    if (at < 0)
        return std::nullopt;
    const qsizetype given = args.size() - at - 1;
    if (given < 2 || given > 3) {
        usage();
        return 2;
    }
    const QString garagePath = QFileInfo(args.at(at + 1)).absoluteFilePath();
    const QString outPath = QFileInfo(args.at(at + 2)).absoluteFilePath();
    const QString text = args.size() > at + 3 ? args.at(at + 3).toLower() : QString();

    // Nothing but a regular file is opened: a FIFO or a device would hang
    // or be read for ever.
    if (!regularFile(garagePath)) {
        say(QStringLiteral("could not open ") + garagePath
            + (QFileInfo::exists(garagePath) ? QStringLiteral(": not a regular file") : QString()));
        return 2;
    }
    // The garage is copied into memory: nothing of it is left on disk.
    const GarageCopy copy(garagePath);
    if (copy.busy()) {
        say(QStringLiteral("could not open ") + garagePath + QStringLiteral(": ") + GarageStore::busyMessage());
        return 2;
    }
    std::unique_ptr<GarageStore> store;
    std::unique_ptr<Vorel> vorel;
    if (!copy.ok() || !opened([&] { store = std::make_unique<GarageStore>(GarageStore::InMemory{copy.image()}); })
        || !opened([&] { vorel = std::make_unique<Vorel>(); })) {
        say(QStringLiteral("could not open ") + garagePath);
        return 2;
    }
    if (!store->readError().isEmpty()) {
        say(QStringLiteral("could not open ") + garagePath + QStringLiteral(": ") + store->readError());
        return 2;
    }
    if (store->vehicles().isEmpty()) {
        say(QStringLiteral("could not open ") + garagePath + QStringLiteral(": it holds no vehicles"));
        return 2;
    }

    const std::optional<GarageVehicle> vehicle = chooseVehicle(store->vehicles(), text);
    if (!vehicle) {
        say(QStringLiteral("no matching vehicle"));
        return 3;
    }
    const TroubleReport report = TroubleReport::build(*vehicle, *store, *vorel, {}, QDateTime::currentDateTime());

    QString error;
    const TroubleReport::Pdf pdf = report.pdf();
    if (!ReportFile::write(pdf.bytes, outPath, garagePath, &error)) {
        say(QStringLiteral("write failed: ") + error);
        return 4;
    }
    const int pages = pageCount(outPath);
    QStringList codes;
    for (const TroubleReportCode &c : report.codes)
        codes.append(c.code);
    say(QStringLiteral("wrote ") + outPath + QStringLiteral(": ") + report.vehicleLine() + QStringLiteral(", codes ")
        + codes.join(u' ') + QStringLiteral(", ") + QString::number(pages) + QStringLiteral(" page(s)"));
    if (pages <= 0)
        return 5;
    if (pdf.cut) {
        say(QStringLiteral("warning: the report was cut at %1 pages; it explains %2 of %3 codes in full")
                .arg(pages)
                .arg(pdf.codesExplained)
                .arg(report.codes.size()));
        return cutStatus;
    }
    return 0;
}

} // namespace ReportCLI
