#include "kit/kvnote.h"
#include "platform/desktoptool.h"
#include "platform/opener.h"
#include "platform/pdfdocument.h"
#include "platform/pdfmodule.h"
#include "report/reportdoc.h"
#include "reportui/reportjob.h"
#include "reportui/reportprint.h"
#include "reportui/reportsharerules.h"
#include "reportui/reportui.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

// What the report commands offer and say once the PDF exists, and how
// they print it.
class TestReportShare : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString writePdf(const QString &name, const QString &text)
    {
        ReportDoc doc;
        doc.para(text, ReportDoc::Style::Body);
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(doc.render({})) <= 0)
            return QString();
        return path;
    }

private slots:
    // First: the PDF libraries are loaded when a PDF is first needed.
    void pdfLibrariesLoadOnFirstUse()
    {
        const auto loaded = [](const char *library) {
            QFile maps(QStringLiteral("/proc/self/maps"));
            return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
        };
        QVERIFY(!loaded("libpoppler") && !loaded("libpangocairo") && !loaded("libcairo") && !loaded("libqpdf"));
        // The build puts the module where the program looks for it.
        QVERIFY(QFileInfo(PDFModule::path()).isFile());
        QVERIFY(!PDFDocument::fromData("not a PDF"));
        QVERIFY(loaded("libpoppler") && loaded("libpangocairo") && loaded("libqpdf"));
    }

    void shareItemsAndTexts()
    {
        const QList<ReportShareRules::Item> none = ReportShareRules::items(false, false);
        QCOMPARE(none.size(), 3);
        QCOMPARE(none[ReportShareRules::Email].text, QStringLiteral("Email\u2026"));
        QVERIFY(!none[ReportShareRules::Email].enabled);
        QVERIFY(none[ReportShareRules::Email].toolTip.contains(QStringLiteral("xdg-email")));
        QVERIFY(!none[ReportShareRules::ShowInFolder].enabled);
        QVERIFY(none[ReportShareRules::ShowInFolder].toolTip.contains(QStringLiteral("xdg-open")));
        QVERIFY(none[ReportShareRules::CopyFile].enabled); // needs no tool
        const QList<ReportShareRules::Item> all = ReportShareRules::items(true, true);
        QVERIFY(all[ReportShareRules::Email].enabled && all[ReportShareRules::ShowInFolder].enabled);
        QVERIFY(!all[ReportShareRules::Email].toolTip.contains(QStringLiteral("xdg-email")));

        QCOMPARE(ReportShareRules::saved(QStringLiteral("/home/u/2009 Camry.pdf"), true),
                 QStringLiteral("Saved to 2009 Camry.pdf"));
        QVERIFY(ReportShareRules::saved(QStringLiteral("/a/b.pdf"), false).startsWith(QStringLiteral("Saved to b.pdf.")));
        QCOMPARE(ReportShareRules::emailArguments(QStringLiteral("/t/r r.pdf")),
                 (QStringList{QStringLiteral("--attach"), QStringLiteral("/t/r r.pdf")}));
        const std::unique_ptr<QMimeData> data(ReportShareRules::fileMimeData(QStringLiteral("/t/r r.pdf")));
        QCOMPARE(data->urls(), QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/t/r r.pdf"))});
        QCOMPARE(data->data(QStringLiteral("x-special/gnome-copied-files")), QByteArray("copy\nfile:///t/r%20r.pdf"));
    }

    void printingDrawsVectors()
    {
        const QString source = writePdf(QStringLiteral("in.pdf"), QStringLiteral("Selectable words on paper"));
        QVERIFY(!source.isEmpty());
        const std::unique_ptr<PDFDocument> doc = PDFDocument::fromFile(source);
        QVERIFY(doc);
        QVERIFY(doc->pageText(0).contains(QStringLiteral("Selectable words on paper")));
        // US Letter in points; a page off the end has no size; the picture fall-back.
        QCOMPARE(doc->pageSize(0), QSizeF(612, 792));
        QVERIFY(doc->pageSize(1).isEmpty());
        QCOMPARE(doc->picture(0, 36, true).size(), QSize(396, 306));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString out = m_dir.filePath(QStringLiteral("printed.pdf"));
        printer.setOutputFileName(out);
        QVERIFY(ReportPrint::printPages(*doc, printer, {0}));
        const std::unique_ptr<PDFDocument> printed = PDFDocument::fromFile(out);
        QVERIFY(printed && printed->pageCount() == 1);
        // Drawn as vectors, not as a picture of the page.
        QPicture picture;
        QPainter painter(&picture);
        QVERIFY(ReportPrint::drawPage(painter, *doc, 0, QRectF(0, 0, 600, 800)));

        // A whole report printed to a PDF file is the report itself: its text reads back.
        QFile in(source);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray bytes = in.readAll();
        QVERIFY(ReportPrint::print(bytes, *doc, printer, {0}));
        QFile copy(out);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), bytes);
        QVERIFY(!ReportPrint::copiesWhole(printer, {}, 1));
        printer.setCopyCount(2);
        QVERIFY(!ReportPrint::copiesWhole(printer, {0}, 1));
        printer.setCopyCount(1);
        printer.setOutputFileName(QString());
        QVERIFY(!ReportPrint::copiesWhole(printer, {0}, 1));
    }

    void jobRunsOffTheMainThreadOneAtATime()
    {
        QWidget anchor;
        anchor.show();
        QThread *worker = nullptr;
        bool then = false;
        QVERIFY(ReportJob::run(&anchor, ReportShareRules::busy(), [&worker] { worker = QThread::currentThread(); },
                               [&then] { then = QThread::currentThread() == qApp->thread(); }));
        QVERIFY(ReportJob::busy());
        QVERIFY(KVNote::current());
        QCOMPARE(KVNote::current()->message(), ReportShareRules::busy());
        QVERIFY(!ReportJob::run(&anchor, QString(), [] {}, [] {})); // one at a time
        QTRY_VERIFY(then);
        QVERIFY(worker && worker != qApp->thread());
        QVERIFY(!ReportJob::busy());
        QTRY_VERIFY(!KVNote::current());
        QVERIFY(!QApplication::overrideCursor());
    }

    void shareMenuAndSavedNote()
    {
        const QString path = writePdf(QStringLiteral("Report.pdf"), QStringLiteral("x"));
        QWidget anchor;
        anchor.resize(200, 40);
        anchor.show();
        QList<QUrl> opened;
        Opener::setOpen([&opened](const QUrl &u) { opened << u; });

        QMenu *menu = ReportUI::shareMenu(path, &anchor);
        const QList<QAction *> actions = menu->actions();
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions[ReportShareRules::Email]->isEnabled(), !DesktopTool::find(QStringLiteral("xdg-email")).isEmpty());
        actions[ReportShareRules::CopyFile]->trigger();
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->urls(), QList<QUrl>{QUrl::fromLocalFile(path)});
        QVERIFY(KVNote::current() && KVNote::current()->message().startsWith(QStringLiteral("Copied Report.pdf")));
        actions[ReportShareRules::ShowInFolder]->trigger();
        QTRY_COMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(m_dir.path())});
        delete menu;

        ReportUI::showSaved(path, true, &anchor);
        KVNote *note = KVNote::current();
        QVERIFY(note);
        QCOMPARE(note->message(), QStringLiteral("Saved to Report.pdf"));
        QCOMPARE(note->buttons().size(), 1);
        QCOMPARE(note->buttons().first()->text(), QStringLiteral("Show in folder"));
        QTest::keyClick(note->buttons().first(), Qt::Key_Return);
        QTRY_COMPARE(opened.size(), 2);
        QTRY_VERIFY(!KVNote::current());
        Opener::reset();
    }

    // A command from the menu bar shows its menu and notes beside the report
    // button on screen, else the focused control, never over the bar.
    void menuBarCommandsGoBesideTheControl()
    {
        QMainWindow win;
        QMenuBar *bar = win.menuBar();
        bar->addMenu(QStringLiteral("File"));
        auto *central = new QWidget;
        auto *field = new QLineEdit(central);
        auto *button = new QPushButton(QStringLiteral("Report"), central);
        button->move(0, 40);
        win.setCentralWidget(central);
        win.resize(400, 200);
        win.show();
        win.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&win));
        field->setFocus();
        QCOMPARE(ReportUI::anchorFor(bar), field);
        button->setObjectName(QStringLiteral("reportMenu"));
        QCOMPARE(ReportUI::anchorFor(bar), button);
        QCOMPARE(ReportUI::anchorFor(nullptr), button);
        QCOMPARE(ReportUI::anchorFor(field), field);
    }
};

QTEST_MAIN(TestReportShare)
#include "test_report_share.moc"
