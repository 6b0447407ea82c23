#pragma once

#include "kvpaddedbox.h"

// The kit's container panel: a rounded rectangle with the theme's panel
// gradient and a bevelled rim, its content inset by `padding` points.
class KVPanel : public KVPaddedBox
{
    Q_OBJECT

public:
    // Radius 20 and padding 12 points.
    explicit KVPanel(QWidget *parent = nullptr);
    KVPanel(double radius, double padding, QWidget *parent = nullptr);


protected:
    void paintEvent(QPaintEvent *event) override;
};
