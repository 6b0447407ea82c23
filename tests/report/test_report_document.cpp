#include "report/troublereport.h"
#include "support/pdfcheck.h"

#include <poppler-qt6.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

TroubleReport bareReport()
{
    TroubleReport r;
    r.vehicle.title = QStringLiteral("My old truck");
    r.engine = QStringLiteral("Not recorded");
    r.made = QDateTime(QDate(2026, 3, 5), QTime(15, 4));
    r.version = QStringLiteral("1.0.1");
    return r;
}

// The pages' texts of a PDF that passes qpdf's check.
QStringList pageTexts(const QByteArray &pdf)
{
    QStringList out;
    const QStringList problems = PdfCheck::problems(pdf);
    if (!problems.isEmpty()) {
        QTest::qFail(qPrintable(problems.join(u'\n')), __FILE__, __LINE__);
        return out;
    }
    const auto doc = Poppler::Document::loadFromData(pdf);
    for (int i = 0; doc && i < doc->numPages(); ++i)
        out.append(doc->page(i)->text(QRectF()));
    return out;
}

} // namespace

// The report laid out as a document, read back from its PDF.
class TestReportDocument : public QObject
{
    Q_OBJECT

private slots:
    void reportWithoutCodesOrReferenceVehicle()
    {
        const TroubleReport r = bareReport();
        const QByteArray pdf = r.pdfData();
        QCOMPARE(PdfCheck::problems(pdf), QStringList());
        const auto doc = Poppler::Document::loadFromData(pdf);
        QVERIFY(doc);
        QCOMPARE(doc->info(QStringLiteral("Title")), QStringLiteral("Trouble Code Report \u2014 My old truck"));
        const QStringList pages = pageTexts(pdf);
        QCOMPARE(pages.size(), 2); // the mechanic's page stands alone
        const QString first = pages[0];
        for (const char *text : {"VEHICLE", "My old truck", "\u2014", "No trouble codes saved for this vehicle.",
                                 "Your notes", "No notes.", "No service entries.", "Made March 5, 2026 at 3:04 PM"})
            QVERIFY2(first.contains(QString::fromUtf8(text)), text);
        QVERIFY(first.indexOf(QStringLiteral("No trouble codes")) < first.indexOf(QStringLiteral("Your notes")));
        QVERIFY(!first.contains(QStringLiteral("All safety recalls")));
        QVERIFY(!first.contains(QStringLiteral("Take this to your mechanic")));
        QVERIFY(pages[1].startsWith(QStringLiteral("Take this to your mechanic")));
        QVERIFY(pages[1].contains(QStringLiteral("MY OLD TRUCK \u00b7 MARCH 5, 2026")));
    }

    void codeSectionsServiceAndRecalls()
    {
        TroubleReport r = bareReport();
        r.info = VehicleInfo{};
        r.year = 2009;
        r.make = QStringLiteral("Toyota");
        r.model = QStringLiteral("Camry");
        Recall recall;
        recall.campaign = QStringLiteral("09V388000");
        recall.type = QStringLiteral("V");
        recall.reportDate = QStringLiteral("2009-09-29T00:00:00");
        recall.summary = QString(240, u'a') + u'Z';
        r.allRecalls = {recall};

        TroubleReportCode known;
        known.code = QStringLiteral("P0420");
        known.info = OBDCode{QStringLiteral("P0420"), QStringLiteral("Powertrain"), QStringLiteral("catalyst"),
                             QStringLiteral("Catalyst system efficiency below threshold"), QStringLiteral("Meaning."),
                             QStringLiteral("Worn converter; Exhaust leak"), QStringLiteral("Smell."),
                             QStringLiteral("Check leaks."), QStringLiteral("stop"), QStringLiteral("Hot exhaust."), {}};
        known.source = QStringLiteral("Saved");
        known.recalls = {recall};
        TroubleReportCode unknown;
        unknown.code = QStringLiteral("P12");
        unknown.source = QStringLiteral("Looked up");
        r.codes = {known, unknown};
        for (int i = 1; i <= 13; ++i)
            r.service.append(ServiceEntry{i, 1, QStringLiteral("2026-01-%1").arg(i, 2, 10, QChar(u'0')),
                                          i == 1 ? std::optional<qint64>(142410) : std::nullopt,
                                          QStringLiteral("Job %1;").arg(i), {}, {}});

        const QString text = pageTexts(r.pdfData()).join(u'\n');
        qsizetype at = 0;
        for (const char *step : {"Codes in this report: P0420 (Stop), P12", "P0420 \u2014 Catalyst", "Severity: STOP",
                                 "Saved. Powertrain \u00b7 catalyst", "Warning: Hot exhaust.", "WHAT IT MEANS",
                                 "LIKELY CAUSES (MOST LIKELY FIRST)", "1.", "Worn converter", "SYMPTOMS YOU MAY NOTICE",
                                 "WHAT TO CHECK FIRST", "TYPICAL FIX AND ROUGH COST",
                                 "RELATED RECALLS FOR THIS 2009 TOYOTA CAMRY", "09V388000 (2009-09-29)",
                                 "RELATED TROUBLESHOOTING GUIDES IN THE APP", "P12 \u2014",
                                 "Looked up. This code isn't in the vorel's list", "Not a standard 5-character code.",
                                 "None on file in the systems this code is about.", "2026-01-01 \u00b7 142,410 mi \u2014 Job 1;",
                                 "Job 12;", "All safety recalls on file for this model year (1)",
                                 "09V388000 \u2014 Vehicle recall: Other (2009-09-29)", "Take this to your mechanic"}) {
            const qsizetype next = text.indexOf(QString::fromUtf8(step), at);
            QVERIFY2(next >= 0, step);
            at = next;
        }
        // The summary is cut to 240 characters and an ellipsis (the long word wraps).
        const QString flat = QString(text).remove(u'\n');
        QVERIFY(flat.contains(QString(40, u'a') + QStringLiteral("\u2026")));
        QVERIFY(!flat.contains(QStringLiteral("aZ")));
        QVERIFY(!text.contains(QStringLiteral("Job 13;")));
    }

