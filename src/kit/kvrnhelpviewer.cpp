#include "kvrnhelpviewer.h"

#include "kvfont.h"
#include "kvhelptopicrow.h"
#include "kvkittheme.h"
#include "kvliccredit.h"
#include "kvpanel.h"
#include "kvrnhelp.h"
#include "kvrnhelppick.h"
#include "kvrnhelptext.h"
#include "kvrnkithost.h"
#include "kvscale.h"
#include "kvscreenfit.h"
#include "kvscalewatch.h"
#include "kvscrollarea.h"
#include "kvsearchfield.h"
#include "kvtextlabel.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <algorithm>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr double kOuterPadding = 16;
constexpr double kColumnGap = 14;
constexpr double kListWidth = 260;
constexpr double kBodySize = 13.5;

// A text label: plain text, wrapping, in one colour.
QLabel *textLabel(const QString &text, double points, QFont::Weight weight, const QColor &color,
                  bool selectable, QWidget *parent = nullptr)
{
    auto *label = new KVTextLabel(text, points, weight, parent);
    label->setWordWrap(true);
    label->setColor(color);
    if (selectable)
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // A new size policy would drop the height-for-width flag that wrapping set.
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    policy.setHeightForWidth(label->wordWrap());
    label->setSizePolicy(policy);
    return label;
}

QWidget *bulletRow(const QString &text, const KVKitTheme &theme)
{
    auto *row = new QWidget;
    auto *box = new QHBoxLayout(row);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(KVScale::ipt(8));
    QLabel *mark = textLabel(QStringLiteral("\u2022"), kBodySize, QFont::Normal, theme.readable(theme.accent), false);
    mark->setWordWrap(false);
    mark->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    box->addWidget(mark, 0, Qt::AlignTop);
    box->addWidget(textLabel(text, kBodySize, QFont::Normal, theme.text, true), 1, Qt::AlignTop);
    return row;
}

QWidget *clearWidget()
{
    auto *w = new QWidget;
    w->setAutoFillBackground(false);
    return w;
}

} // namespace

QList<QWidget *> KVRNHelpViewer::blocks(const QString &text)
{
    const KVKitTheme theme = KVRNKitHost::theme()();
    QList<QWidget *> out;
    for (const KVRNHelpBlock &block : KVRNHelpText::blocks(text)) {
        switch (block.kind) {
        case KVRNHelpBlock::Heading: {
            QLabel *heading = textLabel(block.text, 15, QFont::Bold, theme.readable(theme.accent), true);
            heading->setContentsMargins(0, KVScale::ipt(6), 0, 0);
            out.append(heading);
            break;
        }
        case KVRNHelpBlock::Bullet:
            out.append(bulletRow(block.text, theme));
            break;
        case KVRNHelpBlock::Paragraph:
            out.append(textLabel(block.text, kBodySize, QFont::Normal, theme.text, true));
            break;
        }
    }
    return out;
}

KVRNHelpViewer::KVRNHelpViewer(const std::optional<QString> &initialTopic, QWidget *parent)
    : QWidget(parent)
    , m_initial(initialTopic)
{
    auto *row = new QHBoxLayout(this);

    auto *left = new KVPanel(22, 12, this);
    m_leftPanel = left;
    auto *leftColumn = clearWidget();
    auto *leftBox = new QVBoxLayout(leftColumn);
    leftBox->setContentsMargins(0, 0, 0, 0);
    m_search = new KVSearchField(QStringLiteral("Search help"), leftColumn);
    leftBox->addWidget(m_search);
    auto *listScroll = KVScrollArea::plain(leftColumn);
    m_listScroll = listScroll;
    m_listHolder = clearWidget();
    m_listLayout = new QVBoxLayout(m_listHolder);
    m_listLayout->setContentsMargins(0, 0, 0, 0);
    m_listLayout->addStretch(1);
    m_listHolder->setMinimumHeight(1);
    m_listHolder->installEventFilter(this);
    listScroll->setWidget(m_listHolder);
    m_listHolder->setAutoFillBackground(false);
    leftBox->addWidget(listScroll, 1);
    left->setContent(leftColumn);
    left->contentLayout()->setStretch(0, 1);
    row->addWidget(left, 0);

    auto *right = new KVPanel(22, 20, this);
    m_pageScroll = KVScrollArea::plain(right);
    right->setContent(m_pageScroll);
    right->contentLayout()->setStretch(0, 1);
    row->addWidget(right, 1);

    connect(m_search, &KVSearchField::textChanged, this, &KVRNHelpViewer::setQuery);
    // Scrolling the list by hand ends the following of the current row.
    connect(m_listScroll->verticalScrollBar(), &QScrollBar::sliderPressed, this, [this] { m_revealCurrent = false; });

    applyMetrics();
    refresh();
    KVScaleWatch::follow(this, [this] {
        applyMetrics();
        m_pageBuilt = false;
        refresh();
    });
}

void KVRNHelpViewer::applyMetrics()
{
    auto *row = static_cast<QHBoxLayout *>(layout());
    const int pad = KVScale::ipt(kOuterPadding);
    row->setContentsMargins(pad, pad, pad, pad);
    row->setSpacing(KVScale::ipt(kColumnGap));
    fitList();
    static_cast<QVBoxLayout *>(m_search->parentWidget()->layout())->setSpacing(KVScale::ipt(10));
    m_listLayout->setSpacing(KVScale::ipt(4));
    if (QWidget *page = m_pageScroll->widget())
        page->layout()->setSpacing(KVScale::ipt(10));
    // Never more than the screen holds, even at the largest zoom.
    setMinimumSize(KVScreenFit::within(QSize(KVScale::ipt(680), KVScale::ipt(440))));
}

