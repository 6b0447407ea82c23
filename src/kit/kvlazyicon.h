#pragma once

#include <QIcon>
#include <QIconEngine>
#include <functional>

// An icon made on first use: the maker runs when the icon is first drawn or
// measured, not when it is handed out. For icons that are rarely shown (the
// menu bar's overflow button) but whose making costs start-up time.
class KVLazyIcon final : public QIconEngine
{
public:
    using Maker = std::function<QIcon()>;

    static QIcon icon(Maker make);

    explicit KVLazyIcon(Maker make);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString iconName() override;
    QString key() const override;
    QIconEngine *clone() const override;
    bool isNull() override;

    // Whether the icon has been made yet.
    bool made() const { return m_made; }

private:
    const QIcon &real();

    Maker m_make;
    QIcon m_icon;
    bool m_made = false;
};
