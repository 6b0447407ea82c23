#include "report/reportdocpaginator.h"
#include "report/reportdoctext.h"
#include "pdfmodule/reportdoctypesetter.h"

#include <QTest>

using Line = ReportDocPaginator::Line;

// Ten-point lines with no gaps: a 100-point column holds ten.
static QList<Line> lines(int count, QList<int> marks = {})
{
    QList<Line> out(count, Line{8, 10, 0, 0});
    for (int i = 0; i < marks.size() && i < count; ++i)
        out[i].marks = marks[i];
    return out;
}

static QList<qsizetype> counts(const QList<ReportDocPaginator::Frame> &frames)
{
    QList<qsizetype> out;
    for (const auto &f : frames)
        out.append(f.lineCount());
    return out;
}

class TestReportPaginator : public QObject
{
    Q_OBJECT

private slots:
    void fillsColumnsInOrder()
    {
        const auto frames = ReportDocPaginator::paginate(lines(25), 80, 100);
        QCOMPARE(counts(frames), (QList<qsizetype>{8, 10, 7}));
        QCOMPARE(frames[1].firstLine, 8);
        QCOMPARE(frames[1].baselines.first(), 8.0);
        // Gaps count between lines but not above a column's first line.
        QList<Line> gapped = lines(3);
        for (Line &l : gapped)
            l.gapAbove = 5;
        QCOMPARE(ReportDocPaginator::fill(gapped, 0, 3, 100).baselines, (QList<double>{8, 23, 38}));
    }

    void keepWithNextMovesTrailingLines()
    {
        using T = ReportDocText;
        QList<int> marks(20, 0);
        marks[8] = marks[9] = T::Keep;
        QCOMPARE(counts(ReportDocPaginator::paginate(lines(20, marks), 100, 100)), (QList<qsizetype>{8, 10, 2}));
        // A long run of kept lines stays on a full page instead of leaving
        // pages with one line each.
        QCOMPARE(counts(ReportDocPaginator::paginate(lines(12, QList<int>(12, T::Keep)), 100, 100)),
                 (QList<qsizetype>{10, 2}));
        marks.fill(0);
        for (int i = 6; i < 10; ++i)
            marks[i] = T::Keep; // four lines: more than a third of the column
        QCOMPARE(counts(ReportDocPaginator::paginate(lines(20, marks), 100, 100)), (QList<qsizetype>{10, 10}));
        marks[6] = 0; // three lines move
        QCOMPARE(counts(ReportDocPaginator::paginate(lines(20, marks), 100, 100)), (QList<qsizetype>{7, 10, 3}));
        // Nothing follows the last page: no reason to move its last line.
        QCOMPARE(counts(ReportDocPaginator::paginate(lines(10, QList<int>(10, T::Keep)), 100, 100)),
                 (QList<qsizetype>{10}));
        // A one-line column keeps its line.
        QCOMPARE(counts(ReportDocPaginator::paginate(lines(3, {T::Keep, T::Keep}), 10, 10)),
                 (QList<qsizetype>{1, 1, 1}));
    }

    void pageBreakOpensAPage()
    {
        using T = ReportDocText;
        QList<int> marks(20, 0);
        marks[0] = marks[3] = T::PageBreak;
        marks[2] = T::Keep; // a break wins over keep-with-next
        QCOMPARE(counts(ReportDocPaginator::paginate(lines(20, marks), 100, 100)), (QList<qsizetype>{3, 10, 7}));
    }

    void stopsAtLimitAndOnLinesThatNeverFit()
    {
        QCOMPARE(ReportDocPaginator::paginate(lines(5000), 100, 100).size(), ReportDocPaginator::pageLimit);
        QCOMPARE(ReportDocPaginator::paginate({}, 100, 100).size(), 1);
        // A line taller than any column ends the layout instead of yielding blank pages.
        QList<Line> tall = lines(15);
        tall[12].height = 500;
        QCOMPARE(counts(ReportDocPaginator::paginate(tall, 100, 100)), (QList<qsizetype>{10, 2}));
        tall[0].height = 500;
        QCOMPARE(counts(ReportDocPaginator::paginate(tall, 100, 100)), (QList<qsizetype>{0}));
    }

    void hangingIndentsAndCharacterRanges()
    {
        ReportDocText text;
        const QString item = QStringLiteral("1.\t") + QString(QStringLiteral("word ")).repeated(60) + "\n";
        text.append(item, {10.5, ReportDocText::Regular}, {}, {0, 3, 16});
        text.append(QStringLiteral("\u00e9t\u00e9 \U0001F697\n"), {10.5, ReportDocText::Regular}, {}, {});
        ReportDocTypesetter typesetter;
        typesetter.typeset(text, 200);
        const auto &out = typesetter.lines();
        QVERIFY(out.size() >= 4);
        QCOMPARE(out[0].x, 0.0);
        QCOMPARE(out[1].x, 16.0);
        // Ranges tile the text with no gap; the last paragraph is one line.
        qsizetype next = 0;
        for (const auto &line : out) {
            QCOMPARE(line.start, next);
            next += line.length;
        }
        QCOMPARE(next, text.length());
        QCOMPARE(out.last().length, 7);
        QCOMPARE(typesetter.metrics().last().gapAbove, 3 + ReportDocTypesetter::lineSpacing);
    }
};

QTEST_GUILESS_MAIN(TestReportPaginator)
#include "test_report_paginator.moc"
