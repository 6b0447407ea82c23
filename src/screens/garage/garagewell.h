#pragma once

#include <QWidget>

// A sunken rounded well (black at a given opacity) around one child, inset by
// `padding` points. With a focus source, the rim turns the accent colour while
// that widget has keyboard focus.
class GarageWell : public QWidget
{
    Q_OBJECT

public:
    GarageWell(QWidget *child, double radius, double opacity, double padding, QWidget *parent = nullptr);

    void setFocusSource(QWidget *source);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyMetrics();

    double m_radius;
    double m_opacity;
    double m_padding;
    QWidget *m_focusSource = nullptr;
};
