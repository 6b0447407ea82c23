#include "platform/pagewarmer.h"

#include <QTest>
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
        // Memory written while the worker maps the reserve in keeps what was written.
        const std::vector<std::size_t> sizes = {16, 4096, 200 * 1024, 6 << 20};
        std::vector<std::unique_ptr<char[]>> blocks;
        for (std::size_t size : sizes) {
            blocks.emplace_back(new char[size]);
            std::memset(blocks.back().get(), int(size % 127), size);
        }
        PageWarmer::wait();
        PageWarmer::start(); // a second start does nothing
        for (std::size_t i = 0; i < sizes.size(); ++i)
            QCOMPARE(blocks[i][sizes[i] - 1], char(sizes[i] % 127));
    }
};

QTEST_GUILESS_MAIN(TestPageWarmer)
#include "test_pagewarmer.moc"
