#include "kvpaddedbox.h"

#include "kvscale.h"
#include "kvscalewatch.h"

#include <QVBoxLayout>

KVPaddedBox::KVPaddedBox(double radius, double padding, QWidget *parent)
    : QWidget(parent)
    , m_radius(radius)
    , m_padding(padding)
    , m_layout(new QVBoxLayout(this))
{
    m_layout->setSpacing(0);
    applyPadding();
    KVScaleWatch::follow(this, [this] { applyPadding(); });
}

void KVPaddedBox::applyPadding()
{
    const int p = KVScale::ipt(m_padding);
    m_layout->setContentsMargins(p, p, p, p);
}

void KVPaddedBox::setContent(QWidget *content)
{
    if (m_content == content)
        return;
    delete m_content;
    m_content = content;
    if (content)
        m_layout->insertWidget(0, content);
}
