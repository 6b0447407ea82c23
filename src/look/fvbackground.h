#pragma once

#include <QWidget>

class QPainter;

// The backdrop behind the application's content: the theme's background, a
// vertical sheen and two accent glows, upper right and lower left.
class FVBackground : public QWidget
{
    Q_OBJECT

public:
    explicit FVBackground(QWidget *parent = nullptr);

    // Paints the backdrop over `area` with the current palette.
    static void paint(QPainter &painter, const QRectF &area);

protected:
    void paintEvent(QPaintEvent *event) override;
};
