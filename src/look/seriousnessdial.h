#pragma once

#include "data/seriousness.h"

#include <QWidget>

// The half-dial of a trouble code's seriousness: three bands (drive, soon,
// stop) across the top, the level's band lit, a white needle pointing into it,
// and the level's title under it. The dial part is `size` wide and 0.6·size
// high; the caption sits 4 points below.
class SeriousnessDial : public QWidget
{
    Q_OBJECT

public:
    explicit SeriousnessDial(Seriousness level, double size = 120, QWidget *parent = nullptr);

    Seriousness level() const { return m_level; }
    void setLevel(Seriousness level);
    double dialSize() const { return m_size; }
    QString caption() const { return m_level.title().toUpper(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static QFont captionFont();
    // Height of the dial part in points: 0.6·size.
    static double dialHeight(double size) { return 0.6 * size; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Seriousness m_level;
    double m_size;
};
