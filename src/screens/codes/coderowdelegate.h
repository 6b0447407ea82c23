#pragma once

#include <QStyledItemDelegate>

// Paints one row of the trouble-code list: the level's dot, the code in the
// monospaced face and the title on one line, cut with "…" when too long.
class CodeRowDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CodeRowDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Row height in device-independent pixels at the current zoom, gap included.
    static int rowHeight();
};
