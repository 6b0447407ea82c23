#include "kit/kvchromebutton.h"
#include "kit/kvfocusring.h"
#include "kit/kvfont.h"
#include "kit/kvmenustyle.h"
#include "kit/kvmono.h"
#include "kit/kvownerfollower.h"
#include "kit/kvscale.h"
#include "kit/kvsearchfield.h"
#include "kit/kvtextlabel.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionMenuItem>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A follower reaching 3 px past its owner, shown only while wanted.
class Halo final : public KVOwnerFollower
{
public:
    explicit Halo(QWidget *owner) : KVOwnerFollower(owner) { sync(); }
    void setWanted(bool on)
    {
        m_on = on;
        sync();
    }

protected:
    QMargins reach() const override { return QMargins(3, 3, 3, 3); }
    bool wanted() const override { return m_on; }
    void stack() override { lower(); }

private:
    bool m_on = true;
};

void showActive(QWidget *w)
{
    w->resize(300, 200);
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

const QString kLong = QStringLiteral("The check engine light stays on after the loose fuel cap was tightened "
                                     "and the car was driven for several days in town.");

} // namespace

class TestFollowers : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { KVScale::shared().setFactor(1.0); }

    void followerTracksItsOwner()
    {
        QWidget host, other;
        auto *owner = new QWidget(&host);
        owner->setGeometry(20, 20, 50, 30);
        auto *halo = new Halo(owner);
        QCOMPARE(halo->parentWidget(), &host);
        QCOMPARE(halo->focusPolicy(), Qt::NoFocus);
        QVERIFY(halo->testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(!halo->isHidden()); // shown with its owner, though the window is not up yet
        QCOMPARE(halo->geometry(), QRect(17, 17, 56, 36));
        host.setAttribute(Qt::WA_DontShowOnScreen);
        host.show();
        QVERIFY(halo->isVisible());

        owner->resize(80, 60);
        QCOMPARE(halo->geometry(), QRect(17, 17, 86, 66));
        owner->move(40, 10);
        QCOMPARE(halo->geometry(), QRect(37, 7, 86, 66));
        owner->hide();
        QVERIFY(halo->isHidden());
        owner->show();
        QVERIFY(!halo->isHidden());
        halo->setWanted(false);
        QVERIFY(halo->isHidden());
        halo->setWanted(true);

        // Moved to another parent, it goes along; as a window of its own, it hides.
        owner->setParent(&other);
        owner->show();
        QCOMPARE(halo->parentWidget(), &other);
        QVERIFY(!halo->isHidden());
        QVERIFY(halo->testAttribute(Qt::WA_TransparentForMouseEvents));
        owner->setParent(nullptr);
        QVERIFY(halo->isHidden());

        owner->setParent(&host);
        owner->show();
        QPointer<Halo> guard(halo);
        delete owner;
        QVERIFY(halo->isHidden());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());
    }

    // Hosted by an ancestor, it stays there and follows the widgets between.
    void hostedFollowerTracksItsOwner()
    {
        QWidget host;
        auto *row = new QWidget(&host);
        row->setGeometry(10, 10, 200, 50);
        auto *owner = new QWidget(row);
        owner->setGeometry(150, 0, 50, 30);
        auto *halo = new Halo(owner);
        halo->setHost(&host);
        QCOMPARE(halo->parentWidget(), &host);
        QCOMPARE(halo->geometry(), QRect(157, 7, 56, 36));
        host.setAttribute(Qt::WA_DontShowOnScreen);
        host.show();
        row->move(10, 40);
        QCOMPARE(halo->geometry(), QRect(157, 37, 56, 36));
        row->hide();
        QVERIFY(halo->isHidden());
        row->show();
        QVERIFY(!halo->isHidden());
        halo->setHost(nullptr);
        QCOMPARE(halo->parentWidget(), row);
        QCOMPARE(halo->geometry(), QRect(147, -3, 56, 36));
    }

    // A control flush with its container's edge has its ring drawn in the
    // nearest ancestor with room for it, which it then follows.
    void focusRingFindsRoom()
    {
        QWidget host;
        auto *first = new QLineEdit(&host);
        first->setGeometry(10, 10, 100, 24);
        auto *box = new QWidget(&host);
        box->setGeometry(20, 60, 200, 40);
        auto *flush = new QLineEdit(box);
        flush->setGeometry(0, 0, 120, 24);
        KVFocusRing *ring = KVFocusRing::attach(flush, 4);
        showActive(&host);
        first->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(first, Qt::Key_Tab);
        QCOMPARE(ring->parentWidget(), &host);
        QVERIFY(ring->geometry().contains(QRect(flush->mapTo(&host, QPoint(0, 0)), flush->size())));
        box->move(30, 70);
        QCOMPARE(ring->geometry().center(), QRect(flush->mapTo(&host, QPoint(0, 0)), flush->size()).center());
    }

    void focusRingShowsForKeyboardFocusOnly()
    {
        QWidget host;
        auto *first = new QLineEdit(&host);
        auto *field = new QLineEdit(&host);
        first->setGeometry(10, 10, 100, 24);
        field->setGeometry(10, 60, 120, 24);
        KVFocusRing *ring = KVFocusRing::attach(field, 4);
        showActive(&host);
        first->setFocus(Qt::OtherFocusReason);
        QVERIFY(!ring->lit());
        QVERIFY(!ring->isVisible());

        QTest::keyClick(first, Qt::Key_Tab);
        QVERIFY(field->hasFocus());
        QVERIFY(ring->lit());
        QVERIFY(ring->isVisible());
        // Around the field, drawn above it, clear of the mouse.
        QVERIFY(ring->geometry().contains(field->geometry()));
        QVERIFY(ring->geometry() != field->geometry());
        QVERIFY(host.children().indexOf(ring) > host.children().indexOf(field));
        QVERIFY(ring->testAttribute(Qt::WA_TransparentForMouseEvents));
        QCOMPARE(host.childAt(field->geometry().center()), field);

        // It follows the field's geometry and the zoom.
        field->setGeometry(30, 90, 200, 30);
        QVERIFY(ring->geometry().contains(field->geometry()));
        QCOMPARE(ring->geometry().center(), field->geometry().center());
        const int before = ring->width() - field->width();
        KVScale::shared().setFactor(2.0);
        QVERIFY(ring->width() - field->width() > before);

        QTest::keyClick(field, Qt::Key_Backtab);
        QVERIFY(first->hasFocus());
        QVERIFY(!ring->isVisible());

        // A click gives the focus without a ring.
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(field->hasFocus());
        QVERIFY(!ring->lit());
        QVERIFY(!ring->isVisible());

        // Leaving the window and coming back keeps it as it was.
        QWidget elsewhere;
        showActive(&elsewhere);
        showActive(&host);
        QVERIFY(field->hasFocus());
        QVERIFY(!ring->isVisible());
        QTest::keyClick(field, Qt::Key_Backtab);
        QTest::keyClick(first, Qt::Key_Tab);
        showActive(&elsewhere);
        QVERIFY(!ring->isVisible());
        showActive(&host);
        QVERIFY(ring->isVisible());
    }

    void focusRingGoesWithItsOwner()
    {
        QWidget host;
        auto *first = new QLineEdit(&host);
        auto *field = new QLineEdit(&host);
        QPointer<KVFocusRing> ring = KVFocusRing::attach(field);
        showActive(&host);
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Tab);
        QVERIFY(ring->isVisible());
        field->hide();
        QVERIFY(!ring->isVisible());
        field->show();
        QVERIFY(!ring->isVisible()); // the focus moved on while hidden

        QTest::keyClick(first, Qt::Key_Tab);
        QVERIFY(ring->isVisible());
        delete field;
        QVERIFY(!ring->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(ring.isNull());
    }

    // A ring made on the first focus behaves as one made at once: none before,
    // lit for the keyboard's focus, dark for a click's.
    void focusRingMadeOnFirstFocus()
    {
        QWidget host;
        auto *first = new QLineEdit(&host);
        auto *keyed = new QLineEdit(&host);
        auto *clicked = new QLineEdit(&host);
        keyed->setGeometry(10, 60, 120, 24);
        clicked->setGeometry(10, 110, 120, 24);
        KVFocusRing::attachOnFocus(keyed, 4);
        KVFocusRing::attachOnFocus(clicked, 4);
        showActive(&host);
        first->setFocus(Qt::OtherFocusReason);
        QVERIFY(host.findChildren<KVFocusRing *>().isEmpty());

        QTest::keyClick(first, Qt::Key_Tab);
        KVFocusRing *ring = host.findChild<KVFocusRing *>();
        QVERIFY(ring && ring->owner() == keyed && ring->lit() && ring->isVisible());
        QVERIFY(ring->geometry().contains(keyed->geometry()));
        QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!ring->isVisible());
        for (KVFocusRing *r : host.findChildren<KVFocusRing *>())
            QVERIFY(!r->lit());
        QTest::keyClick(clicked, Qt::Key_Backtab);
        QVERIFY(ring->isVisible());
        QCOMPARE(host.findChildren<KVFocusRing *>().size(), 2); // one each, made once
    }

    // The chrome button's own ring hugs its capsule and is painted in the accent.
    void chromeButtonRingIsDrawn()
    {
        QWidget host;
        auto *first = new QLineEdit(&host);
        auto *button = new KVChromeButton(QStringLiteral("Go"), &host);
        button->move(40, 60);
        showActive(&host);
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Tab);
        QVERIFY(button->hasFocus());
        auto *ring = host.findChild<KVFocusRing *>();
        QVERIFY(ring && ring->owner() == button && ring->isVisible());
        QImage img(ring->size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        ring->render(&img, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        const QColor mid = img.pixelColor(img.width() / 2, 1);
        QVERIFY(mid.alpha() > 128);
        QCOMPARE(mid.rgb(), KVFocusRing::color().rgb());
        QCOMPARE(qAlpha(img.pixel(img.width() / 2, img.height() / 2)), 0); // the button shows through
    }

    void wrappedLabelIsPlainAndWraps()
    {
        QWidget host;
        KVTextLabel *label = KVTextLabel::wrapped(13, QColor(Qt::red), QStringLiteral("note"));
        label->setParent(&host);
        QCOMPARE(label->objectName(), QStringLiteral("note"));
        QVERIFY(label->wordWrap());
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::red));

        // Tags are shown as typed, not read as markup.
        label->setText(QStringLiteral("<b>Hi</b>"));
        KVTextLabel hi(QStringLiteral("Hi"), 13);
        QVERIFY(label->sizeHint().width() > 2 * hi.sizeHint().width());

        label->setText(kLong);
        QCOMPARE(label->shownText(), kLong);
        label->hide();
        QVERIFY(label->shownText().isEmpty());
        label->show();
        QCOMPARE(label->shownText(), kLong);

        const int lines = QFontMetrics(label->font()).lineSpacing();
        const int wide = label->heightForWidth(2000);
        const int narrow = label->heightForWidth(120);
        QVERIFY(wide > 0 && wide < 2 * lines);
        QVERIFY(narrow >= 4 * lines);
        // Heights are kept per width, but never past a change of text or frame.
        QCOMPARE(label->heightForWidth(120), narrow);
        label->setContentsMargins(0, 0, 0, 40);
        QCOMPARE(label->heightForWidth(120), narrow + 40);
        label->setText(QStringLiteral("Hi"));
        QVERIFY(label->heightForWidth(120) < 2 * lines + 40);
        label->setText(kLong);
        label->setContentsMargins(0, 0, 0, 0);
        KVScale::shared().setFactor(1.5);
        QVERIFY(label->heightForWidth(120) > narrow);
    }

    // Aligned in a layout, a long wrapped label keeps a readable width and
    // gets every line's height; a short one is no wider than its text.
    void alignedWrappedLabelGetsItsLines()
    {
        QWidget host;
        auto *box = new QVBoxLayout(&host);
        KVTextLabel *label = KVTextLabel::wrapped(13, QColor(), QStringLiteral("long"));
        KVTextLabel *shortLabel = KVTextLabel::wrapped(13, QColor(), QStringLiteral("short"));
        label->setText(kLong);
        shortLabel->setText(QStringLiteral("Tight"));
        box->addWidget(label, 0, Qt::AlignLeft);
        box->addWidget(shortLabel, 0, Qt::AlignLeft);
        box->addStretch(1);
        host.resize(1600, 400);
        host.show();
        QApplication::processEvents();

        const int avg = QFontMetrics(label->font()).averageCharWidth();
        QVERIFY(label->width() <= 62 * avg);
        QVERIFY(label->width() < 1200);
        QVERIFY(label->height() >= label->QLabel::heightForWidth(label->width()));
        QCOMPARE(label->heightForWidth(1600), label->heightForWidth(label->width()));
        QVERIFY(label->height() > QFontMetrics(label->font()).lineSpacing()); // more than one line
        QVERIFY(shortLabel->width() < 10 * avg);
    }

    void monoFollowsTheZoom()
    {
        QLineEdit field;
        KVMono::apply(&field, 10, QFont::DemiBold);
        QVERIFY(QFontInfo(field.font()).fixedPitch());
        QCOMPARE(field.font().weight(), QFont::Bold);
        QCOMPARE(qRound(KVFont::pixelSizeOf(field.font())), 10);
        KVScale::shared().setFactor(1.5);
        QCOMPARE(qRound(KVFont::pixelSizeOf(field.font())), 15);
        QCOMPARE(field.font().weight(), QFont::Bold);
        QVERIFY(QFontInfo(field.font()).fixedPitch());
    }

    void searchFieldCapsItsText()
    {
        KVSearchField field(QStringLiteral("Search"));
        field.setText(QString(500, QLatin1Char('a')));
        QCOMPARE(field.text().size(), KVSearchField::maxLength);
        QTest::keyClicks(field.lineEdit(), QStringLiteral("bcd"));
        QCOMPARE(field.text().size(), KVSearchField::maxLength);
    }

    // A separator is a faint line in the menu's text colour: light on a dark menu.
    void menuSeparatorUsesTextColour()
    {
        KVMenuStyle style;
        QStyleOptionMenuItem opt;
        opt.menuItemType = QStyleOptionMenuItem::Separator;
        opt.rect = QRect(0, 0, 100, 9);
        opt.palette.setColor(QPalette::WindowText, Qt::white);
        QImage img(100, 9, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::black);
        {
            QPainter p(&img);
            style.drawControl(QStyle::CE_MenuItem, &opt, &p);
        }
        const QColor line = img.pixelColor(50, 4);
        QVERIFY(line.red() > 40 && line.red() < 120);
        QCOMPARE(img.pixelColor(50, 0), QColor(Qt::black));
        QCOMPARE(img.pixelColor(1, 4), QColor(Qt::black)); // inset from the ends
    }

    // The bar's current title shows while the bar holds the keyboard, not
    // when the pointer merely passes over it.
    void menuBarTitleShowsTheFocus()
    {
        KVMenuStyle style;
        QWidget host;
        auto *bar = new QMenuBar(&host);
        host.resize(200, 50);
        host.show();
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        QStyleOptionMenuItem opt;
        opt.menuItemType = QStyleOptionMenuItem::Normal;
        opt.rect = QRect(0, 0, 60, 20);
        opt.state = QStyle::State_Enabled | QStyle::State_Selected;
        opt.palette.setColor(QPalette::Highlight, Qt::red);
        const auto draw = [&] {
            QImage img(60, 20, QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::black);
            QPainter p(&img);
            style.drawControl(QStyle::CE_MenuBarItem, &opt, &p, bar);
            return img.pixelColor(30, 10);
        };
        const QColor hovered = draw();
        bar->setFocus();
        QVERIFY(bar->hasFocus());
        QVERIFY(draw() != hovered);
        QVERIFY(draw().red() > 128);
    }
};

QTEST_MAIN(TestFollowers)
#include "test_followers.moc"