void KVRNHelpViewer::fitList()
{
    // The list keeps its width while the page beside it has more; a narrow
    // window (a large zoom) gives it two fifths, so the page stays readable.
    const int room = width() - 2 * KVScale::ipt(kOuterPadding) - KVScale::ipt(kColumnGap);
    const int full = KVScale::ipt(kListWidth);
    m_leftPanel->setFixedWidth(std::clamp(room * 2 / 5, std::min(full, KVScale::ipt(150)), full));
}

void KVRNHelpViewer::resizeEvent(QResizeEvent *event)
{
    fitList();
    QWidget::resizeEvent(event);
}

void KVRNHelpViewer::setQuery(const QString &query)
{
    if (query == m_query)
        return;
    m_query = query;
    if (m_search->text() != query)
        m_search->setText(query);
    refresh();
}

void KVRNHelpViewer::select(const QString &topicID)
{
    m_selected = topicID;
    refresh();
}

void KVRNHelpViewer::refresh()
{
    const KVRNHelpTopics results = KVRNHelp::search(m_query);
    const std::optional<KVRNHelpTopic> next = KVRNHelpPick::current(KVRNHelp::allTopics(), results, m_selected,
                                                                     m_initial);
    const bool pageChanged = !m_pageBuilt || next != m_current;
    m_current = next;
    rebuildList(results);
    if (pageChanged)
        rebuildPage();
}

void KVRNHelpViewer::rebuildList(const KVRNHelpTopics &results)
{
    // The same topics listed: only the highlight moves, and a row that has
    // the keyboard keeps it.
    bool sameRows = !results.isEmpty() && results.size() == m_rows.size();
    for (qsizetype i = 0; sameRows && i < results.size(); ++i)
        sameRows = m_rows[i]->topicID() == results[i].id && m_rows[i]->title() == results[i].title;
    if (sameRows) {
        for (KVHelpTopicRow *r : std::as_const(m_rows))
            r->setCurrent(m_current && m_current->id == r->topicID());
        scrollToCurrent();
        return;
    }

    for (KVHelpTopicRow *r : std::as_const(m_rows)) {
        m_listLayout->removeWidget(r);
        r->hide();
        r->deleteLater();
    }
    m_rows.clear();
    if (m_nothing) {
        m_listLayout->removeWidget(m_nothing);
        m_nothing->deleteLater();
        m_nothing = nullptr;
    }

    int at = 0;
    for (const KVRNHelpTopic &topic : results) {
        const bool current = m_current && m_current->id == topic.id;
        auto *r = new KVHelpTopicRow(topic.id, topic.title, current, m_listHolder);
        const QString id = topic.id;
        connect(r, &QAbstractButton::clicked, this, [this, id] { select(id); });
        m_listLayout->insertWidget(at++, r);
        m_rows.append(r);
    }
    if (results.isEmpty()) {
        const KVKitTheme theme = KVRNKitHost::theme()();
        m_nothing = textLabel(KVRNHelpPick::nothingFound(m_query), 12, QFont::Normal, theme.dim, false, m_listHolder);
        const int pad = KVScale::ipt(8);
        m_nothing->setContentsMargins(pad, pad, pad, pad);
        m_listLayout->insertWidget(0, m_nothing);
    }
    scrollToCurrent();
}

void KVRNHelpViewer::scrollToCurrent()
{
    // Now, and again each time the list takes its (new) size: the rows get
    // their geometry only once the window has laid them out.
    m_revealCurrent = true;
    QTimer::singleShot(0, this, [this] { revealCurrent(); });
}

void KVRNHelpViewer::revealCurrent()
{
    for (KVHelpTopicRow *r : std::as_const(m_rows)) {
        if (m_current && r->topicID() == m_current->id) {
            m_listScroll->ensureWidgetVisible(r, 0, KVScale::ipt(8));
            return;
        }
    }
}

bool KVRNHelpViewer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_listHolder && event->type() == QEvent::Resize && m_revealCurrent)
        revealCurrent();
    return QWidget::eventFilter(watched, event);
}

void KVRNHelpViewer::rebuildPage()
{
    m_pageBuilt = true;
    m_pageTitle = nullptr;
    QWidget *page = clearWidget();
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(KVScale::ipt(10));
    if (m_current) {
        const KVKitTheme theme = KVRNKitHost::theme()();
        m_pageTitle = textLabel(m_current->title, 22, QFont::ExtraBold, theme.text, true, page);
        column->addWidget(m_pageTitle);
        for (QWidget *block : blocks(m_current->body))
            column->addWidget(block);

        auto *divider = new QFrame(page);
        divider->setFrameShape(QFrame::NoFrame);
        divider->setFixedHeight(1);
        divider->setAutoFillBackground(true);
        QPalette dp = divider->palette();
        dp.setColor(QPalette::Window, theme.rim);
        divider->setPalette(dp);
        auto *dividerBox = clearWidget();
        auto *dividerLayout = new QVBoxLayout(dividerBox);
        dividerLayout->setContentsMargins(0, KVScale::ipt(6), 0, KVScale::ipt(6));
        dividerLayout->addWidget(divider);
        dividerBox->setParent(page);
        column->addWidget(dividerBox);
        auto *credit = new KVLicCredit(page);
        credit->setWraps(true);
        column->addWidget(credit, 0, Qt::AlignLeft);
    }
    column->addStretch(1);
    // The page is as tall as its wrapped text at the panel's width; an
    // explicit minimum keeps the narrow-width minimum of the labels out of it.
    page->setMinimumHeight(1);
    m_pageScroll->setWidget(page); // deletes the previous page
    page->setAutoFillBackground(false);
    m_pageScroll->verticalScrollBar()->setValue(0);
}
