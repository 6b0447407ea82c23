#pragma once

#include <QWidget>

class KVDropShadow;
class QPainter;
class QColor;

// The application's mark: a round gauge with a bright bezel, eleven ticks (the
// last three red), an accent needle at `value` of the sweep and a hub.
class GaugeLogo : public QWidget
{
    Q_OBJECT

public:
    // Size 44 points, needle at 0.68.
    explicit GaugeLogo(QWidget *parent = nullptr);
    GaugeLogo(double size, double value = 0.68, QWidget *parent = nullptr);

    double gaugeSize() const { return m_size; }
    double value() const { return m_value; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The mark alone (no shadow) in a square of `size` user units from the
    // painter's origin; the painter should antialias.
    static void paintMark(QPainter &p, double size, double value, const QColor &accent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The mark's parts: the disc with its ring, then the face drawn on it.
    static void paintDisc(QPainter &p, double size);
    static void paintFace(QPainter &p, double size, double value, const QColor &accent);

    double m_size;
    double m_value;
    KVDropShadow *m_shadow;
};
