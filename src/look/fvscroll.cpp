#include "fvscroll.h"

#include "fvrender.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// A transparent holder that keeps the content at the top with its ideal height.
QWidget *topHolder(QWidget *content)
{
    auto *holder = new QWidget;
    auto *box = new QVBoxLayout(holder);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(content);
    box->addStretch(1);
    return holder;
}

} // namespace

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
        m_holder = topHolder(m_content);
        box->addWidget(m_holder);
        // Never shorter than the content.
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
        m_holder->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    } else {
        m_area = new QScrollArea;
        m_area->setFrameShape(QFrame::NoFrame);
        // No invisible Tab stop: the controls inside take the focus.
        m_area->setFocusPolicy(Qt::NoFocus);
        m_area->setWidgetResizable(true);
        m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        m_area->viewport()->setAutoFillBackground(false);
        m_area->setAutoFillBackground(false);
        QWidget *holder = topHolder(m_content);
        // Neither paints anything of its own: when the content grows or
        // shrinks (a list filtered, a panel opened) only the uncovered strip
        // and the moved children are drawn again, not the whole view.
        holder->setAttribute(Qt::WA_StaticContents);
        m_content->setAttribute(Qt::WA_StaticContents);
        m_area->setWidget(holder);
        // setWidget() turns the fill on; the backdrop behind must show through.
        holder->setAutoFillBackground(false);
        box->addWidget(m_area);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
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

void FVScroll::showEvent(QShowEvent *event)
{
    refreshMode();
    QWidget::showEvent(event);
}
