#pragma once

#include "data/vehicleinfo.h"

#include <QPainterPath>
#include <QWidget>

class KVDropShadow;

// The drawn side view of a vehicle shown where no photo exists: the body
// outline of its kind, the glass, a side crease and two wheels, in greys lit
// by the theme's accent. The drawing keeps a 2.2 : 1 aspect and is centred in
// the space it is given.
class VehicleSilhouette : public QWidget
{
    Q_OBJECT

public:
    explicit VehicleSilhouette(VehicleKind kind, QWidget *parent = nullptr);

    VehicleKind kind() const { return m_kind; }

    // The closed body outline for a drawing of w by h, origin top-left.
    static QPainterPath silhouette(VehicleKind kind, double w, double h);
    // The closed glass area.
    static QPainterPath windows(VehicleKind kind, double w, double h);
    // The drawing's rectangle inside `space`: aspect 2.2, as large as fits, centred.
    static QRectF fit(const QSizeF &space);
    // Wheel centres as fractions of the width; the wheels sit at 0.74 h.
    static constexpr double kWheels[2] = {0.23, 0.77};
    static constexpr double kAspect = 2.2;

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    VehicleKind m_kind;
    KVDropShadow *m_glow;
};
