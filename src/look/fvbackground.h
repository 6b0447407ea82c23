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
    // Starts drawing, on a worker thread, the backdrop that a window of
    // `size` is about to paint; the paint that needs it takes it, and a paint
    // after it is done drops it when unused. Does nothing while another is
    // still being drawn.
    static void prepare(const QSize &size, double dpr);
    // Waits for a backdrop still being drawn and drops it: called before the
    // application object goes, which the worker's painter still needs.
    static void settle();

protected:
    void paintEvent(QPaintEvent *event) override;
};
