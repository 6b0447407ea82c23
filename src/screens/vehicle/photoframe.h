#pragma once

#include "data/vehicleinfo.h"

#include <QImage>
#include <QWidget>

class VehicleSilhouette;

// The picture frame of the vehicle header, 330 by 200 points: the licensed
// photo scaled to fill and cut to the frame, or the drawn outline of the
// vehicle's kind inset by 26 points, on a dark rounded well with a bright,
// angular-gradient rim.
class PhotoFrame : public QWidget
{
    Q_OBJECT

public:
    explicit PhotoFrame(QWidget *parent = nullptr);

    // A null image shows the outline of `kind`.
    void setPicture(const QImage &image, VehicleKind kind);
    bool showsPhoto() const { return !m_image.isNull(); }
    VehicleSilhouette *silhouette() const { return m_silhouette; }

    QSize sizeHint() const override;
    // A narrow page shrinks the frame to half its width, the shape kept.
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeSilhouette();

    QImage m_image;
    VehicleSilhouette *m_silhouette = nullptr;
};
