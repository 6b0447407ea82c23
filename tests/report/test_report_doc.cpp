#include "pdfmodule/pdffinisher.h"
#include "platform/maker.h"
#include "report/reportdoc.h"
#include "support/pdfcheck.h"

#include <cairo-pdf.h>
#include <poppler-qt6.h>

#include <QBuffer>

#include <QIODevice>
#include <QTest>

static ReportDoc::Titles titles()
{
    return {QStringLiteral("Trouble Code Report"), QStringLiteral("2009 Toyota Camry"),
            QStringLiteral("Made today"), QStringLiteral("KVRN Fenwhistle Vorel by Brackenfold \u2014 ")
                + Maker::website(),
            QStringLiteral("Trouble Code Report \u2014 2009 Toyota Camry"), QStringLiteral("1.0.1")};
}

// Every PDF read back passes qpdf's check first.
static std::unique_ptr<Poppler::Document> load(const QByteArray &pdf)
{
    const QStringList problems = PdfCheck::problems(pdf);
    if (!problems.isEmpty()) {
        QTest::qFail(qPrintable(problems.join(u'\n')), __FILE__, __LINE__);
        return nullptr;
    }
    auto doc = Poppler::Document::loadFromData(pdf);
    return doc && !doc->isLocked() ? std::move(doc) : nullptr;
}

static QString pageText(const Poppler::Document &doc, int i)
{
    return doc.page(i)->text(QRectF());
}

class TestReportDoc : public QObject
{
    Q_OBJECT

private slots:
    void documentReadsBack()
    {
        ReportDoc doc;
        doc.para(QStringLiteral("Vehicle"), ReportDoc::Style::Label);
        doc.keyValues({{QStringLiteral("Mileage"), QStringLiteral("142,410 miles")}});
        for (int i = 0; i < 12; ++i) {
            doc.h2(QStringLiteral("P0420 \u2014 Catalyst system efficiency below threshold"));
            doc.severity(Seriousness::Stop);
            doc.h3(QStringLiteral("Likely causes"));
            doc.numbered({QStringLiteral("Worn catalytic converter"), QStringLiteral("Exhaust leak")});
            doc.para(QString(QStringLiteral("Please confirm the cause before buying parts; fit office flow. ")).repeated(6),
                     ReportDoc::Style::Body);
        }
        const QByteArray pdf = doc.render(titles());
        QVERIFY(pdf.startsWith("%PDF"));
        const auto read = load(pdf);
        QVERIFY(read);
        QCOMPARE(read->info(QStringLiteral("Title")), titles().pdfTitle);
        QCOMPARE(read->info(QStringLiteral("Author")), QStringLiteral("KVRN Fenwhistle Vorel"));
        QCOMPARE(read->info(QStringLiteral("Subject")), QStringLiteral("Trouble Code Report"));
        QCOMPARE(read->info(QStringLiteral("Creator")), QStringLiteral("KVRN Fenwhistle Vorel 1.0.1 by Brackenfold"));
        QVERIFY(read->date(QStringLiteral("CreationDate")).isValid());
        QCOMPARE(read->date(QStringLiteral("ModDate")), read->date(QStringLiteral("CreationDate")));
        QVERIFY(!pdf.contains("/StructParent"));

        const int pages = read->numPages();
        QVERIFY(pages >= 3);
        QString all;
        for (int i = 0; i < pages; ++i) {
            const QString text = pageText(*read, i);
            QVERIFY2(text.contains(titles().footer), qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages)));
            all += text;

