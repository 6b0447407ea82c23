#pragma once

#include <QAbstractButton>

// A switch-style toggle: its label, then a small capsule track (the theme's
// accent when on) with a round knob at the end that matches the state.
class SwitchToggle : public QAbstractButton
{
    Q_OBJECT

public:
    SwitchToggle(const QString &text, double points, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF trackRect() const;
    void applyFont();

    double m_points;
};
