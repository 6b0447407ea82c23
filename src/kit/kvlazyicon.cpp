#include "kvlazyicon.h"

#include <QPainter>

QIcon KVLazyIcon::icon(Maker make)
{
    return QIcon(new KVLazyIcon(std::move(make)));
}

KVLazyIcon::KVLazyIcon(Maker make)
    : m_make(std::move(make))
{
}

const QIcon &KVLazyIcon::real()
{
    if (!m_made) {
        m_made = true;
        if (m_make)
            m_icon = m_make();
        m_make = nullptr;
    }
    return m_icon;
}

void KVLazyIcon::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    real().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QSize KVLazyIcon::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return real().actualSize(size, mode, state);
}

QPixmap KVLazyIcon::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return real().pixmap(size, mode, state);
}

QPixmap KVLazyIcon::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale)
{
    return real().pixmap(size, scale, mode, state);
}

QList<QSize> KVLazyIcon::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    return real().availableSizes(mode, state);
}

QString KVLazyIcon::iconName()
{
    return real().name();
}

QString KVLazyIcon::key() const
{
    return QStringLiteral("KVLazyIcon");
}

QIconEngine *KVLazyIcon::clone() const
{
    auto *copy = new KVLazyIcon(m_make);
    copy->m_icon = m_icon;
    copy->m_made = m_made;
    return copy;
}

bool KVLazyIcon::isNull()
{
    // Asked before any drawing (a button deciding whether it has an icon):
    // answered without making the icon, which the maker is trusted to give.
    return m_made ? m_icon.isNull() : !m_make;
}
