#include "fvscroll.h"

#include "fvrender.h"
#include "kit/kvscrollarea.h"

#include <QScrollArea>
#include <QVBoxLayout>

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
    m_content->setParent(nullptr);
    delete m_area; // also deletes an earlier holder
    m_area = nullptr;
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
        // Neither paints anything of its own: when the content grows or
        // shrinks (a list filtered, a panel opened) only the uncovered strip
        // and the moved children are drawn again, not the whole view.
        m_area->widget()->setAttribute(Qt::WA_StaticContents);
        m_content->setAttribute(Qt::WA_StaticContents);
        box->addWidget(m_area);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    }
    m_content->show();
    updateGeometry();
}

void FVScroll::refreshMode()
{
    const bool flat = FVRender::snapshotMode || m_wantFlat;
    if (m_flat == flat)
        return;
    m_flat = flat;
    build();
}

void FVScroll::setFlat(bool flat)
{
    m_wantFlat = flat;
    refreshMode();
}

void FVScroll::showEvent(QShowEvent *event)
{
    refreshMode();
    QWidget::showEvent(event);
}
