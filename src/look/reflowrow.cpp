#include "reflowrow.h"

#include "kit/kvscale.h"

#include <QAbstractScrollArea>
#include <QBoxLayout>
#include <QEvent>
#include <QWidget>

#include <algorithm>

ReflowRow::ReflowRow(QWidget *host, QBoxLayout *row, double breakPoints, std::function<void(bool)> changed)
    : QObject(host)
    , m_host(host)
    , m_row(row)
    , m_break(breakPoints)
    , m_changed(std::move(changed))
{
    host->installEventFilter(this);
    connect(&KVScale::shared(), &KVScale::changed, this, [this] {
        fit();
        fitSide();
    });
    fit();
}

void ReflowRow::keepSide(QWidget *side, double widthPoints, double stackedHeightPoints)
{
    m_side = side;
    m_sideWidth = widthPoints;
    m_sideHeight = stackedHeightPoints;
    fitSide();
}

void ReflowRow::fitSide()
{
    if (!m_side)
        return;
    if (m_stacked) {
        m_side->setMinimumWidth(0);
        m_side->setMaximumWidth(QWIDGETSIZE_MAX);
        m_side->setFixedHeight(KVScale::ipt(m_sideHeight));
    } else {
        m_side->setMinimumHeight(0);
        m_side->setMaximumHeight(QWIDGETSIZE_MAX);
        m_side->setFixedWidth(KVScale::ipt(m_sideWidth));
    }
}

bool ReflowRow::stacks(int pixels, double zoom, double breakPoints)
{
    return pixels < breakPoints * (zoom > 0 ? zoom : 1.0);
}

bool ReflowRow::eventFilter(QObject *watched, QEvent *event)
{
    // Turned after the resize, not inside it: a row turning within a scroll
    // area's resize resizes the area's content again, and a page of rows on
    // the edge would nest those passes without end.
    if (watched == m_host && event->type() == QEvent::Resize && !m_queued) {
        m_queued = true;
        QMetaObject::invokeMethod(this, [this] {
            m_queued = false;
            fit();
        }, Qt::QueuedConnection);
    }
    return false;
}

void ReflowRow::fit()
{
    // A widget not yet laid out has no width to judge by.
    if (!m_host->testAttribute(Qt::WA_Resized) && !m_host->isVisible())
        return;
    // A row squeezed to its own minimum stacks too (its content may need more
    // than the break allows for); once stacked it waits for the full break.
    const bool squeezed = !m_stacked && m_host->width() <= m_row->minimumSize().width();
    const bool stacked = squeezed || stacks(visibleWidth(), KVScale::factor(), m_break);
    if (m_known && stacked == m_stacked)
        return;
    m_known = true;
    m_stacked = stacked;
    m_row->setDirection(stacked ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    fitSide();
    if (m_changed)
        m_changed(stacked);
}

int ReflowRow::visibleWidth() const
{
    // A row first laid out before the rows around it turned can be wider
    // than the page's view (its width the unturned rows' minimum): it is
    // judged by the part of it the view shows, so it turns too.
    for (QWidget *p = m_host->parentWidget(); p; p = p->parentWidget()) {
        if (auto *area = qobject_cast<QAbstractScrollArea *>(p)) {
            const int shown = area->viewport()->width() - m_host->mapTo(area->viewport(), QPoint(0, 0)).x();
            return shown > 0 ? std::min(m_host->width(), shown) : m_host->width();
        }
    }
    return m_host->width();
}
