#include "tsblist.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "platform/netstatus.h"
#include "clampedtext.h"
#include "data/provenance.h"
#include "data/vorel.h"
#include "divider.h"
#include "kit/kvchromebutton.h"
#include "kit/kvfocusring.h"
#include "kit/kvnote.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"
#include "kit/kvsymbolview.h"
#include "kit/kvtextlabel.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/tag.h"
#include "monodigitstext.h"
#include "screenbits.h"
#include "tsblistrules.h"
#include "tsbopener.h"
#include "tsbrow.h"

#include <QApplication>
#include <QClipboard>

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QSet>
#include <QVBoxLayout>

namespace {

// The filter row's dark capsule, rimmed in the focus colour while its field
// has the focus.
class FilterCapsule : public QWidget
{
public:
    using QWidget::QWidget;

    void setField(QWidget *field)
    {
        m_field = field;
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_field && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
            update();
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r(rect());
        p.fillPath(KVShape::capsule(r), QColor::fromRgbF(0, 0, 0, 0.35f));
        if (m_field && m_field->hasFocus())
            KVShape::strokeCapsuleInside(p, r, KVFocusRing::lineWidth(), QBrush(KVFocusRing::color()));
    }

private:
    QPointer<QWidget> m_field;
};

// Rows kept for reuse beyond the current vehicle-year: enough for an
// abridged list and some more, not every row of a long list shown in full.
constexpr qsizetype kSpareRows = 60;

} // namespace

TSBList::TSBList(AppModel &model, NetStatus &net, HttpClient &http, ShowAll showAll, VehicleRecordsSource records, QWidget *parent)
    : Bezel(parent)
    , m_model(model)
    , m_net(net)
    , m_http(http)
    , m_showAll(std::move(showAll))
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
    , m_count(new KVTextLabel(13, QFont::Bold))
    , m_filter(new QLineEdit)
    , m_empty(new KVTextLabel(TSBListRules::emptyText(), 13))
    , m_message(new KVTextLabel(12, QFont::DemiBold))
    , m_list(new QVBoxLayout)
    , m_more(new KVChromeButton(QString(), false, true))
    , m_sample(ScreenBits::sampleNote())
{
    m_records = std::move(records); // before the first refresh, which may read them
    setObjectName(QStringLiteral("bulletins"));
    const QColor dim = FVPalette::current().dim;
    auto *content = new QWidget;
    auto *box = m_box = new QVBoxLayout(content);
    box->setContentsMargins(0, 0, 0, 0);
    box->addLayout(ScreenBits::headingRow(new GaugeLabel(TSBListRules::heading()), m_count));
    box->addWidget(m_sample);
    m_empty->setObjectName(QStringLiteral("tsbEmpty"));
    m_empty->setColor(dim);
    m_empty->hide();
    box->addWidget(m_empty);

    auto *capsule = new FilterCapsule;
    m_capsule = capsule;
    auto *filterRow = new QHBoxLayout(capsule);
    auto *symbol = new KVSymbolView(QStringLiteral("line.3.horizontal.decrease.circle"));
    symbol->setColor(dim);
    filterRow->addWidget(symbol, 0, Qt::AlignVCenter);
    m_filter->setObjectName(QStringLiteral("tsbFilter"));
    m_filter->setFrame(false);
    m_filter->setPlaceholderText(TSBListRules::placeholder());
    m_filter->setAccessibleName(QStringLiteral("Filter bulletins"));
    m_filter->setAccessibleDescription(TSBListRules::placeholder());
    m_filter->setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette pal = m_filter->palette();
    pal.setColor(QPalette::Base, Qt::transparent);
    pal.setColor(QPalette::PlaceholderText, dim);
    m_filter->setPalette(pal);
    m_filter->setText(m_model.tsbFilter());
    connect(m_filter, &QLineEdit::textEdited, this, [this](const QString &text) { m_model.setTsbFilter(text); });
    filterRow->addWidget(m_filter, 1);
    capsule->setField(m_filter);
    box->addWidget(capsule);

    m_note = new KVTextLabel(TSBListRules::note(), 11);
    m_note->setColor(dim);
    m_note->setWordWrap(true);
    box->addWidget(m_note);
    m_message->setObjectName(QStringLiteral("tsbMessage"));
    m_message->setColor(FVPalette::amberText());
    m_message->setWordWrap(true);
    m_message->hide();
    box->addWidget(m_message);
    m_list->setContentsMargins(0, 0, 0, 0);
    m_rowsHost = new QWidget;
    m_rowsHost->setLayout(m_list);
    box->addWidget(m_rowsHost);
    m_more->setObjectName(QStringLiteral("showAll"));
    m_more->hide();
    connect(m_more, &QAbstractButton::clicked, this, [this] {
        if (m_showAll.set)
            m_showAll.set(true);
        m_observer->schedule();
    });
    setContent(content);
    // Beside the panel's padding rather than in the content, so that its focus
    // ring has room all round; the content's bottom margin stands in for the
    // spacing above it.
    contentLayout()->addWidget(m_more, 0, Qt::AlignLeft);

    const auto metrics = [this, box, filterRow, symbol] {
        box->setSpacing(KVScale::ipt(8));
        box->setContentsMargins(0, 0, 0, m_more->isVisibleTo(this) ? KVScale::ipt(8) : 0);
        m_list->setSpacing(KVScale::ipt(8));
        filterRow->setContentsMargins(KVScale::ipt(10), KVScale::ipt(6), KVScale::ipt(10), KVScale::ipt(6));
        filterRow->setSpacing(KVScale::ipt(6));
        symbol->setPoints(13);
        m_filter->setFont(FVFont::font(13));
    };
    metrics();
    KVScaleWatch::follow(this, metrics);

    m_observer->watchModel(m_model, {AppModel::Field::Data, AppModel::Field::CurrentVehicle,
                                     AppModel::Field::CurrentYear, AppModel::Field::TsbFilter});
    m_observer->watch(&m_net, &NetStatus::onlineChanged);
    m_observer->refreshNow();
}

