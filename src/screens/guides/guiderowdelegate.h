#pragma once

#include <QStyledItemDelegate>

// Paints the guide list: group headings (upper-cased, small, tracked, dim,
// with room above) and guide rows (the title wrapped onto as many lines as
// it needs). Every row is followed by the list's 10-point gap.
class GuideRowDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit GuideRowDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
