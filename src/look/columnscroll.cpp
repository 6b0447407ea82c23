#include "columnscroll.h"

#include "fvrender.h"
#include "kit/kvscrollarea.h"

#include <QEvent>
#include <QScrollArea>
#include <QVBoxLayout>

ColumnScroll::ColumnScroll(QWidget *content, QWidget *parent)
    : QWidget(parent)
    , m_content(content)
{
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_flat = FVRender::snapshotMode;
    build();
}

void ColumnScroll::build()
{
    auto *box = static_cast<QVBoxLayout *>(layout());
    m_content->setParent(nullptr);
    delete m_area;
    m_area = nullptr;

    if (m_flat) {
        // Placed by hand at the top-left with its full height; the column's
        // own bounds clip the rest.
        m_content->setParent(this);
    } else {
        m_area = KVScrollArea::around(m_content);
        box->addWidget(m_area);
    }
    m_content->show();
    placeFlat();
    updateGeometry();
}

void ColumnScroll::placeFlat()
{
    if (!m_flat)
        return;
    const int w = width();
    const int h = m_content->hasHeightForWidth() ? m_content->heightForWidth(w) : m_content->sizeHint().height();
    m_content->setGeometry(0, 0, w, std::max(h, m_content->minimumSizeHint().height()));
}

QSize ColumnScroll::sizeHint() const
{
    if (m_flat)
        return m_content->sizeHint();
    return QWidget::sizeHint();
}

QSize ColumnScroll::minimumSizeHint() const
{
    if (m_flat)
        return QSize(0, 0);
    return QWidget::minimumSizeHint();
}

void ColumnScroll::refreshMode()
{
    if (m_flat == FVRender::snapshotMode)
        return;
    m_flat = FVRender::snapshotMode;
    build();
}

bool ColumnScroll::event(QEvent *event)
{
    // The flat content is in no layout: its size requests come here.
    if (event->type() == QEvent::LayoutRequest)
        placeFlat();
    return QWidget::event(event);
}

void ColumnScroll::showEvent(QShowEvent *event)
{
    refreshMode();
    placeFlat();
    QWidget::showEvent(event);
}

void ColumnScroll::resizeEvent(QResizeEvent *event)
{
    placeFlat();
    QWidget::resizeEvent(event);
}
