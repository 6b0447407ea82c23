#pragma once

#include <QWidget>

// One area's bar of the complaint chart: a dark capsule track across the
// width and, from its leading edge, a capsule as long as the area's count
// against the scale count (at least 6 points, never past the track); red
// for a notably high area, grey otherwise. 14 points high.
class ComplaintBar : public QWidget
{
    Q_OBJECT

public:
    ComplaintBar(qint64 complaints, qint64 scale, bool notablyHigh, QWidget *parent = nullptr);

    bool notablyHigh() const { return m_high; }
    // The bar's length in the current width, in pixels.
    double barWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qint64 m_complaints;
    qint64 m_scale;
    bool m_high;
};
