#pragma once

#include "kvownerfollower.h"

#include <functional>

class QPainter;

// The keyboard-focus ring of the app's own controls: a 2-point line in the
// theme's focus colour (the accent, lightened to 3:1 on the panels), 2 points outside the control's outline, shown while the
// control has the focus (not after a mouse click). attach() puts one on any
// widget as a sibling drawn above it (like the drop shadow, it follows the
// widget's geometry, visibility and parent and never takes mouse events);
// widgets that paint their own ring inside their rectangle call paint().
class KVFocusRing final : public KVOwnerFollower
{
    Q_OBJECT

public:
    // A radius that rounds the ends fully (half the height).
    static constexpr double capsule = -1;

    // Rings `owner` around `area` (owner coordinates; the owner's rectangle
    // when not given), its corners rounded by `radius` points.
    static KVFocusRing *attach(QWidget *owner, double radius = capsule, std::function<QRectF()> area = {});
    // The same ring, made only when the owner first takes the focus: for
    // controls made by the dozen, most of which are never focused.
    static void attachOnFocus(QWidget *owner, double radius = capsule);
    // Draws the ring along the inside of `r`, corners rounded by `radius`
    // points (capsule: half the height), with a second line inside it in the
    // on-accent colour so that it shows on an accent fill too.
    static void paint(QPainter &p, const QRectF &r, double radius = capsule);
    static QColor color();
    // The line's width in pixels at the current zoom.
    static double lineWidth();

    // Whether the ring is drawn now.
    bool lit() const { return m_lit; }

protected:
    void paintEvent(QPaintEvent *event) override;
    QMargins reach() const override;
    bool wanted() const override { return m_lit; }
    void stack() override { raise(); }
    void ownerEvent(QEvent *event) override;

private:
    class Pending;

    KVFocusRing(QWidget *owner, double radius, std::function<QRectF()> area);
    QRectF ownerArea() const;
    QWidget *roomyAncestor() const;
    int span() const;

    double m_radius;
    std::function<QRectF()> m_area;
    bool m_lit = false;
    // Whether the ring returns with focus coming back from another window or a popup.
    bool m_resume = true;
};
