#pragma once

#include "kit/kvpaddedbox.h"

class KVDropShadow;

// The section panel behind nearly every part of every screen: the theme's
// panel gradient in a rounded rectangle with a bright bevelled rim, a dark
// inner line 3 points in and a soft drop shadow. It takes all the width it is
// offered; its height follows the content, inset by `padding` points.
class Bezel : public KVPaddedBox
{
    Q_OBJECT

public:
    // Radius 22 and padding 16 points.
    explicit Bezel(QWidget *parent = nullptr);
    Bezel(double radius, double padding, QWidget *parent = nullptr);


protected:
    void paintEvent(QPaintEvent *event) override;

private:
    KVDropShadow *m_shadow;
};
