#pragma once

#include <QObject>
#include <functional>

class QBoxLayout;
class QWidget;

// Turns a row of panels into a column when its widget gets narrower than
// `breakPoints` (points, so a larger zoom stacks sooner), and back when it
// is wide again; `changed` then sets what else differs (fixed widths,
// heights).
class ReflowRow final : public QObject
{
    Q_OBJECT

public:
    ReflowRow(QWidget *host, QBoxLayout *row, double breakPoints, std::function<void(bool stacked)> changed = {});

    // A side panel `widthPoints` wide in the row; stacked, it spans the
    // column at `stackedHeightPoints` high. Kept right at every zoom.
    void keepSide(QWidget *side, double widthPoints, double stackedHeightPoints);

    // Whether a width of `pixels` at `zoom` stacks.
    static bool stacks(int pixels, double zoom, double breakPoints);
    bool stacked() const { return m_stacked; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fit();
    void fitSide();
    int visibleWidth() const;

    QWidget *m_host;
    QBoxLayout *m_row;
    double m_break;
    std::function<void(bool)> m_changed;
    bool m_stacked = false;
    bool m_known = false;
    bool m_queued = false; // a fit waits for the event loop
    QWidget *m_side = nullptr;
    double m_sideWidth = 0;
    double m_sideHeight = 0;
};
