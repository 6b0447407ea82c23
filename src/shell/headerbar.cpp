#include "headerbar.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "headerfit.h"
#include "headertitle.h"
#include "kit/kvaccessible.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvsearchfield.h"
#include "kit/kvtextlabel.h"
#include "kit/kvshape.h"
#include "look/fvpalette.h"
#include "look/tag.h"
#include "platform/netstatus.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QTimer>
#include <algorithm>

namespace {
constexpr double kSearchWidth = 430;

// The header's search box: the kit's field with 8 points above and below the
// text, on a deeper capsule (black at 0.4, rim from black at 0.7 at the top to
// white at 0.35 at the bottom). The header is built anew with each theme, so
// the colours the field took when it was made stay right.
class HeaderSearchBox final : public KVSearchField
{
public:
    explicit HeaderSearchBox(QWidget *parent)
        : KVSearchField(Header::searchPrompt(), parent)
    {
        setFieldName(QStringLiteral("Search"));
        applyPadding();
        KVScaleWatch::follow(this, [this] { applyPadding(); });
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        paintCapsule(p, 0.4, {QColor::fromRgbF(0, 0, 0, 0.7f), KVShape::white(1, 0.35)});
    }

private:
    void applyPadding()
    {
        layout()->setContentsMargins(KVScale::ipt(12), KVScale::ipt(8), KVScale::ipt(12), KVScale::ipt(8));
    }
};

} // namespace

Header::Header(AppModel &m, NetStatus &net, QWidget *parent)
    : QWidget(parent)
    , m_model(m)
    , m_net(net)
    , m_outer(new QVBoxLayout(this))
    , m_titleLine(new QHBoxLayout)
    , m_row(new QHBoxLayout)
    , m_title(new KVTextLabel(22, QFont::ExtraBold, this))
    , m_search(new HeaderSearchBox(this))
    , m_button(new KVChromeButton(QStringLiteral("Search"), true, true, this))
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_title->setObjectName(QStringLiteral("pageTitle"));
    KVAccessible::setHeading(m_title); // the page title
    // A long vehicle name ends in an ellipsis rather than pushing the search
    // box away; the whole name is its tooltip and accessible name.
    m_title->setElided(true);
    m_title->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);

    m_outer->addLayout(m_titleLine);
    m_outer->addLayout(m_row);
    m_row->addWidget(m_title, 0, Qt::AlignVCenter);
    m_row->addStretch(1);
    // The box takes the room before the spacer does, up to its width.
    m_row->addWidget(m_search, 100, Qt::AlignVCenter);
    m_row->addWidget(m_button, 0, Qt::AlignVCenter);
    m_search->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_search->setText(m_model.searchText());
    connect(m_search, &KVSearchField::textChanged, this, [this](const QString &text) {
        if (text != m_model.searchText())
            m_model.setSearchText(text);
    });
    connect(m_search->lineEdit(), &QLineEdit::returnPressed, this, [this] { m_model.runSearch(); });
    connect(m_button, &QAbstractButton::clicked, this, [this] { m_model.runSearch(); });
    connect(&m_model, &AppModel::searchFocusRequested, this, [this] {
        // After the screen the request came with has been built and shown.
        QTimer::singleShot(0, this, [this] {
            m_search->lineEdit()->setFocus(Qt::ShortcutFocusReason);
            m_search->lineEdit()->selectAll();
        });
    });

    m_observer->watchModel(m_model, {AppModel::Field::Screen, AppModel::Field::Data,
                                     AppModel::Field::CurrentVehicle, AppModel::Field::CurrentYear,
                                     AppModel::Field::SearchText});
    connect(&m_net, &NetStatus::onlineChanged, m_observer, &ModelObserver::schedule);

    applyMetrics();
    m_observer->refreshNow();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

QString Header::searchPrompt()
{
    return QStringLiteral("Search vehicles, codes, guides, recalls (e.g. 2002 Navigator, P0420, overheating)");
}