void TSBList::refresh()
{
    const Vorel *data = m_model.data();
    if (!data || !m_model.currentVehicle() || !m_model.currentYear())
        return;
    const std::pair<qint64, qint64> key{*m_model.currentVehicle(), *m_model.currentYear()};
    if (key != m_key) {
        // Another vehicle or year: abridged again, and no word of an earlier search.
        if (m_key && m_showAll.get && m_showAll.get() && m_showAll.set)
            m_showAll.set(false);
        m_key = key;
        ++m_generation;
        m_messageFor.reset();
        setMessage(std::nullopt);
        for (const Row &r : std::as_const(m_rows)) {
            // Left shown: the rows taken again need no show, which would lay
            // each out alone; placeRows hides the ones not taken.
            if (m_spare.size() < kSpareRows) {
                m_spare.append(r);
            } else {
                delete r.row;
                delete r.divider;
            }
        }
        m_rows.clear();
        m_filled = false;
    }
    const QList<TSB> all = shownRecords(m_model, m_records, &VehicleYearRecords::tsbs, &Vorel::tsbs)->value;
    const QList<TSB> matching = TSBListRules::matching(all, m_model.tsbFilter());
    const bool showAll = m_showAll.get && m_showAll.get();
    const QList<TSB> shown = TSBListRules::shown(matching, showAll);
    // Nothing to filter or count: the heading and the line saying so.
    const bool none = all.isEmpty();
    m_empty->setVisible(none);
    m_count->setVisible(!none);
    m_capsule->setVisible(!none);
    m_note->setVisible(!none);
    m_count->setPlain(TSBListRules::countLine(matching.size(), all.size()));
    const bool sample = Provenance::of(data).generated(Provenance::Kind::Bulletins);
    m_sample->setVisible(!none && sample);
    m_note->setPlain(sample ? TSBListRules::sampleNote() : TSBListRules::note());
    // Only a change from elsewhere reaches the field, so typing keeps its cursor.
    if (m_filter->text() != m_model.tsbFilter())
        m_filter->setText(m_model.tsbFilter());
    const qsizetype before = m_buttons.size();
    placeRows(all, shown);
    const bool online = m_net.online();
    // Offline because a request failed (the routes are up): the buttons stay
    // reachable and show the address; after route loss they wait for the network.
    const bool failedOnly = m_net.offlineByFailure();
    // A generated bulletin's button needs no network: it says that no copy exists.
    for (const Row &r : std::as_const(m_rows)) {
        KVChromeButton *button = r.button;
        button->setText(TSBListRules::buttonText(online || sample, failedOnly));
        button->setEnabled(online || failedOnly || sample);
    }
    m_more->setText(TSBListRules::showAllButton(matching.size()));
    const bool more = shown.size() < matching.size();
    if (!more && m_more->hasFocus() && !m_buttons.isEmpty()) {
        // Hiding the focused button would pass focus down the chain and
        // scroll the page to it: the first row it revealed takes it instead.
        m_buttons.value(before, m_buttons.last())->setFocus(Qt::OtherFocusReason);
    }
    m_more->setVisible(more);
    m_box->setContentsMargins(0, 0, 0, more ? KVScale::ipt(8) : 0);
}

