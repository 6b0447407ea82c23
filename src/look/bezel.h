#pragma once

#include <QWidget>

class QVBoxLayout;
class KVDropShadow;

// The section panel behind nearly every part of every screen: the theme's
// panel gradient in a rounded rectangle with a bright bevelled rim, a dark
// inner line 3 points in and a soft drop shadow. It takes all the width it is
// offered; its height follows the content, inset by `padding` points.
class Bezel : public QWidget
{
    Q_OBJECT

public:
    // Radius 22 and padding 16 points.
    explicit Bezel(QWidget *parent = nullptr);
    Bezel(double radius, double padding, QWidget *parent = nullptr);

    double radius() const { return m_radius; }
    double padding() const { return m_padding; }

    QWidget *content() const { return m_content; }
    // Sets the content, placed at the top of the content layout (an earlier content is deleted).
    void setContent(QWidget *content);
    // The layout holding the content; more widgets may be added to it.
    QVBoxLayout *contentLayout() const { return m_layout; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyPadding();

    double m_radius;
    double m_padding;
    QWidget *m_content = nullptr;
    QVBoxLayout *m_layout;
    KVDropShadow *m_shadow;
};
