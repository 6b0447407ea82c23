#pragma once

#include <QWidget>

class QPainter;

// The kit's window backdrop: the theme's background colour, a soft vertical
// sheen and an accent glow from the top-left corner.
class KVWindowBackground : public QWidget
{
    Q_OBJECT

public:
    explicit KVWindowBackground(QWidget *parent = nullptr);

    // Paints the backdrop over `area` with the current theme.
    static void paint(QPainter &painter, const QRectF &area);

protected:
    void paintEvent(QPaintEvent *event) override;
};
