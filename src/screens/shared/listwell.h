#pragma once

#include <QWidget>

// The dark well behind a screen's list: a rounded rectangle (radius 16)
// filled with black at opacity 0.25; its one child fills it, inset by
// `inset` points, so its rounded rows stay inside the well's corners.
class ListWell final : public QWidget
{
    Q_OBJECT

public:
    explicit ListWell(QWidget *child, double inset = 4, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyMetrics();
    double m_inset;
};