    void cutAtThePageLimitSaysSoAndKeepsTheRest()
    {
        TroubleReport r = bareReport();
        r.vehicle.notes = QStringLiteral("Keep these notes.");
        r.service.append(ServiceEntry{1, 0, QStringLiteral("2026-01-02"), 1000, QStringLiteral("Oil change"), {}, {}});
        for (int i = 0; i < 2000; ++i) {
            TroubleReportCode c;
            c.code = QStringLiteral("P%1").arg(1000 + i);
            c.estimate = RepairEstimate::makerSpecific();
            r.codes.append(c);
        }
        const TroubleReport::Pdf pdf = r.pdf();
        QVERIFY(pdf.cut);
        QVERIFY(pdf.codesExplained > 10 && pdf.codesExplained < 2000);
        const QStringList pages = pageTexts(pdf.bytes);
        QCOMPARE(pages.size(), 200);
        QVERIFY(pages[0].contains(QStringLiteral("This report is cut short")));
        const QString all = pages.join(u'\n');
        for (const char *kept : {"Keep these notes.", "Oil change", "Take this to your mechanic", "P2999"})
            QVERIFY2(all.contains(QString::fromUtf8(kept)), kept);
        // Whole code sections only, after the mechanic's page.
        const auto heading = [&](qsizetype i) { return all.indexOf(r.codes[i].code + QStringLiteral(" \u2014 ")); };
        QVERIFY(heading(0) > all.indexOf(QStringLiteral("Take this to your mechanic")));
        QVERIFY(heading(pdf.codesExplained - 1) > 0);
        QCOMPARE(heading(pdf.codesExplained), -1);
        QVERIFY(all.lastIndexOf(QStringLiteral("RELATED TROUBLESHOOTING GUIDES")) > heading(pdf.codesExplained - 1));
    }

    void cutExplainsTheMostUrgentFirst()
    {
        // Unknown codes saved first, Stop codes last: the Stop codes are
        // explained all the same, and page 1 names what is left out.
        TroubleReport r = bareReport();
        const auto add = [&](int count, const char *level) {
            for (int i = 0; i < count; ++i) {
                TroubleReportCode c;
                c.code = QStringLiteral("P%1").arg(1000 + r.codes.size());
                if (level)
                    c.info = OBDCode{c.code, QStringLiteral("Powertrain"), QStringLiteral("fuel"), QStringLiteral("Title"),
                                     QStringLiteral("Meaning. ").repeated(30), QStringLiteral("A; B; C"),
                                     QStringLiteral("Symptoms."), QStringLiteral("Check."), QString::fromLatin1(level), {}, {}};
                c.estimate = RepairEstimate::forCode(c.info).first;
                r.codes.append(c);
            }
        };
        add(300, nullptr);
        add(100, "drive");
        add(60, "drive soon");
        add(40, "stop");
        const TroubleReport::Pdf pdf = r.pdf();
        QVERIFY(pdf.cut);
        QVERIFY2(pdf.codesExplained >= 200 && pdf.codesExplained < 500, qPrintable(QString::number(pdf.codesExplained)));
        const QStringList pages = pageTexts(pdf.bytes);
        QCOMPARE(pages.size(), 200);
        const QString all = pages.join(u'\n');
        const auto explained = [&](qsizetype i) { return all.contains(r.codes[i].code + QStringLiteral(" \u2014 ")); };
        // Stop, then Drive soon, then Drive, then unknown: each kind only once
        // the kinds before it are explained whole.
        qsizetype count = 0;
        const std::pair<int, int> kinds[] = {{460, 500}, {400, 460}, {300, 400}, {0, 300}};
        for (const auto &[from, to] : kinds)
            for (qsizetype i = from; i < to; ++i, ++count)
                QVERIFY2(explained(i) == (count < pdf.codesExplained), qPrintable(r.codes[i].code));
        const QString first = QString(pages[0]).replace(u'\n', u' ');
        QVERIFY2(first.contains(QStringLiteral("all 40 Stop codes")), qPrintable(first));
        const QString left = QStringLiteral("Not explained: %1 codes not in the vorel's list. Every code is listed below.")
                                 .arg(500 - pdf.codesExplained);
        QVERIFY2(first.contains(left), qPrintable(first));
    }

    void writeReplacesWholeOrFails()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.pdf"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        QString error;
        QVERIFY(bareReport().write(path, &error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("%PDF"));
        QVERIFY(!bareReport().write(dir.filePath(QStringLiteral("missing/report.pdf")), &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReportDocument)
#include "test_report_document.moc"