QString Header::title() const
{
    return m_title->text();
}

void Header::applyMetrics()
{
    m_outer->setContentsMargins(KVScale::ipt(22), KVScale::ipt(14), KVScale::ipt(22), KVScale::ipt(14));
    m_outer->setSpacing(KVScale::ipt(8));
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(KVScale::ipt(14));
    m_titleLine->setContentsMargins(0, 0, 0, 0);
    m_titleLine->setSpacing(KVScale::ipt(14));
    fitWidth();
}

void Header::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitWidth();
}

void Header::fitWidth()
{
    const int spacing = m_row->spacing();
    // Stacked, the search line holds the box and the button; beside the
    // title it holds the tag too, with two more gaps.
    const int line = KVScale::ipt(44) + m_button->sizeHint().width() + spacing;
    const int tag = m_tag ? m_tag->sizeHint().width() + 2 * spacing : 0;
    const int title = m_title->fontMetrics().horizontalAdvance(m_title->text());
    const HeaderFit f = HeaderFit::fit(width(), title, line + tag, KVScale::ipt(kSearchWidth), KVScale::ipt(200), tag,
                                       KVScale::ipt(44));
    // Never a fixed width: the header must be free to get narrower, or it
    // would never learn that it should.
    m_search->setMinimumWidth(std::min(f.searchWidth, KVScale::ipt(80)));
    m_search->setMaximumWidth(f.searchWidth);
    const bool stacked = m_titleLine->indexOf(m_title) >= 0;
    if (f.stacked != stacked) {
        if (f.stacked) {
            m_row->removeWidget(m_title);
            m_titleLine->addWidget(m_title, 1, Qt::AlignVCenter);
        } else {
            m_titleLine->removeWidget(m_title);
            m_row->insertWidget(0, m_title, 0, Qt::AlignVCenter);
        }
    }
    const bool tagUp = m_tag && m_titleLine->indexOf(m_tag) >= 0;
    if (m_tag && f.tagUp != tagUp) {
        (tagUp ? m_titleLine : m_row)->removeWidget(m_tag);
        (tagUp ? m_row : m_titleLine)->addWidget(m_tag, 0, Qt::AlignVCenter);
    }
}

void Header::refresh()
{
    m_title->setPlain(HeaderTitle::title(m_model.screen(), m_model.data(), m_model.currentVehicle(),
                                        m_model.currentYear()));
    fitWidth();
    m_search->setText(m_model.searchText());
    refreshTag();
}

void Header::refreshTag()
{
    const bool online = m_net.online();
    if (m_tag && online == m_tagOnline)
        return;
    m_tagOnline = online;
    Tag *next = online ? new Tag(QStringLiteral("Online"), FVPalette::green(), QStringLiteral("wifi"), this)
                       : new Tag(QStringLiteral("Offline"), KVShape::white(0.35), QStringLiteral("wifi.slash"), this);
    if (m_tag) {
        QHBoxLayout *line = m_titleLine->indexOf(m_tag) >= 0 ? m_titleLine : m_row;
        delete line->replaceWidget(m_tag, next); // the old item is ours
        m_tag->deleteLater();
    } else {
        m_row->addWidget(next, 0, Qt::AlignVCenter); // fitWidth() moves it up when it should
    }
    m_tag = next;
    fitWidth();
}

void Header::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    QPainter p(this);
    const QRectF r(rect());
    p.fillRect(r, vertical(r, {white(1, 0.1), white(1, 0.02)}));
    const double line = KVScale::pt(1);
    const QRectF edge(r.left(), r.bottom() - line, r.width(), line);
    QLinearGradient across(edge.topLeft(), edge.topRight());
    across.setColorAt(0, white(1, 0.3));
    across.setColorAt(1, QColor::fromRgbF(0, 0, 0, 0.5f));
    p.fillRect(edge, across);
}