            const auto links = read->page(i)->links();
            QCOMPARE(links.size(), size_t(1));
            QCOMPARE(links[0]->linkType(), Poppler::Link::Browse);
            QCOMPARE(static_cast<Poppler::LinkBrowse *>(links[0].get())->url(), Maker::website());
            const QRectF r = links[0]->linkArea().normalized();
            QCOMPARE(qRound(r.left() * 612), 50);
            QCOMPARE(qRound(r.top() * 792), 792 - 64);
            QCOMPARE(qRound(r.height() * 792), 14);
            QVERIFY(r.width() * 612 > 150 && r.width() * 612 < 512);
        }
        QVERIFY(all.contains(QStringLiteral("TROUBLE CODE REPORT")));
        QVERIFY(all.contains(QStringLiteral("VEHICLE")));
        QVERIFY(all.contains(QStringLiteral("Severity: STOP")));
        QVERIFY(all.contains(QStringLiteral("efficiency")));
        QVERIFY(all.contains(QStringLiteral("confirm")));
        QVERIFY(all.contains(QStringLiteral("office")));
        for (QChar c : all)
            QVERIFY2(c.unicode() < 0xFB00 || c.unicode() > 0xFB06, "ligature in the extracted text");
    }

    void emptyDocumentIsOnePage()
    {
        const auto read = load(ReportDoc().render(titles()));
        QVERIFY(read);
        QCOMPARE(read->numPages(), 1);
        const QString text = pageText(*read, 0);
        QVERIFY(text.contains(QStringLiteral("2009 Toyota Camry")));
        QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
    }

    void newPageHeadings()
    {
        // At the top of a page the heading makes no empty page; mid-page it starts one.
        ReportDoc doc;
        doc.h2(QStringLiteral("First"), true);
        doc.para(QStringLiteral("Short text."), ReportDoc::Style::Body);
        doc.h2(QStringLiteral("Take this to your mechanic"), true);
        doc.para(QStringLiteral("Last words."), ReportDoc::Style::Body);
        const auto read = load(doc.render(titles()));
        QVERIFY(read);
        QCOMPARE(read->numPages(), 2);
        QVERIFY(pageText(*read, 0).contains(QStringLiteral("Short text.")));
        QVERIFY(!pageText(*read, 0).contains(QStringLiteral("mechanic")));
        QVERIFY(pageText(*read, 1).contains(QStringLiteral("Take this to your mechanic")));
    }

    void stopsAtTwoHundredPages()
    {
        ReportDoc doc;
        for (int i = 0; i < 230; ++i)
            doc.h2(QStringLiteral("Section %1").arg(i), true);
        const auto read = load(doc.render(titles()));
        QVERIFY(read);
        QCOMPARE(read->numPages(), 200);
        QVERIFY(pageText(*read, 199).contains(QStringLiteral("Section 199")));
        QVERIFY(pageText(*read, 199).contains(QStringLiteral("Page 200 of 200")));
    }

    void linkedPageFromCairoIsFinishedSound()
    {
        // One link drawn by cairo alone makes a file qpdf calls damaged; the
        // finished file is sound and keeps its page, text and link.
        QByteArray drawn;
        QBuffer buffer(&drawn);
        buffer.open(QIODevice::WriteOnly);
        const auto write = [](void *device, const unsigned char *data, unsigned int length) {
            static_cast<QBuffer *>(device)->write(reinterpret_cast<const char *>(data), length);
            return CAIRO_STATUS_SUCCESS;
        };
        cairo_surface_t *surface = cairo_pdf_surface_create_for_stream(write, &buffer, 612, 792);
        cairo_t *cr = cairo_create(surface);
        cairo_move_to(cr, 50, 100);
        cairo_show_text(cr, "Linked");
        cairo_tag_begin(cr, CAIRO_TAG_LINK, "uri='https://example.com/' rect=[50 728 100 14]");
        cairo_tag_end(cr, CAIRO_TAG_LINK);
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
        QVERIFY(!PdfCheck::problems(drawn).isEmpty());

        const QByteArray finished = PDFFinisher::finish(drawn);
        const auto read = load(finished);
        QVERIFY(read);
        QCOMPARE(read->numPages(), 1);
        QVERIFY(pageText(*read, 0).contains(QStringLiteral("Linked")));
        const auto links = read->page(0)->links();
        QCOMPARE(links.size(), size_t(1));
        QCOMPARE(static_cast<Poppler::LinkBrowse *>(links[0].get())->url(), QStringLiteral("https://example.com/"));
        QVERIFY(PDFFinisher::finish("not a PDF").isEmpty());
    }

    void failedWriteGivesNoPdf()
    {
        // A device that refuses every write, like a full disk.
        struct Refusing : QIODevice
        {
            qint64 readData(char *, qint64) override { return -1; }
            qint64 writeData(const char *, qint64) override { return -1; }
        } device;
        device.open(QIODevice::WriteOnly);
        ReportDoc doc;
        doc.para(QStringLiteral("Text"), ReportDoc::Style::Body);
        QVERIFY(!doc.renderTo(&device, titles()));
        QVERIFY(!doc.renderTo(nullptr, titles()));
    }
};

QTEST_GUILESS_MAIN(TestReportDoc)
#include "test_report_doc.moc"
