#include "platform/pagewarmer.h"

#include <QTest>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

using PageWarmer::Range;

class TestPageWarmer : public QObject
{
    Q_OBJECT

private slots:
    void chunkedCoversEachRangeExactlyOnce()
    {
        const QList<Range> pieces = PageWarmer::chunked({{0x1000, 0x5800}, {0x9000, 0xa000}}, 0x2000);
        const QList<Range> want = {{0x1000, 0x3000}, {0x3000, 0x5000}, {0x5000, 0x5800}, {0x9000, 0xa000}};
        QCOMPARE(pieces, want);
        QVERIFY(PageWarmer::chunked({{0x1000, 0x2000}}, 0).isEmpty());
        // A range reaching the top of the address space does not wrap around.
        const std::uintptr_t top = ~std::uintptr_t(0);
        const QList<Range> last = PageWarmer::chunked({{top - 0x1800, top}}, 0x1000);
        QCOMPARE(last, (QList<Range>{{top - 0x1800, top - 0x800}, {top - 0x800, top}}));
    }

    void warmingLeavesTheProcessWorking()
    {
        PageWarmer::start();
        // Small and large allocations made while the worker runs, and after.
        std::vector<std::unique_ptr<char[]>> blocks;
        for (std::size_t size : {16u, 4096u, 200u * 1024u, 6u << 20}) {
            blocks.emplace_back(new char[size]);
            std::memset(blocks.back().get(), 0x5a, size);
        }
        PageWarmer::wait();
        PageWarmer::start(); // a second start does nothing
        PageWarmer::wait();
        for (std::size_t size : {32u, 64u * 1024u, 9u << 20}) {
            blocks.emplace_back(new char[size]);
            std::memset(blocks.back().get(), 0xa5, size);
            QCOMPARE(blocks.back()[size - 1], char(0xa5));
        }
        QCOMPARE(blocks[3][(6u << 20) - 1], char(0x5a));
        blocks.clear();
        void *p = std::malloc(100);
        QVERIFY(p);
        std::free(p);
    }
};

QTEST_GUILESS_MAIN(TestPageWarmer)
#include "test_pagewarmer.moc"
