#pragma once

#include <QColor>
#include <QPainterPath>
#include "kvownerfollower.h"

#include <functional>

// The drop shadow of a widget, drawn outside the widget's own rectangle so
// that layouts place the widget by its visible shape alone. The shadow lives
// as a sibling under the owner (lowest of the siblings).
class KVDropShadow final : public KVOwnerFollower
{
    Q_OBJECT

public:
    // `shape` gives the outline in the owner's coordinates; radius and offset in points.
    KVDropShadow(QWidget *owner, const QColor &color, double radius, const QPointF &offset,
                 std::function<QPainterPath()> shape);

    // Multiplies the shadow's opacity (pressed buttons fade their shadow too).
    void setOpacityFunction(std::function<double()> opacity);
    // Says the shape is the owner's rectangle rounded by this radius (pixels),
    // which draws the same shadow far cheaper for large owners.
    void setRoundedRect(std::function<double()> cornerRadius);
    // With a rounded rectangle: says whether the owner is about to cover its
    // shape with opaque paint, so the shadow under it need not be drawn.
    void setCoveredByOwner(std::function<bool()> covered);
    // Says the shape is the owner's rectangle as a capsule (cheaper likewise).
    void setCapsule();
    void setColor(const QColor &color);
    // The colour read at each paint (for shadows in a theme colour).
    void setColorSource(std::function<QColor()> source);

protected:
    void paintEvent(QPaintEvent *event) override;
    QMargins reach() const override;
    void stack() override { lower(); }

private:
    QColor m_color;
    double m_radius;
    QPointF m_offset;
    std::function<QPainterPath()> m_shape;
    std::function<double()> m_opacity;
    std::function<double()> m_corner;
    std::function<bool()> m_covered;
    bool m_capsule = false;
    std::function<QColor()> m_colorSource;
};
