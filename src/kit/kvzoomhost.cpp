#include "kvzoomhost.h"

#include "kvscale.h"
#include "kvzoom.h"
#include "platform/prefs.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

namespace {
// Delays of the deferred scroll-home requests, in milliseconds (0: next turn).
constexpr int kHomeDelays[] = {0, 150, 400, 900, 1600};

// Whether two stored values are the same; the store may hand a number back
// as a number or as its text, so both are compared as text.
bool sameStored(const QVariant &a, const QVariant &b)
{
    if (a.isValid() != b.isValid())
        return false;
    return !a.isValid() || a.toString() == b.toString();
}

} // namespace

KVZoomHost::KVZoomHost(QWidget *content, const QSizeF &minSize, QWidget *parent)
    : QScrollArea(parent)
    , m_minSize(minSize)
    , m_rawZoom(Prefs::shared().value(KVZoom::key()))
{
    setFrameShape(QFrame::NoFrame);
    // Not a Tab stop of its own: it still scrolls to the focused control.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(content);
    // The window's backdrop shows through (setWidget turns filling on).
    if (content)
        content->setAutoFillBackground(false);
    relayout();

    connect(&KVScale::shared(), &KVScale::changed, this, [this] { relayout(); });
    connect(&Prefs::shared(), &Prefs::changed, this, &KVZoomHost::zoomKeyWritten);
}

double KVZoomHost::zoom() const
{
    return KVScale::factor();
}

KVZoomGeometry::Layout KVZoomHost::currentLayout() const
{
    return KVZoomGeometry::compute(QSizeF(size()), zoom(), m_minSize);
}

void KVZoomHost::relayout()
{
    const KVZoomGeometry::Layout l = currentLayout();
    const Qt::ScrollBarPolicy policy = l.indicators ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
    if (QWidget *w = widget()) {
        // The content takes the viewport's size but never less than the
        // minimum at this zoom; the scroll area lets it grow beyond.
        const double z = zoom();
        w->setMinimumSize(int(std::ceil(m_minSize.width() * z - 1e-9)),
                          int(std::ceil(m_minSize.height() * z - 1e-9)));
    }
}

void KVZoomHost::zoomKeyWritten(const QString &key)
{
    if (key != KVZoom::key())
        return;
    // Only a different stored value counts, even one that clamps to the same zoom.
    const QVariant raw = Prefs::shared().value(KVZoom::key());
    if (sameStored(raw, m_rawZoom))
        return;
    m_rawZoom = raw;
    relayout();
    scrollHome();
}

void KVZoomHost::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    relayout();
    if (event->size() != event->oldSize())
        scrollHome();
}

void KVZoomHost::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    if (!event->spontaneous())
        scrollHome();
}

void KVZoomHost::scrollHome()
{
    scrollHomeOnce();
    for (int delay : kHomeDelays)
        QTimer::singleShot(delay, this, [this] { scrollHomeOnce(); });
}

void KVZoomHost::scrollHomeOnce()
{
    ++m_requests;
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}