void TSBList::showAllChanged()
{
    m_observer->schedule();
}

TSBList::Row TSBList::makeRow(const TSB &tsb)
{
    if (!m_spare.isEmpty()) {
        Row r = m_spare.takeLast();
        r.row->setBulletin(tsb);
        m_list->removeWidget(r.row);
        m_list->removeWidget(r.divider);
        return r;
    }
    Row r;
    r.button = new KVChromeButton(TSBListRules::buttonText(m_net.online(), m_net.offlineByFailure()), false, true);
    r.button->setObjectName(QStringLiteral("openTSB"));
    // Return works the button too, as Space does.
    r.button->setAutoDefault(true);
    auto *row = r.row = new TSBRow(r.button);
    connect(r.button, &QAbstractButton::clicked, this, [this, row] { openTSB(row->bulletin()); });
    row->setBulletin(tsb);
    r.divider = new Divider;
    return r;
}

void TSBList::placeRows(const QList<TSB> &all, const QList<TSB> &shown)
{
    QList<qint64> ids;
    QSet<qint64> wanted;
    for (const TSB &t : shown) {
        ids << t.nhtsaID;
        wanted.insert(t.nhtsaID);
    }
    if (m_filled && ids == m_shownIDs)
        return;
    // The rows stand in the order of all bulletins, one per bulletin; a row
    // missing from the list is built and put in its place.
    // Showing a widget in a shown window lays out the whole window at once:
    // the rows change while their holder is hidden, so the page is laid out
    // once. Not while a row has the focus, which hiding would move away.
    QWidget *focus = QApplication::focusWidget();
    const bool batch = m_rowsHost->isVisible() && !(focus && m_rowsHost->isAncestorOf(focus));
    if (batch)
        m_rowsHost->hide();
    m_buttons.clear();
    QSet<qint64> seen;
    QWidget *previous = nullptr; // the divider of the row before
    bool built = false;
    for (const TSB &tsb : all) {
        if (seen.contains(tsb.nhtsaID))
            continue;
        seen.insert(tsb.nhtsaID);
        const bool on = wanted.contains(tsb.nhtsaID);
        auto it = m_rows.find(tsb.nhtsaID);
        bool fresh = false;
        if (it == m_rows.end()) {
            if (!on)
                continue;
            it = m_rows.insert(tsb.nhtsaID, makeRow(tsb));
            const int at = previous ? m_list->indexOf(previous) + 1 : 0;
            m_list->insertWidget(at, it->row);
            m_list->insertWidget(at + 1, it->divider);
            built = fresh = true;
        }
        // A new row under a holder not shown yet shows with it; showing it
        // now would lay it out at a width it never gets.
        if (!fresh || m_rowsHost->isVisible() || it->row->isHidden()) {
            it->row->setVisible(on);
            it->divider->setVisible(on);
        }
        if (on)
            m_buttons.append(it->button);
        previous = it->divider;
    }
    if (built) {
        // Tab goes from the filter through the rows' buttons to "Show all".
        QWidget *before = m_filter;
        for (int i = 0; i < m_list->count(); ++i) {
            QWidget *w = m_list->itemAt(i)->widget();
            if (auto *row = qobject_cast<TSBRow *>(w)) {
                QWidget::setTabOrder(before, row->button());
                before = row->button();
            }
        }
        QWidget::setTabOrder(before, m_more);
    }
    for (const Row &r : std::as_const(m_spare)) {
        if (!r.row->isHidden()) {
            r.row->hide();
            r.divider->hide();
        }
    }
    // An empty holder would still take its spacing in the panel.
    if (batch || ids.isEmpty() != m_rowsHost->isHidden())
        m_rowsHost->setVisible(!ids.isEmpty());
    m_shownIDs = ids;
    m_filled = true;
    placeMessage();
}

