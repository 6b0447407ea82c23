#include "fvscroll.h"

#include "fvrender.h"
#include "kit/kvscrollarea.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <utility>

FVScroll::FVScroll(QWidget *content, QWidget *parent)
    : QWidget(parent)
    , m_content(content)
{
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    m_flat = FVRender::snapshotMode;
    build();
}

void FVScroll::build()
{
    auto *box = static_cast<QVBoxLayout *>(layout());
    // The filter lets go of the old view first: its holder still sends
    // events while the view is taken apart.
    if (m_area && m_area->widget())
        m_area->widget()->removeEventFilter(this);
    m_content->setParent(nullptr);
    delete std::exchange(m_area, nullptr); // also deletes its holder
    delete m_holder;
    m_holder = nullptr;

    if (m_flat) {
        m_holder = KVScrollArea::topHolder(m_content);
        box->addWidget(m_holder);
        // Never shorter than the content.
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
        m_holder->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    } else {
        m_area = KVScrollArea::around(m_content);
        m_area->widget()->installEventFilter(this);
        // Neither paints anything of its own: when the content grows or
        // shrinks (a list filtered, a panel opened) only the uncovered strip
        // and the moved children are drawn again, not the whole view.
        m_area->widget()->setAttribute(Qt::WA_StaticContents);
        m_content->setAttribute(Qt::WA_StaticContents);
        box->addWidget(m_area);
        applyWholeHeight();
    }
    m_content->show();
    updateGeometry();
}

void FVScroll::refreshMode()
{
    if (m_flat == FVRender::snapshotMode)
        return;
    m_flat = FVRender::snapshotMode;
    build();
}

void FVScroll::setWholeHeight(bool whole)
{
    if (m_whole == whole)
        return;
    m_whole = whole;
    applyWholeHeight();
}

void FVScroll::applyWholeHeight()
{
    setSizePolicy(QSizePolicy::Preferred, m_whole ? QSizePolicy::Minimum : QSizePolicy::Expanding);
    if (!m_area)
        return;
    const bool whole = m_whole;
    m_area->setVerticalScrollBarPolicy(whole ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    if (whole) {
        m_area->verticalScrollBar()->setValue(0);
        fitHeight();
    } else {
        m_area->setMinimumHeight(0);
    }
}

void FVScroll::fitHeight()
{
    if (!m_whole || !m_area || !m_area->widget())
        return;
    // The height the content needs at the width the view gives it.
    const QWidget *holder = m_area->widget();
    const QLayout *box = holder->layout();
    const int width = m_area->viewport()->width() > 0 ? m_area->viewport()->width() : holder->width();
    const int height = box && box->hasHeightForWidth() ? box->totalHeightForWidth(width) : holder->minimumSizeHint().height();
    const int frame = 2 * m_area->frameWidth();
    if (m_area->minimumHeight() != height + frame)
        m_area->setMinimumHeight(height + frame);
}

bool FVScroll::eventFilter(QObject *watched, QEvent *event)
{
    if (m_area && watched == m_area->widget()
        && (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Resize))
        fitHeight();
    return QWidget::eventFilter(watched, event);
}

void FVScroll::showEvent(QShowEvent *event)
{
    refreshMode();
    QWidget::showEvent(event);
}
