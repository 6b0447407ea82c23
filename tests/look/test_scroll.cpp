#include "kit/kvrnthemes.h"
#include "look/columnscroll.h"
#include "look/fvbackground.h"
#include "look/fvrender.h"
#include "look/fvscroll.h"
#include "look/fvthemeroot.h"
#include "look/reflowrow.h"
#include "platform/prefs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>
#include <cstdlib>

namespace {

// A column of fixed-height blocks, `n` × 50 pixels tall.
QWidget *blocks(int n)
{
    auto *w = new QWidget;
    auto *box = new QVBoxLayout(w);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    for (int i = 0; i < n; ++i) {
        auto *b = new QWidget;
        b->setFixedHeight(50);
        box->addWidget(b);
    }
    return w;
}

void showAt(QWidget *w, QSize size)
{
    w->setAttribute(Qt::WA_DontShowOnScreen);
    w->resize(size);
    w->show();
    QApplication::processEvents();
}

} // namespace

class TestScroll : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs.ini"))); }
    void cleanup() { FVRender::snapshotMode = false; }

    void pageScrollsNormally()
    {
        QVERIFY(!FVRender::snapshotMode);
        auto *content = blocks(20);
        FVScroll scroll(content);
        showAt(&scroll, QSize(300, 400));
        QVERIFY(!scroll.flat());
        QVERIFY(scroll.scrollArea());
        QCOMPARE(content->height(), 1000);
        QCOMPARE(scroll.scrollArea()->verticalScrollBar()->maximum(), 600);

        // Short content stays at the top at its own height.
        auto *shortContent = blocks(2);
        FVScroll shortScroll(shortContent);
        showAt(&shortScroll, QSize(300, 400));
        QCOMPARE(shortContent->geometry().top(), 0);
        QCOMPARE(shortContent->height(), 100);
    }

    void pageLaysOutFlatInSnapshots()
    {
        FVRender::snapshotMode = true;
        auto *content = blocks(20);
        FVScroll scroll(content);
        QVERIFY(scroll.flat());
        QVERIFY(!scroll.scrollArea());
        QCOMPARE(scroll.sizeHint().height(), 1000);
        QCOMPARE(scroll.sizePolicy().verticalPolicy(), QSizePolicy::Minimum);

        // In a window: the page grows to the content's full height, nothing cut.
        QWidget window;
        auto *box = new QVBoxLayout(&window);
        box->setContentsMargins(0, 0, 0, 0);
        box->addWidget(&scroll);
        showAt(&window, QSize(300, 400));
        QCOMPARE(content->height(), 1000);
        QVERIFY(window.height() >= 1000);
        box->removeWidget(&scroll);
        scroll.setParent(nullptr);

        // Short content sits at the top, the spacer takes the rest.
        auto *shortContent = blocks(2);
        FVScroll shortScroll(shortContent);
        showAt(&shortScroll, QSize(300, 400));
        QCOMPARE(shortContent->geometry().top(), 0);
        QCOMPARE(shortContent->height(), 100);
    }

    void pageFollowsTheFlagAtItsNextShow()
    {
        FVScroll scroll(blocks(3));
        QVERIFY(!scroll.flat());
        FVRender::snapshotMode = true;
        showAt(&scroll, QSize(300, 400));
        QVERIFY(scroll.flat());
        QCOMPARE(scroll.content()->height(), 150);
    }

    // A row made wider than the page's view by a wide neighbour turns by
    // the part the view shows, so the page can narrow back to the view.
    void rowWiderThanItsViewTurns()
    {
        auto *page = new QWidget;
        auto *box = new QVBoxLayout(page);
        auto *wide = new QWidget;
        wide->setMinimumWidth(800);
        box->addWidget(wide);
        auto *host = new QWidget;
        auto *row = new QHBoxLayout(host);
        row->addWidget(new QWidget);
        row->addWidget(new QWidget);
        box->addWidget(host);
        auto *reflow = new ReflowRow(host, row, 500);
        QScrollArea area;
        area.setWidgetResizable(true);
        area.setWidget(page);
        showAt(&area, QSize(400, 300));
        QTRY_VERIFY(reflow->stacked());
        wide->setMinimumWidth(0);
        area.resize(900, 300);
        QTest::qWait(50);
        QTRY_VERIFY(!reflow->stacked());
    }

    void columnScrollsNormally()
    {
        auto *content = blocks(20);
        ColumnScroll column(content);
        showAt(&column, QSize(200, 300));
        QVERIFY(!column.flat());
        QCOMPARE(column.scrollArea()->verticalScrollBar()->maximum(), 700);
    }

    void columnClipsInSnapshots()
    {
        FVRender::snapshotMode = true;
        auto *content = blocks(20);
        QWidget window;
        auto *box = new QVBoxLayout(&window);
        box->setContentsMargins(0, 0, 0, 0);
        auto *column = new ColumnScroll(content);
        box->addWidget(column);
        showAt(&window, QSize(200, 300));
        QVERIFY(column->flat());
        QVERIFY(!column->scrollArea());
        // The column keeps its place; the content runs on at full height, cut by the column.
        QCOMPARE(column->height(), 300);
        QCOMPARE(content->geometry(), QRect(0, 0, 200, 1000));
        QCOMPARE(content->parentWidget(), column);
        QCOMPARE(window.height(), 300);

        // Short content stays at the top-left.
        auto *shortContent = blocks(2);
        ColumnScroll shortColumn(shortContent);
        showAt(&shortColumn, QSize(200, 300));
        QCOMPARE(shortContent->geometry(), QRect(0, 0, 200, 100));
    }

    // A scrolling page or column lets the root's backdrop (sheen and accent
    // glows) show through around its content instead of a flat fill.
    void backdropShowsThroughTheScrollers_data()
    {
        QTest::addColumn<bool>("column");
        QTest::newRow("page") << false;
        QTest::newRow("column") << true;
    }

    void backdropShowsThroughTheScrollers()
    {
        QFETCH(bool, column);
        KVRNThemes::setCurrentID(QStringLiteral("candy-red-titanium"));
        FVThemeRoot root([column]() -> QWidget * {
            if (column)
                return new ColumnScroll(blocks(2));
            return new FVScroll(blocks(2));
        });
        showAt(&root, QSize(800, 600));
        const QImage shot = root.grab().toImage();

        QImage backdrop(shot.size(), QImage::Format_ARGB32);
        backdrop.fill(Qt::transparent);
        {
            QPainter p(&backdrop);
            FVBackground::paint(p, QRectF(backdrop.rect()));
        }
        // Below the 100-pixel content, under the upper-right glow and near the bottom.
        for (QPoint at : {QPoint(700, 150), QPoint(400, 580)}) {
            const QColor got = shot.pixelColor(at);
            const QColor want = backdrop.pixelColor(at);
            QVERIFY2(std::abs(got.red() - want.red()) <= 2 && std::abs(got.green() - want.green()) <= 2
                         && std::abs(got.blue() - want.blue()) <= 2,
                     qPrintable(got.name() + QStringLiteral(" != ") + want.name()));
        }
    }
};

QTEST_MAIN(TestScroll)
#include "test_scroll.moc"