void TSBList::setMessage(const std::optional<QString> &message)
{
    m_messageText = message;
    m_message->setPlain(message.value_or(QString()));
    placeMessage();
}

void TSBList::placeMessage()
{
    const Row row = m_messageFor ? m_rows.value(*m_messageFor) : Row{};
    QVBoxLayout *target = row.row ? m_list : m_box;
    QWidget *anchor = row.row ? static_cast<QWidget *>(row.row) : m_note;
    if (target->indexOf(m_message) != target->indexOf(anchor) + 1) {
        m_box->removeWidget(m_message);
        m_list->removeWidget(m_message);
        target->insertWidget(target->indexOf(anchor) + 1, m_message);
    }
    m_message->setVisible(m_messageText.has_value() && (!row.row || m_shownIDs.contains(*m_messageFor)));
}

void TSBList::openTSB(const TSB &tsb)
{
    // A generated bulletin has no agency copy to look for.
    const Vorel *data = m_model.data();
    if (Provenance::of(data).sample(Provenance::Kind::Bulletins, QString::number(tsb.nhtsaID))) {
        m_messageFor = tsb.nhtsaID;
        setMessage(TSBListRules::sampleCopy(tsb));
        return;
    }
    if (!m_net.online()) {
        if (!m_net.offlineByFailure())
            return;
        // The address to copy, beside the pressed button; and a press asks again.
        QWidget *focus = QApplication::focusWidget();
        QWidget *anchor = focus && isAncestorOf(focus) ? focus : static_cast<QWidget *>(this);
        const TSBListRules::Status status = TSBListRules::offlineAddress(tsb);
        KVNote::showBeside(anchor, status.text, status.address,
                           {{TSBListRules::copyAddress(), [address = status.address] {
                                 QGuiApplication::clipboard()->setText(address);
                                 return TSBListRules::addressCopied();
                             },
                             true, {}}});
        m_net.retryNow();
        return;
    }
    m_messageFor = tsb.nhtsaID;
    setMessage(TSBListRules::searching(tsb));
    const quint64 generation = m_generation;
    // The answer is dropped when the list is gone or shows another vehicle or year.
    TSBOpener::open(m_http, tsb, this, [this, generation, tsb](TSBOpener::Outcome outcome) {
        if (generation != m_generation)
            return;
        switch (outcome) {
        case TSBOpener::Outcome::Opened:
            setMessage(std::nullopt);
            break;
        case TSBOpener::Outcome::NotHosted:
            setMessage(TSBListRules::notHosted(tsb));
            break;
        case TSBOpener::Outcome::Unreachable:
            setMessage(TSBListRules::unreachable(tsb));
            break;
        }
    });
}

QString TSBList::countText() const
{
    return m_count->shownText();
}

bool TSBList::showsEmpty() const
{
    return !m_empty->isHidden();
}

QString TSBList::messageText() const
{
    return m_message->isHidden() ? QString() : m_message->text();
}

KVChromeButton *TSBList::showAllButton() const
{
    return m_more->isHidden() ? nullptr : m_more;
}
